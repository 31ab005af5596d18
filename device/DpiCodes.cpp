#include "device/DpiCodes.h"

namespace {

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

bool DpiLockFitsRecord(const QString& sensor, const SensorDefines& defines, int dpi)
{
    const int storedCode = DpiToSensorCode(sensor, defines, dpi) & 0xFF;
    return SensorCodeToDpi(sensor, defines, storedCode) == dpi;
}
