#include "common/FifoWatchdog.h"
#include "common/TestFolders.h"

#include "pages/buttons/SelectorRestore.h"
#include "platform/UserDataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>
#include <sys/stat.h>

namespace {

// The part of the button page that the restore files touch: the selectors,
// a few function buttons and the three scrolled lists.
class PageFixture : public QWidget
{
public:
    PageFixture()
    {
        for (const char* name : {"RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic", "DPI_6",
                                 "BackMusic_2", "VolumeUp_4", "VolumeUp_21", "LeftKey_3"}) {
            auto* button = new QToolButton(this);
            button->setObjectName(name);
            button->setText(QString("text of ") + name);
        }
        for (const char* name : {"scrollArea_4", "scrollArea_3", "scrollArea_10"}) {
            auto* area = new QScrollArea(this);
            area->setObjectName(name);
            area->resize(100, 100);
            auto* content = new QWidget;
            content->setMinimumSize(100, 2000);
            area->setWidget(content);
        }
    }

    QString Text(const char* name) const { return findChild<QToolButton*>(name)->text(); }
    int Scroll(const char* area) const { return findChild<QScrollArea*>(area)->verticalScrollBar()->value(); }
};

} // namespace

class TestSelectorRestore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
    }

    void lines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("category"); // -1: not moved
        QTest::addColumn<int>("multimedia");
        QTest::addColumn<int>("dpiLock");
        QTest::newRow("class 7") << "7" << "DPI_6" << 105 << -1 << -1;
        QTest::newRow("class 0") << "0" << "LeftKey_3" << 0 << -1 << -1;
        QTest::newRow("class 12 without item") << "12" << "" << 180 << -1 << -1;
        QTest::newRow("multimedia item") << "14,2" << "BackMusic_2" << 210 << 30 << -1;
        QTest::newRow("DPI-lock item past the list") << "15,20" << "" << 225 << -1 << 300;
        QTest::newRow("DPI-lock last item") << "15,11" << "VolumeUp_21" << 225 << -1 << 165;
        QTest::newRow("tilt right") << "10,1" << "VolumeDown_2" << 150 << -1 << -1;
        QTest::newRow("class 11 has no items") << "11,0" << "" << 165 << -1 << -1;
        QTest::newRow("empty item reads 0") << "12," << "VolumeUp_4" << 180 << -1 << -1;
        QTest::newRow("not a number reads 0") << "x" << "LeftKey_3" << 0 << -1 << -1;
        QTest::newRow("three fields") << "1,2,3" << "" << -1 << -1 << -1;
        QTest::newRow("empty line") << "" << "" << -1 << -1 << -1;
        // Numbers whose scroll position passes the int range stop at its ends.
        QTest::newRow("huge class") << "2147483647" << "" << std::numeric_limits<int>::max() << -1 << -1;
        QTest::newRow("huge negative item") << "14,-2147483648" << "" << 210 << std::numeric_limits<int>::min() << -1;
    }

    void lines()
    {
        QFETCH(QString, line);
        QFETCH(QString, button);
        QFETCH(int, category);
        QFETCH(int, multimedia);
        QFETCH(int, dpiLock);
        const SelectorRestore restore = ParseSelectorRestoreLine(line);
        QCOMPARE(restore.buttonName, button);
        QCOMPARE(restore.categoryScroll.value_or(-1), category);
        QCOMPARE(restore.multimediaScroll.value_or(-1), multimedia);
        QCOMPARE(restore.dpiLockScroll.value_or(-1), dpiLock);
    }

    void filesSetTheirOwnSelector()
    {
        WriteUserFile("usersetting/MainPage/2.ini", "7\nignored\n");
        WriteUserFile("usersetting/MainPage/6.ini", "14,2\r\n");
        WriteUserFile("usersetting/MainPage/4.ini", "15,20");
        PageFixture page;
        RestoreSelectorFromFile(&page, 2);
        QCOMPARE(page.Text("RightKey"), QString("text of DPI_6"));
        QCOMPARE(page.Scroll("scrollArea_4"), 105);

        RestoreSelectorFromFile(&page, 6);
        QCOMPARE(page.Text("BackMusic"), QString("text of BackMusic_2"));
        QCOMPARE(page.Scroll("scrollArea_3"), 30);
        QCOMPARE(page.Scroll("scrollArea_4"), 210);

        RestoreSelectorFromFile(&page, 4);
        QCOMPARE(page.Text("StartPause"), QString("text of StartPause"));
        QCOMPARE(page.Scroll("scrollArea_10"), 300);
        QCOMPARE(page.Scroll("scrollArea_4"), 225);

        // A missing file, an empty one, and rows without a file change nothing.
        WriteUserFile("usersetting/MainPage/5.ini", "");
        for (int row : {3, 5, 1, 7})
            RestoreSelectorFromFile(&page, row);
        QCOMPARE(page.Text("BackKey"), QString("text of BackKey"));
        QCOMPARE(page.Text("TopMusic"), QString("text of TopMusic"));
        QCOMPARE(page.Scroll("scrollArea_4"), 225);
    }

    // A FIFO where a restore file belongs is never opened: its open would
    // wait for a writer for ever.
    void aFifoInPlaceOfARestoreFileIsLeftAlone()
    {
        const QString path = UserDataFolder() + "/usersetting/MainPage/3.ini";
        QDir().mkpath(QFileInfo(path).path());
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        PageFixture page;
        QVERIFY(!ActionWaitedOnFifo(path, [&] { RestoreSelectorFromFile(&page, 3); }));
        QCOMPARE(page.Text("BackKey"), QString("text of BackKey"));
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
    }
};

QTEST_MAIN(TestSelectorRestore)
#include "tst_selectorrestore.moc"
