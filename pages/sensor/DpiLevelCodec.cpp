#include "pages/sensor/DpiLevelCodec.h"

#include "device/DeviceState.h"
#include "device/DpiCodes.h"
#include "device/Senders.h"

#include <algorithm>

QString g_SensorName;
QStringList g_SensorDefineNames;
QVector<int> g_SensorDefineValues;

int g_DpiRangeCode = 0;
int g_DpiSegmentCount = 0;
QString g_DpiSeg1Min, g_DpiSeg1Max, g_DpiSeg1Step;
QString g_DpiSeg2Min, g_DpiSeg2Max, g_DpiSeg2Step;
QString g_DpiSeg3Min, g_DpiSeg3Max, g_DpiSeg3Step;
QString g_DpiSeg4Min, g_DpiSeg4Max, g_DpiSeg4Step;
QVector<int> g_DpiRangeMins;
QVector<int> g_DpiRangeMaxes;

namespace {

constexpr std::uint8_t kClassLow = 0x11;
constexpr std::uint8_t kClassHigh = 0x22;
constexpr std::uint8_t kClassBoth = 0x33;
constexpr int kLargestTenBitCode = 1023;

QString* SegmentTexts(int j, int item)
{
    static QString* const texts[4][3] = {
        {&g_DpiSeg1Min, &g_DpiSeg1Max, &g_DpiSeg1Step},
        {&g_DpiSeg2Min, &g_DpiSeg2Max, &g_DpiSeg2Step},
        {&g_DpiSeg3Min, &g_DpiSeg3Max, &g_DpiSeg3Step},
        {&g_DpiSeg4Min, &g_DpiSeg4Max, &g_DpiSeg4Step},
    };
    return texts[j - 1][item];
}

// "SENSOR_3395_DPI": the mark of a sensor's code table.
QString TableMark()
{
    return QLatin1String("SENSOR_") + g_SensorName + QLatin1String("_DPI");
}

bool SensorHasTable()
{
    const QString mark = TableMark();
    return std::any_of(g_SensorDefineNames.cbegin(), g_SensorDefineNames.cend(),
                       [&](const QString& name) { return name.contains(mark); });
}

int DefineValue(int i)
{
    return i < g_SensorDefineValues.size() ? g_SensorDefineValues.at(i) : 0;
}

SensorDefines CurrentDefines()
{
    SensorDefines defines;
    defines.reserve(g_SensorDefineNames.size());
    for (int i = 0; i < g_SensorDefineNames.size(); ++i)
        defines.append({g_SensorDefineNames.at(i), DefineValue(i)});
    return defines;
}

bool UsesHighCodeBits(const QString& sensor)
{
    return sensor == QLatin1String("3395") || sensor == QLatin1String("3950") || sensor == QLatin1String("S312")
           || sensor == QLatin1String("OM76");
}

// The range class bits for a DPI value and the divisor that goes with them.
std::uint8_t RangeClassBits(int dpi, int* multiplier)
{
    *multiplier = 1;
    if (g_DpiRangeCode == kClassBoth) {
        // The highest range whose minimum the value reaches.
        int range = -1;
        for (int j = std::min(g_DpiSegmentCount, int(g_DpiRangeMins.size())) - 1; j >= 0; --j) {
            if (g_DpiRangeMins.at(j) <= dpi) {
                range = j;
                break;
            }
        }
        switch (range) {
        case 3: *multiplier = 4; return kClassBoth;
        case 2: *multiplier = 2; return kClassLow;
        case 1: *multiplier = 2; return kClassHigh;
        default: return 0;
        }
    }
    if ((g_DpiRangeCode == kClassLow || g_DpiRangeCode == kClassHigh) && !g_DpiRangeMaxes.isEmpty()
        && dpi > g_DpiRangeMaxes.first()) {
        *multiplier = 2;
        return static_cast<std::uint8_t>(g_DpiRangeCode);
    }
    return 0;
}

// The formula code of a sensor without a code table. Sensors with high code
// bits keep bits 8 and 9 of the code in the flags (bits 2-3 and 6-7).
DpiLevelCode FormulaCode(int dpi, int multiplier, std::uint8_t flags)
{
    int code = 0;
    if (g_SensorName == QLatin1String("S312")) {
        // Read back as code x 50, doubled for the low class bit.
        code = dpi / (50 * ((flags & kClassLow) ? 2 : 1));
    } else if (g_SensorName == QLatin1String("OM76")) {
        // Read back as code x 100 with the high class bit, else (code + 1) x 10;
        // doubled for the low class bit.
        const int base = dpi / ((flags & kClassLow) ? 2 : 1);
        code = (flags & kClassHigh) ? base / 100 : base / 10 - 1;
    } else {
        code = dpi / (multiplier * 50) - 1;
    }
    code = std::max(code, 0);
    if (UsesHighCodeBits(g_SensorName)) {
        code = std::min(code, kLargestTenBitCode);
        const int high = code >> 8;
        flags = static_cast<std::uint8_t>(flags | (high << 6) | (high << 2));
    }
    return {code, flags};
}

} // namespace

bool LoadDpiRangeTables(const QStringList& items, DpiOverallRange* overall)
{
    g_DpiRangeCode = items.isEmpty() ? 0 : items.last().toInt(nullptr, 16);
    g_DpiRangeMins.clear();
    g_DpiRangeMaxes.clear();
    g_DpiSegmentCount = items.isEmpty() ? 0 : (items.size() - 1) / 3;
    const int count = g_DpiSegmentCount;
    if (count < 1 || count > 4)
        return false;
    for (int j = 1; j <= count; ++j) {
        for (int item = 0; item < 3; ++item)
            *SegmentTexts(j, item) = items.at(3 * j - 3 + item);
        g_DpiRangeMins.append(items.at(3 * j - 3).toInt());
        g_DpiRangeMaxes.append(items.at(3 * j - 2).toInt());
    }
    if (overall) {
        overall->minimum = items.at(0);
        overall->maximum = items.at(3 * count - 2);
    }
    return true;
}

DpiSegment DpiSegmentValues(int j)
{
    if (j < 1 || j > 4)
        return {};
    return {SegmentTexts(j, 0)->toInt(), SegmentTexts(j, 1)->toInt(), SegmentTexts(j, 2)->toInt()};
}

DpiLevelCode EncodeLevelDpi(int dpi, std::uint8_t currentFlags)
{
    int multiplier = 1;
    const std::uint8_t flags = RangeClassBits(dpi, &multiplier);
    if (!SensorHasTable())
        return FormulaCode(dpi, multiplier, flags);

    const QString name = TableMark() + QLatin1Char('_') + QString::number(dpi / multiplier);
    const int at = g_SensorDefineNames.indexOf(name);
    if (at >= 0)
        return {DefineValue(at), flags};
    // Not in the table: the plain step code of the level's current class.
    return {(currentFlags & kClassHigh) ? dpi / 100 : dpi / 50, flags};
}

bool EncodeAndSendLevelDpi(int level, int dpi)
{
    if (level < 0 || level >= DpiLevelEntryCount)
        return true;
    const std::uint8_t currentFlags = g_FlashData.Snapshot().DpiLevels[level].RangeBits;
    const DpiLevelCode encoded = EncodeLevelDpi(dpi, currentFlags);
    return SendDPILevelValue(level, encoded.code, encoded.code, encoded.flags);
}

int DecodeLevelDpi(int code, int flags)
{
    return LevelCodeToDpi(g_SensorName, CurrentDefines(), code, flags);
}

QVector<int> LevelDpiReadings()
{
    const SensorDefines defines = CurrentDefines();
    QVector<int> readings;
    for (int classBits : {0, int(kClassLow), int(kClassHigh), int(kClassBoth)}) {
        for (int high = 0; high < 4; ++high) {
            for (int code = 0; code < 256; ++code)
                readings.append(LevelCodeToDpi(g_SensorName, defines, code, classBits | high << 6 | high << 2));
        }
    }
    return readings;
}

bool LevelKeepsDpi(int dpi)
{
    const DpiLevelCode encoded = EncodeLevelDpi(dpi, 0);
    return DecodeLevelDpi(encoded.code & 0xFF, encoded.flags) == dpi;
}
