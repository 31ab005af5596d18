// The sensor capability header (driver_sensor.h): both readings of it, the
// button page's DPI-lock codes and the sensor page's DPI level codes of every
// sensor with rules of its own, decoded from every code and flags byte.

#include "FuzzKit.h"

#include "device/DpiCodes.h"
#include "device/SensorHeader.h"
#include "pages/sensor/DpiLevelCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    const QString path = WriteFuzzProgramFile("driver_sensor.h", FuzzBytes(data, size));
    ReadSensorHeader(path, SwitchNamedDefines::Drop);
    const SensorHeader header = ReadSensorHeader(path, SwitchNamedDefines::Keep);

    g_SensorDefineNames.clear();
    g_SensorDefineValues.clear();
    for (const SensorDefine& define : header.defines) {
        g_SensorDefineNames.append(define.name);
        g_SensorDefineValues.append(define.value);
    }
    LoadDpiRangeTables({"50", "10000", "50", "10100", "26000", "100", "33"}, nullptr);
    for (const char* sensor : {"3395", "3950", "3955", "3315", "S312", "OM76", "3311"}) {
        g_SensorName = QLatin1String(sensor);
        for (int which = 0; which < SensorSwitchCount; ++which)
            header.IsListed(SensorSwitch(which), g_SensorName);
        for (int dpi = 100; dpi <= 1200; dpi += 100)
            SensorCodeToDpi(g_SensorName, header.defines, DpiToSensorCode(g_SensorName, header.defines, dpi));
        for (int flags : {0x00, 0x11, 0x22, 0x33, 0xFF})
            for (int code = 0; code < 256; code += 15)
                DecodeLevelDpi(code, flags);
        for (int dpi : {50, 800, 10050, 26000})
            EncodeLevelDpi(dpi, 0);
    }
    return 0;
}
