#include "pages/sensor/DpiSegmentRule.h"

#include "pages/sensor/DpiLevelCodec.h"

#include <QHash>
#include <QSet>
#include <QtGlobal>

#include <algorithm>
#include <limits>

namespace {

// value + step, stopping at the ends of int: the description's ranges and
// steps can be any numbers.
int Stepped(int value, qint64 step)
{
    return int(qBound<qint64>(std::numeric_limits<int>::min(), qint64(value) + step,
                              std::numeric_limits<int>::max()));
}

// The segments in force, or none when the loaded count is not 1 to 4.
int SegmentCount()
{
    return g_DpiSegmentCount >= 1 && g_DpiSegmentCount <= 4 ? g_DpiSegmentCount : 0;
}

// The values a level keeps within the ranges, ascending: those on the
// ranges' grid, or, when the sensor's code reaches none of them, all of them.
// Worked out again only when the sensor or its ranges change, as the slider
// asks at every move.
const QVector<int>& KeptValues()
{
    static QString cachedFor;
    static QVector<int> kept;
    QString fingerprint = g_SensorName;
    for (const QString* text : {&g_DpiSeg1Min, &g_DpiSeg1Max, &g_DpiSeg1Step, &g_DpiSeg2Min, &g_DpiSeg2Max,
                                &g_DpiSeg2Step, &g_DpiSeg3Min, &g_DpiSeg3Max, &g_DpiSeg3Step, &g_DpiSeg4Min,
                                &g_DpiSeg4Max, &g_DpiSeg4Step})
        fingerprint += QLatin1Char('|') + *text;
    fingerprint += QStringLiteral("|%1|%2|%3|%4")
                       .arg(g_DpiSegmentCount)
                       .arg(g_DpiRangeCode)
                       .arg(qHash(g_SensorDefineNames))
                       .arg(qHash(g_SensorDefineValues));
    if (fingerprint == cachedFor)
        return kept;
    cachedFor = fingerprint;
    kept.clear();
    const int count = SegmentCount();
    if (count == 0)
        return kept;
    const int lowest = DpiSegmentValues(1).minimum;
    const int highest = DpiSegmentValues(count).maximum;
    QSet<int> tried;
    QVector<int> offGrid;
    for (int value : LevelDpiReadings()) {
        if (value < lowest || value > highest || tried.contains(value))
            continue;
        tried.insert(value);
        if (!LevelKeepsDpi(value))
            continue;
        int pageStep = 0;
        (QuantiseDpi(value, &pageStep) == value ? kept : offGrid).append(value);
    }
    if (kept.isEmpty())
        kept = offGrid;
    std::sort(kept.begin(), kept.end());
    return kept;
}

// The largest kept value at most value (below) or the smallest at least
// value (above); false when there is none.
bool NearestKept(int value, bool below, int* nearest)
{
    const QVector<int>& kept = KeptValues();
    if (below) {
        const auto after = std::upper_bound(kept.cbegin(), kept.cend(), value);
        if (after == kept.cbegin())
            return false;
        *nearest = *(after - 1);
        return true;
    }
    const auto at = std::lower_bound(kept.cbegin(), kept.cend(), value);
    if (at == kept.cend())
        return false;
    *nearest = *at;
    return true;
}

} // namespace

int QuantiseDpi(int value, int* pageStep)
{
    const int count = SegmentCount();
    for (int j = 1; j <= count; ++j) {
        const DpiSegment segment = DpiSegmentValues(j);
        if (segment.minimum <= value && value <= segment.maximum) {
            // A segment without a positive step cannot round; the value stays.
            if (segment.step <= 0)
                return value;
            *pageStep = segment.step;
            return value - value % segment.step;
        }
        if (j < count) {
            const DpiSegment next = DpiSegmentValues(j + 1);
            if (segment.maximum < value && value < next.minimum) {
                if (next.step > 0)
                    *pageStep = next.step;
                return next.minimum;
            }
        }
    }
    return value;
}

int KeptLevelDpi(int value, int* pageStep)
{
    const int quantised = QuantiseDpi(value, pageStep);
    if (KeptValues().isEmpty() || LevelKeepsDpi(quantised))
        return quantised;
    // The nearer of the kept values on either side, the lower one on a tie:
    // always taking the lower one would leave the top of a sparse table out
    // of the slider's reach.
    int below = quantised;
    int above = quantised;
    const bool hasBelow = NearestKept(quantised, true, &below);
    const bool hasAbove = NearestKept(quantised, false, &above);
    const int kept = !hasAbove || (hasBelow && qint64(quantised) - below <= qint64(above) - quantised) ? below : above;
    // The page step follows the segment of the value kept.
    QuantiseDpi(kept, pageStep);
    return kept;
}

namespace {

// The segment rule's step from value, moved on to a kept value beyond value
// where it ends on one that is not; value when there is none.
int SteppedToKept(int value, int stepped, bool up)
{
    int pageStep = 0;
    const int landed = KeptLevelDpi(stepped, &pageStep);
    if (up ? landed > value : landed < value)
        return landed;
    const QVector<int>& kept = KeptValues();
    if (up) {
        const auto above = std::upper_bound(kept.cbegin(), kept.cend(), value);
        return above == kept.cend() ? value : *above;
    }
    const auto notBelow = std::lower_bound(kept.cbegin(), kept.cend(), value);
    return notBelow == kept.cbegin() ? value : *(notBelow - 1);
}

int SegmentStepUp(int value)
{
    const int count = SegmentCount();
    for (int j = 1; j <= count; ++j) {
        const DpiSegment segment = DpiSegmentValues(j);
        const bool inside = j == count ? segment.minimum <= value && value <= segment.maximum
                                       : segment.minimum <= value && value < segment.maximum;
        if (inside)
            return Stepped(value, segment.step);
        if (j < count) {
            const DpiSegment next = DpiSegmentValues(j + 1);
            if (segment.maximum <= value && value < next.minimum)
                return next.minimum;
        }
    }
    return value;
}

int SegmentStepDown(int value)
{
    const int count = SegmentCount();
    for (int j = 1; j <= count; ++j) {
        const DpiSegment segment = DpiSegmentValues(j);
        if (segment.minimum <= value && value <= segment.maximum)
            return Stepped(value, -qint64(segment.step));
        if (j < count) {
            const DpiSegment next = DpiSegmentValues(j + 1);
            if (segment.maximum < value && value < next.minimum)
                return next.minimum;
        }
    }
    return value;
}

} // namespace

int StepDpiUp(int value)
{
    return SteppedToKept(value, SegmentStepUp(value), true);
}

int StepDpiDown(int value)
{
    return SteppedToKept(value, SegmentStepDown(value), false);
}

int LargestKeptDpi(int minimum, int maximum)
{
    // A value a level keeps is what the decoder reads from some code and
    // flags byte, so those few thousand readings are all that need trying:
    // walking down the range itself took as long as the description's
    // numbers were large.
    bool found = false;
    int largest = maximum;
    for (int value : LevelDpiReadings()) {
        if (value < minimum || value > maximum || (found && value <= largest))
            continue;
        int pageStep = 0;
        if (QuantiseDpi(value, &pageStep) == value && LevelKeepsDpi(value)) {
            largest = value;
            found = true;
        }
    }
    return largest;
}
