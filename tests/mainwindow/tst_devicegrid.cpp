#include "common/ModalDialogAnswerer.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "mainwindow/DeviceGrid.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/DialogMain.h"
#include "mainwindow/MainWindowTestKit.h"
#include "mainwindow/Ui_DialogChange.h"
#include "widgets/NoticeDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
bool PictureIs(const QWidget* widget, const QString& picture)
{
    return widget->styleSheet().contains(g_DialogChangePictureDir + picture + ")");
}

// Grid widgets are hidden or shown on their own page; the page may not be current.
bool Shown(const QWidget* widget)
{
    return !widget->isHidden();
}

// The index of the listed entry that is a receiver (kind flag clear), or -1.
int ReceiverEntry()
{
    for (int i = 0; i < g_ListedDevices.size(); ++i) {
        if (!g_ListedDevices.at(i).KindFlag)
            return i;
    }
    return -1;
}

template <typename Notice>
int VisibleCount()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<Notice*>(widget) && widget->isVisible() ? 1 : 0;
    return count;
}
}

class TestDeviceGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PrepareMainWindowFolders();
    }

    void defaultScenarioShowsBothDevices()
    {
        LoadSimulatedScenario("default");
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();

        QCOMPARE(g_DeviceButtons.size(), 2);
        QCOMPARE(form->stackedWidget->count(), 1);
        QVERIFY(!form->label_2->isVisible());
        QVERIFY(form->label_3->isVisible());
        QVERIFY(!form->LeftButton->isVisible() && !form->RightButton->isVisible());

        const int receiver = ReceiverEntry();
        QVERIFY(receiver >= 0);
        const int wired = 1 - receiver;
        QCOMPARE(g_DeviceButtons.at(0)->pos(), QPoint(135, 0));
        QCOMPARE(g_DeviceButtons.at(1)->pos(), QPoint(445, 0));
        for (int i : {0, 1}) {
            QCOMPARE(g_DeviceButtons.at(i)->objectName(), "btn" + QString::number(i));
            QCOMPARE(g_ConnectionIcons.at(i)->pos(), g_DeviceButtons.at(i)->pos() + QPoint(225, 20));
            QVERIFY(Shown(g_ConnectionIcons.at(i)));
            QVERIFY(!Shown(g_OfflineMarkers.at(i)));
            QCOMPARE(g_OfflineMarkers.at(i)->toolTip(), g_DeviceListText5 + "\n" + g_DeviceListText6);
        }
        // Both online: the online picture of each model (MID 3 on the receiver, MID 4 by cable).
        QVERIFY(PictureIs(g_DeviceButtons.at(receiver), "OnLine0.png"));
        QVERIFY(PictureIs(g_DeviceButtons.at(wired), "OnLine1.png"));
        QVERIFY(PictureIs(g_ConnectionIcons.at(receiver), "OnLineWifi.png"));
        QVERIFY(PictureIs(g_ConnectionIcons.at(wired), "OnLineUsb.png"));

        const auto badgeAt = [](const QPoint& position) -> QLabel* {
            for (QLabel* badge : g_RateBadges) {
                if (badge->pos() == position)
                    return badge;
            }
            return nullptr;
        };
        QLabel* receiverBadge = badgeAt(g_DeviceButtons.at(receiver)->pos() + QPoint(7, 10));
        QVERIFY(receiverBadge);
        QVERIFY(receiverBadge->styleSheet().contains("4KHz.png"));
        const bool wiredHasBadge = g_ListedDevices.at(wired).Kind == 3;
        QCOMPARE(badgeAt(g_DeviceButtons.at(wired)->pos() + QPoint(7, 10)) != nullptr, wiredHasBadge);
    }

    void fourDevicesPageByThree()
    {
        LoadSimulatedScenario("wireless");
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();

        QCOMPARE(g_DeviceButtons.size(), 4);
        QCOMPARE(form->stackedWidget->count(), 2);
        QCOMPARE(form->stackedWidget->currentIndex(), 0);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(g_DeviceButtons.at(i)->pos(), QPoint(300 * i, 0));
        QCOMPARE(g_DeviceButtons.at(3)->pos(), QPoint(305, 0));
        QCOMPARE(g_DeviceButtons.at(3)->parentWidget(), form->stackedWidget->widget(1));
        QCOMPARE(g_RateBadges.size(), 4);
        QVERIFY(form->RightButton->isVisible());
        QVERIFY(!form->LeftButton->isVisible());

        QTest::mouseClick(form->RightButton, Qt::LeftButton);
        QCOMPARE(form->stackedWidget->currentIndex(), 1);
        QVERIFY(form->LeftButton->isVisible());
        QVERIFY(!form->RightButton->isVisible());

        QTest::mouseClick(form->LeftButton, Qt::LeftButton);
        QCOMPARE(form->stackedWidget->currentIndex(), 0);
        QVERIFY(!form->LeftButton->isVisible());
        QVERIFY(form->RightButton->isVisible());
    }

    void unknownDeviceShowsItsPicture()
    {
        LoadSimulatedScenario("unknown");
        auto window = NewMainWindow();
        int unknown = 0;
        for (int i = 0; i < g_DeviceButtons.size(); ++i) {
            if (g_ListedDevices.at(i).ModelIndex == g_DeviceTotal) {
                ++unknown;
                QVERIFY(PictureIs(g_DeviceButtons.at(i), "Unknow.png"));
            }
        }
        QVERIFY(unknown > 0);
    }

    void cableHidesTheSameMousesReceiver()
    {
        LoadSimulatedScenario("cable-and-receiver");
        auto window = NewMainWindow();
        QCOMPARE(g_ListedDevices.size(), 1);
        QVERIFY(g_ListedDevices.at(0).KindFlag);
        QCOMPARE(g_DeviceButtons.size(), 1);
        QCOMPARE(g_DeviceButtons.at(0)->pos(), QPoint(305, 0));
    }

    // Two of one model by cable: one notice and no grid. A rebuild asked for
    // while the notice is open waits for it and then shows what is left.
    void duplicatesGiveOneNoticeAndRebuildAfterIt()
    {
        LoadSimulatedScenario("duplicate");
        int mostNotices = 0;
        bool unplugged = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            const int open = VisibleCount<QuestiondialogB>();
            mostNotices = std::max(mostNotices, open);
            if (open == 0)
                return;
            if (!unplugged) {
                unplugged = true;
                SimCtl_Plug("mouseA2", 0);
                PostMsg::GetInstance()->EmitChangeMainDialog(0);
                return;
            }
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<QuestiondialogB*>(widget))
                    widget->close();
            }
        });
        watch.start(5);

        auto window = NewMainWindow();
        watch.stop();

        QCOMPARE(mostNotices, 1);
        QVERIFY(unplugged);
        QVERIFY(!g_DuplicateDevices);
        QCOMPARE(g_DeviceButtons.size(), 1);
        QCOMPARE(window->DeviceList()->Form()->stackedWidget->count(), 1);
    }

    void duplicatesLeaveNoGrid()
    {
        LoadSimulatedScenario("duplicate");
        ModalDialogAnswerer answerer({"CloseButton"});
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();

        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("QuestiondialogB"));
        QVERIFY(g_DuplicateDevices);
        QCOMPARE(form->stackedWidget->count(), 0);
        QVERIFY(g_DeviceButtons.isEmpty());
        QVERIFY(form->label_2->isVisible());
        QVERIFY(!form->label_3->isVisible());
    }

    void unplugDuringModalDialogRemovesTheButton()
    {
        LoadSimulatedScenario("default");
        auto window = NewMainWindow();
        QCOMPARE(g_DeviceButtons.size(), 2);
        const QPointer<QToolButton> receiverButton = g_DeviceButtons.at(ReceiverEntry());

        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (g_DeviceButtons.size() == 1 && receiverButton.isNull()) {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (qobject_cast<MouseOffLine*>(widget))
                        widget->close();
                }
            }
        });
        QTimer::singleShot(0, [] { SimCtl_Plug("rx4k", 0); });
        QTimer giveUp; // the notice must not stay open when the rebuild never comes
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<MouseOffLine*>(widget))
                    widget->close();
            }
        });
        giveUp.start(5000);
        poll.start(5);
        PostMsg::GetInstance()->EmitMouseOffLineo(0); // runs the notice's modal loop
        poll.stop();

        QVERIFY(receiverButton.isNull());
        QCOMPARE(g_DeviceButtons.size(), 1);
        QVERIFY(g_ListedDevices.at(0).KindFlag);
    }

    void noDeviceShowsThePrompt()
    {
        LoadSimulatedScenario("empty");
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();
        QCOMPARE(form->stackedWidget->count(), 0);
        QVERIFY(form->label_2->isVisible());
        QVERIFY(!form->label_3->isVisible());
        QCOMPARE(form->label_2->text(), g_DeviceListText0);
    }
};

QTEST_MAIN(TestDeviceGrid)
#include "tst_devicegrid.moc"
