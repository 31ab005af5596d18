#include "common/ModalDialogAnswerer.h"
#include "common/TestFolders.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/KeyCodes.h"
#include "pages/buttons/CaptureKeyNames.h"
#include "pages/buttons/GroupKey.h"
#include "pages/buttons/addKey.h"
#include "platform/KeyboardHook.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// A key event as the hook hands it over: virtual-key code and key down.
struct Key
{
    int code;
    bool down = true;
};

using MakeCaptureDialog = std::function<KeyCaptureDialog*()>;

} // namespace

Q_DECLARE_METATYPE(QList<Key>)
Q_DECLARE_METATYPE(MakeCaptureDialog)
Q_DECLARE_METATYPE(KeyHookSlot)

namespace {

constexpr int A = 0x41, B = 0x42, C = 0x43, D = 0x44, E = 0x45, F = 0x46;

void Press(KeyCaptureDialog& dialog, const QList<Key>& keys)
{
    for (const Key& key : keys)
        dialog.UpdateCapslockTip(key.code, key.down, false);
}

QString EntryOf(QDialog& dialog)
{
    return dialog.findChild<QLineEdit*>("lineEdit")->text();
}

void Tick(QDialog& dialog, const char* box)
{
    dialog.findChild<QCheckBox*>(box)->setChecked(true);
}

} // namespace

class TestCaptureDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));
    }

    // Every name the dialogs return is one the device link turns into a key.
    void everyCapturedNameIsAKeyOfTheDevice()
    {
        int combinationNames = 0;
        for (int code = 0; code < 256; ++code) {
            const QString name = CombinationKeyName(code);
            if (!name.isEmpty()) {
                ++combinationNames;
                QVERIFY2(KeyEventRecordFromText(name).Events[0].Code != 0, qPrintable(name));
            }
            const QString single = SingleKeyName(code);
            if (!single.isEmpty())
                QVERIFY2(!MacroKeyTokens(single).isEmpty(), qPrintable(single));
        }
        QCOMPARE(combinationNames, 95);
    }

    void keyNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("combination");
        QTest::addColumn<QString>("single");
        QTest::newRow("letter") << A << "A" << "A";
        QTest::newRow("digit") << 0x35 << "5" << "5";
        QTest::newRow("keypad") << 0x6B << "Num+" << "Num+";
        QTest::newRow("arrow") << 0x26 << QString(QChar(0x2191)) << QString(QChar(0x2191));
        QTest::newRow("backslash") << 0xDC << "\\" << "\\";
        QTest::newRow("F12") << 0x7B << "F12" << "F12";
        QTest::newRow("Clear has no name") << 0x0C << "" << "";
        QTest::newRow("generic Shift") << 0x10 << "" << "";
        QTest::newRow("left Shift") << 0xA0 << "" << "LShift";
        QTest::newRow("right Ctrl") << 0xA3 << "" << "RCtrl";
        QTest::newRow("right Alt") << 0xA5 << "" << "RAlt";
        QTest::newRow("left Win") << 0x5B << "" << "LWin";
        QTest::newRow("out of range") << 0x1FF << "" << "";
    }

    void keyNames()
    {
        QFETCH(int, code);
        QFETCH(QString, combination);
        QFETCH(QString, single);
        QCOMPARE(CombinationKeyName(code), combination);
        QCOMPARE(SingleKeyName(code), single);
    }

    void combinationEntry_data()
    {
        QTest::addColumn<QList<Key>>("keys");
        QTest::addColumn<QString>("entry");
        QTest::newRow("three keys") << QList<Key>{{A}, {B}, {C}} << "A+B+C";
        QTest::newRow("a fourth key begins anew") << QList<Key>{{A}, {B}, {C}, {D}} << "D";
        QTest::newRow("the third key again begins anew") << QList<Key>{{A}, {B}, {C}, {C}} << "C";
        QTest::newRow("a held key counts once") << QList<Key>{{A}, {A}, {A}, {B}} << "A+B";
        QTest::newRow("the same key again") << QList<Key>{{A}, {A, false}, {A}} << "A";
        QTest::newRow("releases are ignored") << QList<Key>{{A}, {B, false}, {C, false}} << "A";
        QTest::newRow("a key counts once per entry") << QList<Key>{{A}, {B}, {A}} << "A+B";
        QTest::newRow("1 after Num1") << QList<Key>{{0x61}, {0x31}} << "Num1+1";
        QTest::newRow("P after PgUp") << QList<Key>{{0x21}, {0x50}} << "PgUp+P";
        QTest::newRow("Num1 after 1") << QList<Key>{{0x31}, {0x61}} << "1+Num1";
        QTest::newRow("Num+ is one key") << QList<Key>{{0x6B}, {A}, {B}} << "Num++A+B";
        QTest::newRow("after a full entry with Num+") << QList<Key>{{0x6B}, {A}, {B}, {C}} << "C";
        QTest::newRow("Shift names nothing") << QList<Key>{{A}, {0xA0}, {0x10}} << "A";
        QTest::newRow("Shift empties a full entry") << QList<Key>{{A}, {B}, {C}, {0xA0}} << "";
        QTest::newRow("Escape is a key") << QList<Key>{{0x1B}} << "Esc";
    }

    void combinationEntry()
    {
        QFETCH(QList<Key>, keys);
        QFETCH(QString, entry);
        GroupKey dialog;
        Press(dialog, keys);
        QCOMPARE(EntryOf(dialog), entry);
    }

    // The window of an entry runs from its first key: a key after it begins a
    // new entry, even when keys came in between.
    void entryWindowRunsFromTheEntrysFirstKey()
    {
        Timings timings;
        timings.keyComboEntryWindowMs = 400;
        ScopedTimings shortWindow(timings);
        GroupKey dialog;
        Press(dialog, {{A}, {B}, {C}});
        QTest::qWait(250);
        Press(dialog, {{D}});
        QCOMPARE(EntryOf(dialog), QString("D"));
        QTest::qWait(250); // past A's window, within D's
        Press(dialog, {{E}});
        QCOMPARE(EntryOf(dialog), QString("D+E"));
        QTest::qWait(500);
        Press(dialog, {{F}});
        QCOMPARE(EntryOf(dialog), QString("F"));
        QTest::qWait(500);
        Press(dialog, {{F}}); // the same key in a new window counts again
        QCOMPARE(EntryOf(dialog), QString("F"));
        Press(dialog, {{A}});
        QCOMPARE(EntryOf(dialog), QString("F+A"));
    }

    void combinationAnswer_data()
    {
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QList<Key>>("keys");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("keyText");
        QTest::newRow("modifiers first, in fixed order")
            << QStringList{"Ctrl", "Shift"} << QList<Key>{{A}} << true << "Shift+Ctrl+A";
        QTest::newRow("modifiers alone") << QStringList{"Win", "Alt"} << QList<Key>{} << true << "Alt+Win";
        QTest::newRow("keys alone") << QStringList{} << QList<Key>{{0xA2}, {0x12}, {0x2E}} << true << "Del";
        QTest::newRow("Num+ is one part") << QStringList{"Ctrl"} << QList<Key>{{0x6B}, {A}} << true << "Ctrl+Num++A";
        QTest::newRow("nothing entered is no answer") << QStringList{} << QList<Key>{} << false << "";
    }

    void combinationAnswer()
    {
        QFETCH(QStringList, ticked);
        QFETCH(QList<Key>, keys);
        QFETCH(bool, ok);
        QFETCH(QString, keyText);
        GroupKey dialog;
        for (const QString& box : ticked)
            Tick(dialog, qPrintable(box));
        Press(dialog, keys);
        ModalDialogAnswerer answerer({"NewHong"});
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(dialog.IsOk, ok);
        QCOMPARE(dialog.KeyText, keyText);
    }

    // Four parts are refused with the notice over the dialog; the dialog stays
    // open with an empty entry and takes keys again.
    void morePartsThanThreeAreRefused()
    {
        GroupKey dialog;
        dialog.move(120, 80);
        dialog.show();
        for (const char* box : {"Shift", "Ctrl", "Win"})
            Tick(dialog, box);
        Press(dialog, {{A}});
        ModalDialogAnswerer answerer({"CloseButton"});
        dialog.on_NewHong_clicked();
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("GroupMaxThree"));
        QCOMPARE(answerer.Records().at(0).position, dialog.mapToGlobal(QPoint(0, 0)));
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.IsOk);
        QCOMPARE(EntryOf(dialog), QString());

        Press(dialog, {{A}}); // the same key as before the notice counts again
        QCOMPARE(EntryOf(dialog), QString("A"));
        dialog.findChild<QCheckBox*>("Win")->setChecked(false);
        dialog.on_NewHong_clicked();
        QVERIFY(dialog.IsOk);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.KeyText, QString("Shift+Ctrl+A"));
    }

    // Pasted text: known names in their own spelling, the rest in upper case;
    // OK refuses what is no key and empties the entry.
    void pastedEntry_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("ok");
        QTest::newRow("letters") << "a+b" << "A+B" << true;
        QTest::newRow("named keys") << "esc+pgup+num+" << "Esc+PgUp+Num+" << true;
        QTest::newRow("no key") << "hello" << "HELLO" << false;
        QTest::newRow("empty part") << "a++b" << "A++B" << false;
    }

    void pastedEntry()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        QFETCH(bool, ok);
        GroupKey dialog;
        dialog.on_lineEdit_textEdited(pasted);
        QCOMPARE(EntryOf(dialog), shown);
        dialog.on_NewHong_clicked();
        QCOMPARE(dialog.IsOk, ok);
        QCOMPARE(dialog.KeyText, ok ? shown : QString());
        QCOMPARE(EntryOf(dialog), ok ? shown : QString());
    }

    // Escape and F12 neither close nor cancel; Cancel and the close button
    // answer nothing.
    void endingTheCombinationDialog()
    {
        GroupKey dialog;
        Press(dialog, {{A}});
        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape, "NewHong_2"});
        QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_F12); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(answerer.Records().size(), 2);
        QVERIFY(!dialog.IsOk);

        GroupKey closed;
        Press(closed, {{A}});
        closed.on_CloseButton_clicked();
        QVERIFY(!closed.IsOk);
        QCOMPARE(closed.result(), int(QDialog::Rejected));
    }

    void singleKeyCapture_data()
    {
        QTest::addColumn<QList<Key>>("keys");
        QTest::addColumn<QString>("keyText");
        QTest::newRow("press and release") << QList<Key>{{A}, {A, false}} << "A";
        QTest::newRow("Shift released last") << QList<Key>{{0xA0}, {A}, {A, false}, {0xA0, false}} << "LShift";
        QTest::newRow("Shift released first") << QList<Key>{{0xA0}, {0xA0, false}, {A}, {A, false}} << "A";
        QTest::newRow("right Alt") << QList<Key>{{0xA5}, {0xA5, false}} << "RAlt";
        QTest::newRow("Escape") << QList<Key>{{0x1B}} << "Esc";
        QTest::newRow("F12") << QList<Key>{{0x7B}} << "F12";
        QTest::newRow("a key without a name last") << QList<Key>{{A}, {0x10}} << "";
    }

    void singleKeyCapture()
    {
        QFETCH(QList<Key>, keys);
        QFETCH(QString, keyText);
        addKey dialog;
        Press(dialog, keys);
        QCOMPARE(dialog.KeyText, keyText);
        QCOMPARE(EntryOf(dialog), keyText);
    }

    // OK accepts a caught key (exec 1); without one it answers nothing, like
    // Cancel (exec 0); Escape does not end the dialog.
    void singleKeyAnswer_data()
    {
        QTest::addColumn<QList<Key>>("keys");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << QList<Key>{{A}} << QStringList{"NewHong"} << int(QDialog::Accepted) << true;
        QTest::newRow("OK without a key") << QList<Key>{{0x10}} << QStringList{"NewHong"} << int(QDialog::Rejected)
                                          << false;
        QTest::newRow("Cancel") << QList<Key>{{A}} << QStringList{"NewHong_2"} << int(QDialog::Rejected) << false;
        QTest::newRow("Escape, then close") << QList<Key>{{A}}
                                            << QStringList{ModalDialogAnswerer::kEscape, "CloseButton"}
                                            << int(QDialog::Rejected) << false;
    }

    void singleKeyAnswer()
    {
        QFETCH(QList<Key>, keys);
        QFETCH(QStringList, answers);
        QFETCH(int, result);
        QFETCH(bool, ok);
        addKey dialog;
        Press(dialog, keys);
        ModalDialogAnswerer answerer(answers);
        QCOMPARE(dialog.exec(), result);
        QVERIFY(answerer.AllAnswered());
        QCOMPARE(dialog.IsOk, ok);
    }

    // Each dialog listens to its own hook slot only.
    void hookFeedsTheOpenDialogs()
    {
        GroupKey combination;
        addKey single;
        KeyboardHook::HookProc(KeyHookSlot::ComboDialog, KeyMessage::KeyDown, A);
        KeyboardHook::HookProc(KeyHookSlot::KeyDialog, KeyMessage::KeyDown, B);
        KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyDown, C);
        QCOMPARE(EntryOf(combination), QString("A"));
        QCOMPARE(single.KeyText, QString("B"));
    }

    // Keys typed while the dialog's window is in front reach the entry, which
    // no typed key edits; Escape is caught and does not end the dialog.
    void keysTypedInTheDialogWindowAreCaught()
    {
        GroupKey dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_Escape, Qt::Key_F12})
            QTest::keyClick(dialog.windowHandle(), key);
        QCOMPARE(EntryOf(dialog), QString("A+Esc+F12"));
        QVERIFY(dialog.isVisible());
        dialog.on_NewHong_2_clicked();
    }

    // Whichever way the dialog ends, its hook goes, and the callback it left
    // never reaches the dialog once it is destroyed.
    void everyEndRemovesTheHook_data()
    {
        QTest::addColumn<MakeCaptureDialog>("make");
        QTest::addColumn<KeyHookSlot>("slot");
        QTest::addColumn<QString>("end"); // a button, "window close" or "destroyed"
        const QList<QPair<QString, MakeCaptureDialog>> dialogs = {
            {"GroupKey", [] { return new GroupKey; }},
            {"addKey", [] { return new addKey; }},
        };
        for (const auto& dialog : dialogs) {
            const KeyHookSlot slot = dialog.first == "GroupKey" ? KeyHookSlot::ComboDialog : KeyHookSlot::KeyDialog;
            for (const QString end : {"NewHong", "NewHong_2", "CloseButton", "window close", "destroyed"})
                QTest::newRow(qPrintable(dialog.first + " " + end)) << dialog.second << slot << end;
        }
    }

    void everyEndRemovesTheHook()
    {
        QFETCH(MakeCaptureDialog, make);
        QFETCH(KeyHookSlot, slot);
        QFETCH(QString, end);
        std::unique_ptr<KeyCaptureDialog> dialog(make());
        QVERIFY(KeyboardHook(slot).IsInstalled());
        dialog->show();
        KeyboardHook::HookProc(slot, KeyMessage::KeyDown, A);
        if (end == "window close")
            dialog->close();
        else if (end == "destroyed")
            dialog.reset();
        else
            dialog->findChild<QToolButton*>(end)->click();
        QVERIFY(!KeyboardHook(slot).IsInstalled());
        if (dialog)
            QVERIFY(!dialog->isVisible());

        dialog.reset();
        KeyboardHook bare(slot); // the dialog's callback is still registered
        bare.Install();
        KeyboardHook::HookProc(slot, KeyMessage::KeyDown, B);
        bare.Uninstall();
    }
};

QTEST_MAIN(TestCaptureDialogs)
#include "tst_capturedialogs.moc"
