#include "core/Timing.h"

#include <QTest>

class TestTiming : public QObject
{
    Q_OBJECT

private slots:
    void scaledShortensDelaysButKeepsStepCounts()
    {
        const Timings scaled = Timings::Scaled(0.01);
        QCOMPARE(scaled.onlineCheckMs, 13);
        QCOMPARE(scaled.settingsWaitStartMs, 25);
        QCOMPARE(scaled.progressFillTickMs, 1); // never 0: a zero timer would spin
        QCOMPARE(scaled.pageWaitSteps, Timings().pageWaitSteps);
        QCOMPARE(scaled.importSettleSteps, Timings().importSettleSteps);
    }

    void scopedOverrideRestoresThePreviousValues()
    {
        {
            Timings shorter;
            shorter.rereadSpacingMs = 30;
            ScopedTimings fast(shorter);
            QCOMPARE(Timing().rereadSpacingMs, 30);
        }
        QCOMPARE(Timing().rereadSpacingMs, 3000);
    }
};

QTEST_GUILESS_MAIN(TestTiming)
#include "tst_timing.moc"
