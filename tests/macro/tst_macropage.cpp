#include "MacroTestKit.h"

#include "common/ModalDialogAnswerer.h"
#include "core/LanguageLoader.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/KeyCodes.h"
#include "pages/macro/Macro.h"
#include "platform/KeyboardHook.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <cstring>
#include <functional>

namespace {

// The page's parent: sees the key presses that the page lets through.
class KeyCatcher : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
};

// Runs action on the next modal dialog or popup menu that opens.
class NextDialog : public QObject
{
public:
    explicit NextDialog(std::function<void(QWidget*)> action) : m_Action(std::move(action))
    {
        connect(&m_Poll, &QTimer::timeout, this, [this] {
            QWidget* widget = QApplication::activePopupWidget();
            if (!widget)
                widget = QApplication::activeModalWidget();
            if (!widget || !m_Action)
                return;
            shown = widget->metaObject()->className();
            std::exchange(m_Action, nullptr)(widget);
        });
        m_Poll.start(5);
    }

    QString shown;

private:
    QTimer m_Poll;
    std::function<void(QWidget*)> m_Action;
};

// Language rows whose text k of row r reads "r:k".
QList<QStringList> LanguageRows(int rows)
{
    QList<QStringList> table;
    for (int row = 0; row < rows; ++row) {
        QStringList texts;
        for (int k = 0; k < 30; ++k)
            texts << QString("%1:%2").arg(row).arg(k);
        table << texts;
    }
    return table;
}

} // namespace

class TestMacroPage : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_Folder = FreshMacroFolder();
        WriteBytes(m_Folder + "/b.ini", "1\n");
        WriteBytes(m_Folder + "/a.ini", "3\n0x04 1 0\n25ms\n0x04 1 1\n");
        g_LangTextsMacro = LanguageRows(2);
        g_LanguageIndex = 0;
        m_Holder.reset(new KeyCatcher);
        m_Page = new Macro(m_Holder.get());
        m_Holder->resize(m_Page->size());
        m_Holder->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Holder.get()));
    }
    void cleanup()
    {
        m_Holder.reset();
        g_MacroRecording = false;
    }

    void freshPageShowsTheStoredMacrosAndItsDefaults()
    {
        QCOMPARE(Texts(List("listWidgetHong")), (QStringList{"a", "b"}));
        QCOMPARE(List("listWidgetHong")->currentRow(), -1);
        QCOMPARE(List("listWidgetKey")->count(), 0);
        QVERIFY(Box("ReNumber")->isChecked());
        QCOMPARE(Spin("NumberEdit")->value(), 1);
        QVERIFY(Box("AutoInsertDelay")->isChecked());
        QCOMPARE(Spin("DelayTime")->value(), 10);
        QVERIFY(Button("StartRecord")->isVisible());
        QVERIFY(!Button("StopRecord")->isVisible());
        QVERIFY(!Button("Save")->isEnabled());
        QVERIFY(Button("Save")->styleSheet().contains("127,127,127"));
        QCOMPARE(m_Page->size(), QSize(883, 630));
    }

    void hubSignalsReachThePage_data()
    {
        QTest::addColumn<QByteArray>("signal");
        QTest::newRow("button to macro") << QByteArray(SIGNAL(SigButtonToMacro(FlashDataMap,int)));
        QTest::newRow("macro download") << QByteArray(SIGNAL(SigMacroDownLoadData(QString,int)));
        QTest::newRow("leaving the pages") << QByteArray(SIGNAL(SigSetMacroPage()));
        QTest::newRow("language") << QByteArray(SIGNAL(SigAllLanguage(int)));
    }
    void hubSignalsReachThePage()
    {
        QFETCH(QByteArray, signal);
        const int before = ReceiverCount(signal);
        {
            Macro another;
            QCOMPARE(ReceiverCount(signal), before + 1);
        }
        QCOMPARE(ReceiverCount(signal), before);
    }

    void clickingAMacroShowsItsRowsAndLoopValue()
    {
        ClickMacro("a");
        QCOMPARE(ShortTexts(List("listWidgetKey")), (QStringList{"A+", "25ms", "A-"}));
        QCOMPARE(Spin("NumberEdit")->value(), 3);
        QVERIFY(!Button("Save")->isEnabled());
    }

    // A loop mode moved by hand is a change that Save writes and reports.
    // What the keyboard highlights is what the page shows, so Save, recording
    // and editing go to the highlighted macro.
    void keyboardSelectionShowsTheMacro()
    {
        QListWidget* macros = List("listWidgetHong");
        macros->setFocus(); // makes a row current without highlighting it: nothing shown
        QCOMPARE(List("listWidgetKey")->count(), 0);
        QTest::keyClick(macros, Qt::Key_End);
        QTest::keyClick(macros, Qt::Key_Up);
        QCOMPARE(macros->currentItem()->text(), QString("a"));
        QCOMPARE(ShortTexts(List("listWidgetKey")), (QStringList{"A+", "25ms", "A-"}));
        QCOMPARE(Spin("NumberEdit")->value(), 3);

        QTest::keyClick(macros, Qt::Key_B); // type-ahead
        QCOMPARE(macros->currentItem()->text(), QString("b"));
        QCOMPARE(List("listWidgetKey")->count(), 0);
        QCOMPARE(Spin("NumberEdit")->value(), 1);
        Box("ReUntil")->click();
        Button("Save")->click();
        QCOMPARE(FileBytes(m_Folder + "/b.ini"), QByteArray("253\n"));
        QCOMPARE(FileBytes(m_Folder + "/a.ini"), QByteArray("3\n0x04 1 0\n25ms\n0x04 1 1\n"));
    }

    void changingTheLoopModeIsSavedAndReported()
    {
        QSignalSpy updates(PostMsg::GetInstance(), SIGNAL(SigUpDataMacro(QString,int)));
        ClickMacro("a");
        QTest::mouseClick(Box("ReUntil"), Qt::LeftButton);
        QVERIFY(Box("ReUntil")->isChecked());
        QVERIFY(Button("Save")->isEnabled());
        QVERIFY(!Button("Save")->styleSheet().contains("127,127,127"));

        Button("Save")->click();
        QTRY_VERIFY(FileBytes(m_Folder + "/a.ini").startsWith("253\n"));
        QCOMPARE(updates.count(), 1);
        QCOMPARE(updates.at(0), (QList<QVariant>{"a", 1}));
    }

    void countChangeActivatesSave()
    {
        ClickMacro("b");
        Spin("NumberEdit")->setValue(9);
        QVERIFY(Button("Save")->isEnabled());
    }

    void recordingTakesKeysBetweenStartAndStop()
    {
        QSignalSpy lock(PostMsg::GetInstance(), SIGNAL(SigStartRecord(int)));
        ClickMacro("b");
        Box("DefaultDelay")->click();
        Button("StartRecord")->click();
        QVERIFY(g_MacroRecording);
        QVERIFY(Button("StopRecord")->isVisible());
        QVERIFY(!List("listWidgetHong")->isEnabled());
        KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyDown, 'B');
        KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyUp, 'B');
        Button("StopRecord")->click();

        QVERIFY(!g_MacroRecording);
        QCOMPARE(ShortTexts(List("listWidgetKey")), (QStringList{"B+", "10ms", "B-"}));
        QCOMPARE(lock.count(), 2);
        QCOMPARE(lock.at(0).at(0).toInt(), 0);
        QCOMPARE(lock.at(1).at(0).toInt(), 1);
        QVERIFY(Button("StartRecord")->isVisible());
        QVERIFY(Button("Save")->isEnabled());
    }

    void leavingThePagesEndsARecordingAndDeactivatesSave()
    {
        QSignalSpy lock(PostMsg::GetInstance(), SIGNAL(SigStartRecord(int)));
        PostMsg::GetInstance()->EmitSetMacroPage();
        QCOMPARE(lock.count(), 1); // also when nothing records
        QCOMPARE(lock.at(0).at(0).toInt(), 1);

        ClickMacro("b");
        Button("StartRecord")->click();
        QVERIFY(g_MacroRecording);
        PostMsg::GetInstance()->EmitSetMacroPage();
        QVERIFY(!g_MacroRecording);
        QVERIFY(Button("StartRecord")->isVisible());
        QVERIFY(!Button("StopRecord")->isVisible());
        QVERIFY(List("listWidgetHong")->isEnabled());
        QVERIFY(!Button("Save")->isEnabled());
        KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyDown, 'C');
        QCOMPARE(List("listWidgetKey")->count(), 0);
    }

    void languageTexts_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("second language") << 2 << 1 << QString();
        QTest::newRow("sixth language has the tool tip") << 6 << 5 << "5:2";
    }
    void languageTexts()
    {
        QFETCH(int, rows);
        QFETCH(int, index);
        QFETCH(QString, toolTip);
        g_LangTextsMacro = LanguageRows(rows);
        Button("NewHong")->setToolTip("old");
        PostMsg::GetInstance()->EmitAllLanguage(index);

        const QString row = QString::number(index) + ":";
        QCOMPARE(Label("label")->text(), row + "0");
        QCOMPARE(Button("NewHong")->text(), row + "2");
        QCOMPARE(Button("NewHong")->toolTip(), toolTip);
        QCOMPARE(Label("AutoInsertDelayLabel")->text(), row + "8");
        QCOMPARE(Box("DefaultDelay")->text(), row + "9");
        QCOMPARE(Label("ReUntilLooseLabel")->text(), row + "10");
        QCOMPARE(Box("ReNumber")->text(), row + "13");
        QCOMPARE(Button("Save")->text(), row + "23");
        QComboBox* chooser = m_Page->findChild<QComboBox*>("ChooseEvent");
        QCOMPARE(chooser->itemText(0), QString());
        QCOMPARE(chooser->itemText(3), row + "17");
        QCOMPARE(chooser->itemText(4), row + "18");
        QCOMPARE(chooser->itemText(8), row + "22");
        QCOMPARE(g_MouseButtonNameLeft, row + "18");
        QCOMPARE(g_MouseButtonNameRight, row + "19");
        QCOMPARE(g_MouseButtonNameMiddle, row + "20");
        QCOMPARE(g_MouseButtonNameForward, row + "21");
        QCOMPARE(g_MouseButtonNameBack, row + "22");
    }

    // Each shipped language's texts stay inside their buttons; the record
    // buttons' texts keep clear of the dot at the left end of their pictures.
    void shippedTextsFitTheirButtons()
    {
        QVERIFY(CopyShippedFiles("Language"));
        g_LangTextsMacro.clear();
        LoadLanguageFiles();
        QCOMPARE(g_LangTextsMacro.size(), 2);
        constexpr int kMargin = 6;
        constexpr int kDotEnd = 24;
        for (int language = 0; language < 2; ++language) {
            PostMsg::GetInstance()->EmitAllLanguage(language);
            for (const char* name : {"NewHong", "DeleteHong", "Amend", "DeleteKey", "Save"}) {
                QAbstractButton* button = Button(name);
                const int needed = button->fontMetrics().horizontalAdvance(button->text());
                QVERIFY2(needed <= button->width() - 2 * kMargin, qPrintable(button->text()));
            }
            for (const char* name : {"StartRecord", "StopRecord"}) {
                auto* button = m_Page->findChild<QPushButton*>(name);
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                const int needed = button->fontMetrics().horizontalAdvance(button->text());
                const int left = contents.center().x() - needed / 2;
                QVERIFY2(left >= kDotEnd && left + needed <= button->width() - kMargin, qPrintable(button->text()));
            }
        }
    }

    // A language change event brings back the form's texts; the chosen
    // language, the chooser's item and the two numbers stay, and nothing
    // counts as a change.
    void languageChangeEventKeepsTextsAndValues()
    {
        QComboBox* chooser = m_Page->findChild<QComboBox*>("ChooseEvent");
        chooser->setCurrentIndex(3);
        Spin("DelayTime")->setValue(500);
        Spin("NumberEdit")->setValue(7);
        ClickMacro("b"); // Save inactive again; the count shows b's loop value
        Spin("NumberEdit")->setValue(7);
        PostMsg::GetInstance()->EmitSetMacroPage();

        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(m_Page, &change);

        QCOMPARE(chooser->currentIndex(), 3);
        QCOMPARE(chooser->count(), 9);
        QCOMPARE(Spin("DelayTime")->value(), 500);
        QCOMPARE(Spin("NumberEdit")->value(), 7);
        QCOMPARE(Label("label")->text(), QString("0:0"));
        QCOMPARE(chooser->itemText(1), QString("0:15"));
        QVERIFY(!Button("Save")->isEnabled());
    }

    void escapeAndF12StayOnThePage()
    {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F12, Qt::Key_A})
            QTest::keyClick(m_Page, key);
        QCOMPARE(m_Holder->keys, QList<int>{Qt::Key_A});
    }

    void clickOnThePageTakesTheFocusFromTheNumbers()
    {
        QApplication::setActiveWindow(m_Holder.get());
        QVERIFY(QTest::qWaitForWindowActive(m_Holder.get()));
        Spin("DelayTime")->setFocus();
        QTRY_VERIFY(Spin("DelayTime")->hasFocus());
        QTest::mouseClick(m_Page->findChild<QWidget*>("MacroPage"), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!Spin("DelayTime")->hasFocus());
    }

    void delayTimeStopsAtTheLongestDelay()
    {
        Spin("DelayTime")->setValue(70000);
        QCOMPARE(Spin("DelayTime")->value(), 65535);
    }

    // The insert-event chooser runs the button page's key and delay dialogs.
    void insertedEventsComeFromTheButtonPagesDialogs()
    {
        ClickMacro("a");
        List("listWidgetKey")->setCurrentRow(2);
        QComboBox* chooser = m_Page->findChild<QComboBox*>("ChooseEvent");

        NextDialog delayDialog([](QWidget* dialog) {
            dialog->findChild<QSpinBox*>()->setValue(250);
            dialog->findChild<QAbstractButton*>("NewHong")->click();
        });
        emit chooser->activated(3);
        QCOMPARE(delayDialog.shown, QString("AddDelayTime"));
        QCOMPARE(ShortTexts(List("listWidgetKey")), (QStringList{"A+", "250ms", "A-"}));

        List("listWidgetKey")->setCurrentRow(2);
        NextDialog keyDialog([](QWidget* dialog) {
            KeyboardHook::HookProc(KeyHookSlot::KeyDialog, KeyMessage::KeyDown, 'C');
            dialog->findChild<QAbstractButton*>("NewHong")->click();
        });
        emit chooser->activated(1);
        QCOMPARE(keyDialog.shown, QString("addKey"));
        QVERIFY(ShortTexts(List("listWidgetKey")).contains("C+"));
    }

    // The macro list's menu offers the page's commands in the language's
    // words; New asks for a name and adds the macro.
    void contextMenuCommandsReachThePage()
    {
        QListWidget* macros = List("listWidgetHong");
        QStringList offered;
        NextDialog menu([&offered](QWidget* popup) {
            auto* shown = qobject_cast<QMenu*>(popup);
            for (QAction* action : shown->actions())
                offered << action->text();
            QAction* first = shown->actions().at(0);
            shown->close();
            first->trigger();
        });
        DialogScript prompt({{"NewHong", "fresh"}});
        emit macros->customContextMenuRequested(QPoint(5, macros->viewport()->height() - 5));
        QCOMPARE(offered, (QStringList{"0:28", "0:29"}));
        QTRY_VERIFY(Texts(macros).contains("fresh"));
        QVERIFY(QFile::exists(m_Folder + "/fresh.ini"));
    }

    void deletingAMacroTellsTheButtonPageItsLabel()
    {
        QSignalSpy deleted(PostMsg::GetInstance(), SIGNAL(SigDeleteMacroButton(QString)));
        ClickMacro("b");
        ModalDialogAnswerer confirm({"NewHong"});
        m_Page->DeleteMacro();
        QCOMPARE(Texts(List("listWidgetHong")), QStringList{"a"});
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted.at(0).at(0).toString(), QString("0:24b"));
    }

    void macroFromTheDeviceJoinsTheList()
    {
        WriteBytes(m_Folder + "/dev.ini", "1\n"); // the button page's loop line
        FlashDataMap record{};
        MacroBlock& block = record.Macros[2];
        std::memcpy(block.Name, "dev", 3);
        block.NameLength = 3;
        block.EventCount = 2;
        block.Events[0] = {0, 1, 0x04, 40};
        block.Events[1] = {1, 1, 0x04, 0};
        QSignalSpy rebuilt(PostMsg::GetInstance(), SIGNAL(SigAddMacroButton()));
        PostMsg::GetInstance()->EmitButtonToMacro(record, 2);
        QVERIFY(Texts(List("listWidgetHong")).contains("dev"));
        QCOMPARE(FileBytes(m_Folder + "/dev.ini"), QByteArray("1\n0x04 1 0\n40ms\n0x04 1 1\n"));
        QCOMPARE(rebuilt.count(), 1);
    }

private:
    static int ReceiverCount(const QByteArray& signal)
    {
        // QObject::receivers is protected: a class of our own names it, and the
        // hub is called through the member pointer, as the QObject it is (it
        // is no object of that class, so it must not be cast to one).
        struct Access : QObject
        {
            using QObject::receivers;
        };
        int (QObject::*receivers)(const char*) const = &Access::receivers;
        return (PostMsg::GetInstance()->*receivers)(signal.constData());
    }
    static QStringList Texts(const QListWidget* list)
    {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    QListWidget* List(const char* name) const { return m_Page->findChild<QListWidget*>(name); }
    QCheckBox* Box(const char* name) const { return m_Page->findChild<QCheckBox*>(name); }
    QSpinBox* Spin(const char* name) const { return m_Page->findChild<QSpinBox*>(name); }
    QLabel* Label(const char* name) const { return m_Page->findChild<QLabel*>(name); }
    QAbstractButton* Button(const char* name) const { return m_Page->findChild<QAbstractButton*>(name); }
    void ClickMacro(const QString& name)
    {
        QListWidget* macros = List("listWidgetHong");
        QListWidgetItem* item = macros->findItems(name, Qt::MatchExactly).value(0);
        QVERIFY(item);
        QTest::mouseClick(macros->viewport(), Qt::LeftButton, {}, macros->visualItemRect(item).center());
        QCOMPARE(macros->currentItem(), item);
    }

    QString m_Folder;
    std::unique_ptr<KeyCatcher> m_Holder;
    Macro* m_Page = nullptr;
};

QTEST_MAIN(TestMacroPage)
#include "tst_macropage.moc"
