#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"

#include "core/LanguageLoader.h"
#include "core/LanguageTables.h"
#include "core/Timing.h"
#include "device/DeviceState.h"
#include "settings/Match.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <thread>

namespace {

// The scenario's receiver with no mouse paired, as the device list lists it.
DeviceAllInfo ListedReceiver(const char* id)
{
    DeviceAllInfo entry;
    entry.Path = QString::fromUtf8(SimCtl_PathOf(id));
    entry.Vid = "2F1E";
    entry.Pid = "5102";
    entry.Kind = 4;
    entry.KindFlag = false;
    return entry;
}

} // namespace

class PairingTest : public QObject
{
    Q_OBJECT

private:
    // Opens the dialog for entry as the device choice does (without exec).
    static void Open(Match& dialog, const DeviceAllInfo& entry)
    {
        g_PairChosenDevice = true;
        g_ChosenDevice = entry;
        dialog.Prepare();
        dialog.show();
    }

    static QPushButton* StartButton(Match& dialog) { return dialog.findChild<QPushButton*>("MatchButton"); }

    // Presses the start button (or its Space key) until a pairing starts: the
    // dialog allows one only once its tick has looked at the receiver. No
    // press once it runs: a late click would start the pairing again.
    static void PressUntilPairing(Match& dialog, bool space = false)
    {
        const auto press = [&] {
            if (g_PairState != 0)
                return true;
            if (space)
                QTest::keyClick(&dialog, Qt::Key_Space);
            else
                StartButton(dialog)->click();
            return g_PairState != 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(press(), 5000);
    }

    // The device pages show entry, as when the main window's Space key opens
    // the dialog.
    static void ShowOnThePages(const DeviceAllInfo& entry)
    {
        g_CurrentDevice.Set(entry);
        g_DevicePageShown = true;
        g_PairChosenDevice = false;
    }

    // Starts pairing the device of the pages, which the pairing holds off.
    static void StartFromThePages(Match& dialog)
    {
        dialog.Prepare();
        dialog.show();
        PressUntilPairing(dialog);
        QCOMPARE(int(g_PairState), 1);
        QVERIFY(g_Pairing);
        QVERIFY(!g_DevicePageShown);
    }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("usersetting/Config.ini"));
        QVERIFY(CopyShippedFiles("Language"));
        LoadLanguageFiles();
    }

    void init() { SetTimings(Timings::Scaled(0.05)); }

    void cleanup()
    {
        SetTimings(Timings());
        g_DevicePageShown = false;
        g_Pairing = false;
    }

    // Every text of the start button fits inside it, in every language, with
    // the animated dots; the result texts also stay clear of the mark drawn
    // at the button's left (the result pictures put it at x 8 to 20).
    void buttonTextsFitTheButton_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Polish") << 1;
    }

    void buttonTextsFitTheButton()
    {
        QFETCH(int, language);
        constexpr int edgeMargin = 6;
        constexpr int markClearance = 24;
        const QStringList texts = g_LangTextsMatch.value(language);
        QCOMPARE(texts.size(), 6);
        Match dialog;
        const QPushButton* button = StartButton(dialog);
        const QFontMetrics metrics = button->fontMetrics();
        const auto fits = [&](const QString& text, int margin) {
            const int width = metrics.horizontalAdvance(text);
            return width <= button->width() - 2 * margin
                       ? QString()
                       : QString("\"%1\" is %2 px wide").arg(text).arg(width);
        };
        QCOMPARE(fits(texts.at(2), edgeMargin), QString());
        QCOMPARE(fits(texts.at(3) + "...", edgeMargin), QString());
        QCOMPARE(fits(texts.at(4), markClearance), QString());
        QCOMPARE(fits(texts.at(5), markClearance), QString());
    }

    void pairingEnds_data()
    {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        QTest::newRow("success") << "success" << 2 << "Paired";
        QTest::newRow("failure") << "fail" << 3 << "Pairing failed";
        QTest::newRow("receiver unplugged") << "unplug" << 3 << "Pairing failed";
        QTest::newRow("no answer") << "never" << 3 << "Pairing failed";
    }

    void pairingEnds()
    {
        QFETCH(QString, outcome);
        QFETCH(int, state);
        QFETCH(QString, text);
        SimDeviceFixture sim("unpaired");
        // Late enough to see the pairing run first.
        SimCtl_SetPairOutcome("rx2k", outcome.toUtf8().constData(), 4000);
        ShowOnThePages(ListedReceiver("rx2k"));
        Match dialog;
        StartFromThePages(dialog);

        QTRY_COMPARE_WITH_TIMEOUT(int(g_PairState), state, 10000);
        QTRY_COMPARE(StartButton(dialog)->text(), text);
        QVERIFY(!g_Pairing);
        QVERIFY(g_DevicePageShown);
        QVERIFY(dialog.isVisible());

        QTest::mouseClick(dialog.findChild<QToolButton*>("CloseButton"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void successPairsTheMouse()
    {
        SimDeviceFixture sim("unpaired");
        Match dialog;
        Open(dialog, ListedReceiver("rx2k"));
        PressUntilPairing(dialog, true);
        QTRY_COMPARE_WITH_TIMEOUT(int(g_PairState), 2, 10000);
        QCOMPARE(SimDeviceFixture::Value("rx2k", "paired"), QString("mouseC"));
        // A second press after success does nothing.
        QTRY_VERIFY(StartButton(dialog)->isEnabled());
        StartButton(dialog)->click();
        QCOMPARE(int(g_PairState), 2);
    }

    void noLeavingWhilePairing()
    {
        SimDeviceFixture sim("unpaired");
        SimCtl_SetPairOutcome("rx2k", "never", 0);
        ShowOnThePages(ListedReceiver("rx2k"));
        Match dialog;
        StartFromThePages(dialog);

        QTest::mouseClick(dialog.findChild<QToolButton*>("CloseButton"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        dialog.close();
        QVERIFY(dialog.isVisible());
        QVERIFY(g_Pairing);
        QVERIFY(!g_DevicePageShown);
    }

    void closingTheDialogEndsAStalePairing()
    {
        SimDeviceFixture sim("unpaired");
        SimCtl_SetPairOutcome("rx2k", "never", 0);
        {
            ShowOnThePages(ListedReceiver("rx2k"));
            Match dialog;
            StartFromThePages(dialog);
        }
        // The dialog is gone: nothing pairs any more and the pages have their device back.
        QVERIFY(!g_Pairing);
        QVERIFY(g_DevicePageShown);

        g_Pairing = true; // left by an earlier dialog
        g_DevicePageShown = false;
        Match next;
        Open(next, ListedReceiver("rx2k"));
        QVERIFY(!g_Pairing);
        PressUntilPairing(next);
    }

    // The start button has Space as its shortcut; a button that also took
    // the key's release would click a second time.
    void oneSpacePressStartsPairingOnce()
    {
        SimDeviceFixture sim("unpaired");
        SimCtl_SetPairOutcome("rx2k", "never", 0);
        Match dialog;
        Open(dialog, ListedReceiver("rx2k"));
        QTRY_VERIFY(StartButton(dialog)->isEnabled());
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QSignalSpy clicks(StartButton(dialog), &QPushButton::clicked);

        // Through the window, as the keyboard's keys come: to the focus widget.
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Space);
        // The shortcut clicks after a short animation; this timer, started
        // later and longer, fires after it.
        QTimer after;
        after.setSingleShot(true);
        QSignalSpy afterAnimation(&after, &QTimer::timeout);
        after.start(300);
        QVERIFY(afterAnimation.wait());

        QCOMPARE(clicks.count(), 1);
        QCOMPARE(SimDeviceFixture::Journal().filter("UsbServer_EnterDonglePairOnlyCid").size(), 1);
        QVERIFY(g_Pairing);
    }

    // Space stays the start button's key whatever the button shows: after a
    // failure it starts the pairing again.
    void spaceStartsAgainAfterAFailure()
    {
        SimDeviceFixture sim("unpaired");
        SimCtl_SetPairOutcome("rx2k", "fail", 0);
        Match dialog;
        Open(dialog, ListedReceiver("rx2k"));
        PressUntilPairing(dialog, true);
        QTRY_COMPARE_WITH_TIMEOUT(int(g_PairState), 3, 10000);
        QTRY_COMPARE(StartButton(dialog)->text(), QString("Pairing failed"));

        SimCtl_JournalClear();
        QTest::keyClick(&dialog, Qt::Key_Space);
        QTRY_COMPARE(SimDeviceFixture::JournalCount("UsbServer_EnterDonglePairOnlyCid"), 1);
    }

    // The receiver's answer reaches the dialog through queued signals: a
    // pairing started again before they arrive runs on to its own end.
    void aPairingStartedBeforeTheLastAnswerArrivesRunsOn()
    {
        SimDeviceFixture sim("unpaired");
        SimCtl_SetPairOutcome("rx2k", "never", 0);
        Match dialog;
        Open(dialog, ListedReceiver("rx2k"));
        PressUntilPairing(dialog);

        // That pairing fails, as the library reports it: on its own thread.
        std::thread library([] {
            unsigned char header[] = {0, 6, 0, 0};
            unsigned char failed[] = {2};
            PairingReceiveCallback(header, 4, failed, 1);
        });
        library.join();
        QCOMPARE(int(g_PairState), 3);
        SimCtl_SetPairOutcome("rx2k", "fail", 0);
        StartButton(dialog)->click();
        QCOMPARE(int(g_PairState), 1);

        QCoreApplication::sendPostedEvents();
        QVERIFY(g_Pairing);
        QVERIFY(StartButton(dialog)->text() != QString("Pairing failed"));
        QTRY_COMPARE_WITH_TIMEOUT(int(g_PairState), 3, 10000);
        QTRY_COMPARE(StartButton(dialog)->text(), QString("Pairing failed"));
        QVERIFY(!g_Pairing);
    }

    void aMouseOnItsCableCannotPair()
    {
        SimDeviceFixture sim("default");
        DeviceAllInfo wired;
        wired.Path = QString::fromUtf8(SimCtl_PathOf("mouseB"));
        wired.Kind = 2;
        wired.KindFlag = true;
        Match dialog;
        Open(dialog, wired);
        QTRY_VERIFY(!StartButton(dialog)->isEnabled());
        QVERIFY(dialog.findChild<QLabel*>("label")->isVisible());
        QVERIFY(!dialog.findChild<QTextEdit*>("textEdit")->isVisible());
        QTest::keyClick(&dialog, Qt::Key_Space);
        QCOMPARE(int(g_PairState), 0);
    }

    void reportsWithoutAPairingStatusAreIgnored()
    {
        g_PairState = 1;
        unsigned char header[] = {0, 6, 0, 0};
        unsigned char failed[] = {2};
        PairingReceiveCallback(header, 4, nullptr, 0);
        PairingReceiveCallback(header, 4, failed, 0);
        PairingReceiveCallback(header, 1, failed, 1);
        QCOMPARE(int(g_PairState), 1);
        PairingReceiveCallback(header, 4, failed, 1);
        QCOMPARE(int(g_PairState), 3);
    }
};

QTEST_MAIN(PairingTest)
#include "tst_pairing.moc"
