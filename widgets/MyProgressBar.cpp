#include "widgets/MyProgressBar.h"

#include <QTimer>

MyProgressBar::MyProgressBar(QWidget* parent)
    : QProgressBar(parent)
    , m_CreepTimer(new QTimer(this))
    , m_FillTimer(new QTimer(this))
{
    setOrientation(Qt::Horizontal);
    setRange(0, 100);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValue(0);
    m_Boundaries = {0, 100};
    connect(m_CreepTimer, &QTimer::timeout, this, &MyProgressBar::Creep);
    connect(m_FillTimer, &QTimer::timeout, this, &MyProgressBar::Fill);
}

void MyProgressBar::Start(int segmentCount, int creepIntervalMs)
{
    const int segments = qMax(1, segmentCount);
    m_Boundaries = {0};
    for (int i = 1; i < segments; ++i)
        m_Boundaries.append(i * (100 / segments));
    m_Boundaries.append(100);
    m_ReachedBoundary = 0;
    m_FillTimer->stop();
    setValue(0);
    m_CreepTimer->start(creepIntervalMs);
}

QString MyProgressBar::text() const
{
    const int range = maximum() - minimum();
    const double percent = range == 0 ? 0.0 : (value() - minimum()) * 100.0 / range;
    return QStringLiteral("%1%").arg(percent, 0, 'f', 1);
}

void MyProgressBar::mUpdate()
{
    const int last = m_Boundaries.size() - 1;
    if (m_ReachedBoundary < last)
        ++m_ReachedBoundary;
    if (m_ReachedBoundary == last)
        m_CreepTimer->stop();
    m_FillTimer->start(kFillIntervalMs);
}

int MyProgressBar::SegmentEnd(int index) const
{
    return m_Boundaries.at(qMin(index, m_Boundaries.size() - 1));
}

void MyProgressBar::Creep()
{
    if (value() + 1 < SegmentEnd(m_ReachedBoundary + 1))
        setValue(value() + 1);
}

void MyProgressBar::Fill()
{
    const int target = SegmentEnd(m_ReachedBoundary);
    if (value() < target)
        setValue(value() + 1);
    if (value() >= target)
        m_FillTimer->stop();
}
