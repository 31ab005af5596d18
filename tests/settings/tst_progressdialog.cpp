#include "settings/Progress.h"

#include "FirmwareFlowKit.h"
#include "common/HubLog.h"
#include "core/PostMsg.h"
#include "settings/FirmwareUpdateState.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

namespace {

enum { Prefix = 0, Success = 1, Failure = 2, Confirm = 3 };

QString T(int position)
{
    return TextOf(g_LangTextsProgress, position);
}

QString Percent(int value)
{
    return T(Prefix) + ": " + QString::number(value) + "%";
}

QToolButton* ConfirmButton(const Progress& dialog)
{
    return dialog.findChild<QToolButton*>("NewHong");
}

} // namespace

class TestProgressDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareFirmwareFolders(); }
    void cleanup() { g_UpdateBusy = false; }

    void startsAtOnePercent()
    {
        Progress dialog;
        QCOMPARE(dialog.Caption()->text(), Percent(1));
        QCOMPARE(dialog.Bar()->value(), 0);
        QVERIFY(ConfirmButton(dialog)->isHidden());
        QCOMPARE(ConfirmButton(dialog)->text(), T(Confirm));
        QCOMPARE(dialog.Bar()->format(), QString());
    }

    void reports_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("bar");
        QTest::addColumn<bool>("confirmShown");
        QTest::newRow("progress") << 37 << 0 << Percent(37) << 37 << false;
        QTest::newRow("failure keeps the bar") << 60 << 1 << T(Failure) << 60 << true;
        QTest::newRow("success fills it") << 60 << 2 << T(Success) << 100 << true;
        QTest::newRow("reset") << 60 << 4 << Percent(0) << 0 << false;
        QTest::newRow("other kinds only move the bar") << 42 << 9 << Percent(1) << 42 << false;
    }

    void reports()
    {
        QFETCH(int, value);
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(int, bar);
        QFETCH(bool, confirmShown);
        Progress dialog;
        dialog.SlotProgress(value, kind);
        QCOMPARE(dialog.Caption()->text(), caption);
        QCOMPARE(dialog.Bar()->value(), bar);
        QCOMPARE(!ConfirmButton(dialog)->isHidden(), confirmShown);
    }

    // After a failure the dialog sends the user back to the device list and
    // keeps its text; after a success it resets and lets the next update run.
    void closing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("emitted");
        QTest::addColumn<QString>("caption");
        QTest::newRow("after failure") << 1 << QStringList{"ChangeMainDialog 0"} << T(Failure);
        QTest::newRow("after success") << 2 << QStringList{"Continue 0"} << Percent(0);
    }

    void closing()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, emitted);
        QFETCH(QString, caption);
        Progress dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.SlotProgress(60, kind);
        HubLog log;
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(log.Lines({"ChangeMainDialog", "Continue"}), emitted);
        QCOMPARE(dialog.Caption()->text(), caption);
    }

    void updateUnderWayHoldsTheDialog()
    {
        Progress dialog;
        dialog.show();
        dialog.SlotProgress(60, 2);
        g_UpdateBusy = true;
        HubLog log;
        dialog.findChild<QToolButton*>("CloseButton")->click();
        PostMsg::GetInstance()->EmitCloseProgress();
        QVERIFY(dialog.isVisible());
        QVERIFY(log.Lines({"Continue"}).isEmpty());

        ConfirmButton(dialog)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(log.Lines({"Continue"}), QStringList{"Continue 0"});

        g_UpdateBusy = false;
        dialog.show();
        PostMsg::GetInstance()->EmitCloseProgress();
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestProgressDialog)
#include "tst_progressdialog.moc"
