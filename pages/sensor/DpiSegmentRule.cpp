#include "pages/sensor/DpiSegmentRule.h"

#include "pages/sensor/DpiLevelCodec.h"

#include <QtGlobal>

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

int StepDpiUp(int value)
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

int StepDpiDown(int value)
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
