#pragma once

#include <QList>
#include <QProgressBar>

class QTimer;

// A progress bar for work that reports whole segments: between reports it
// creeps slowly towards the end of the running segment (never reaching it), and
// each report (mUpdate) fills the segment quickly. The text is the percentage
// with one decimal.
class MyProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    explicit MyProgressBar(QWidget* parent = nullptr);

    // Splits 0..100 into segmentCount segments and starts creeping, one step
    // every creepIntervalMs.
    void Start(int segmentCount, int creepIntervalMs);

    QString text() const override;

    // Interval of the quick fill after a segment is reported.
    static constexpr int kFillIntervalMs = 5;

public slots:
    void mUpdate();

private:
    void Creep();
    void Fill();
    int SegmentEnd(int index) const;

    QTimer* m_CreepTimer;
    QTimer* m_FillTimer;
    QList<int> m_Boundaries;
    int m_ReachedBoundary = 0;
};
