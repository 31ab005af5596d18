#include "device/DpiCodes.h"

#include <QtGlobal>

#include <limits>

namespace {

// The range class bits of a DPI level's flags byte, and the two code bits
// some sensors keep in its bits 6 and 7.
constexpr int kClassLow = 0x11;
constexpr int kClassHigh = 0x22;
constexpr int kHighCodeBits = 0xC0;

// "SENSOR_3395_DPI": the mark of a sensor's code table.
QString TableMark(const QString& sensor)
{
    return QLatin1String("SENSOR_") + sensor + QLatin1String("_DPI");
}

// "SENSOR_3395_DPI_": what precedes the DPI value in an entry's name.
QString EntryPrefix(const QString& sensor)
{
    return TableMark(sensor) + QLatin1Char('_');
}

bool HasTable(const QString& sensor, const SensorDefines& defines)
{
    const QString mark = TableMark(sensor);
    for (const SensorDefine& define : defines) {
        if (define.name.contains(mark))
            return true;
    }
    return false;
}

// The DPI written after the entry prefix; 0 when the name has none.
int DpiInEntryName(const QString& name, const QString& sensor)
{
    const QString prefix = EntryPrefix(sensor);
    const int at = name.indexOf(prefix);
    if (at < 0)
        return 0;
    return name.mid(at + prefix.size()).toInt();
}

} // namespace

int DpiToSensorCode(const QString& sensor, const SensorDefines& defines, int dpi)
{
    if (HasTable(sensor, defines)) {
        const QString name = EntryPrefix(sensor) + QString::number(dpi);
        for (const SensorDefine& define : defines) {
            if (define.name == name)
                return define.value;
        }
        return dpi / 50;
    }
    if (sensor == QLatin1String("S312"))
        return dpi / 50;
    if (sensor == QLatin1String("3955"))
        return dpi - 1;
    if (sensor == QLatin1String("OM76")) {
        const int code = dpi / 10 - 1;
        return code >= 256 ? code & 0xFF : code;
    }
    // "3395", "3950", "3315" and every other model.
    return dpi / 50 - 1;
}

int SensorCodeToDpi(const QString& sensor, const SensorDefines& defines, int code)
{
    if (HasTable(sensor, defines)) {
        const QString mark = TableMark(sensor);
        for (const SensorDefine& define : defines) {
            if (define.value == code && define.name.contains(mark))
                return DpiInEntryName(define.name, sensor);
        }
        return 0;
    }
    if (sensor == QLatin1String("3955"))
        return code + 1;
    if (sensor == QLatin1String("S312"))
        return code * 50;
    if (sensor == QLatin1String("OM76"))
        return code * 10 + 10;
    // "3395", "3950", "3315" and every other model.
    return code * 50 + 50;
}

int LevelCodeToDpi(const QString& sensor, const SensorDefines& defines, int code, int flags)
{
    const bool highClass = (flags & kClassHigh) != 0;
    // Wide enough for any table value doubled twice; the result is cut to int.
    qint64 dpi = 0;
    if (HasTable(sensor, defines)) {
        const QString mark = TableMark(sensor);
        for (int i = 0; i < defines.size(); ++i) {
            if (!defines.at(i).name.contains(mark) || defines.at(i).value != code)
                continue;
            dpi = DpiInEntryName(defines.at(i).name, sensor);
            if (highClass && sensor == QLatin1String("3315")) {
                // This sensor lists the high-range value as a second entry of the same code.
                for (int later = i + 1; later < defines.size(); ++later) {
                    if (defines.at(later).name.contains(mark) && defines.at(later).value == code) {
                        dpi = DpiInEntryName(defines.at(later).name, sensor);
                        break;
                    }
                }
            } else if (highClass) {
                dpi *= 2;
            }
            break;
        }
    } else {
        const qint64 tenBitCode = qint64(code) + (flags & kHighCodeBits) * 4;
        const int step = highClass ? 100 : 50;
        if (sensor == QLatin1String("3395") || sensor == QLatin1String("3950"))
            dpi = (tenBitCode + 1) * step;
        else if (sensor == QLatin1String("S312"))
            dpi = tenBitCode * 50;
        else if (sensor == QLatin1String("OM76"))
            dpi = highClass ? tenBitCode * 100 : (tenBitCode + 1) * 10;
        else
            dpi = (qint64(code) + 1) * step;
    }
    if (flags & kClassLow)
        dpi *= 2;
    return int(qBound<qint64>(std::numeric_limits<int>::min(), dpi, std::numeric_limits<int>::max()));
}

bool DpiLockFitsRecord(const QString& sensor, const SensorDefines& defines, int dpi)
{
    const int storedCode = DpiToSensorCode(sensor, defines, dpi) & 0xFF;
    return SensorCodeToDpi(sensor, defines, storedCode) == dpi;
}
