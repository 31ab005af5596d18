// The device description (usersetting/Config.ini): the model count and
// identities, the product ids, the model limits an import is judged by, the
// DPI ranges of the sensor page with its rule for keeping a value on them, and
// the theme colours.

#include "FuzzKit.h"

#include "common/ProgramFiles.h"

#include "core/ConfigIni.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "device/RecordLimits.h"
#include "pages/sensor/DpiLevelCodec.h"
#include "pages/sensor/DpiSegmentRule.h"
#include "widgets/FormStyles.h"

#include <limits>

namespace {

void WalkDpiRanges()
{
    DpiOverallRange overall;
    const QStringList range = ConfigIni::GetInstance()->ValueList(ModelGroup(0), "DPIRange");
    if (!LoadDpiRangeTables(range, &overall))
        return;
    g_SensorName = ConfigIni::GetInstance()->Value(ModelGroup(0), "Sensor");
    LargestKeptDpi(overall.minimum.toInt(), overall.maximum.toInt());
    for (int j = 1; j <= g_DpiSegmentCount; ++j) {
        const DpiSegment segment = DpiSegmentValues(j);
        const int below = segment.minimum > std::numeric_limits<int>::min() ? segment.minimum - 1 : segment.minimum;
        const int above = segment.maximum < std::numeric_limits<int>::max() ? segment.maximum + 1 : segment.maximum;
        for (int value : {segment.minimum, segment.maximum, below, above}) {
            int pageStep = 0;
            QuantiseDpi(value, &pageStep);
            StepDpiUp(value);
            StepDpiDown(value);
            EncodeLevelDpi(value, 0x22);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    WriteConfigIniBytes(FuzzBytes(data, size));

    const int total = DeviceTotal();
    ReadProductIds().Joined();
    for (int mid : {0, 3, 4, 255})
        ModelIndexOfMid(mid);
    for (int model : {0, 1, total}) {
        DeviceAllInfo device;
        device.ModelIndex = model;
        g_CurrentDevice.Set(device);
        CurrentModelLimits();
    }
    WalkDpiRanges();
    for (const char* key : {"LabelColor", "ButtonColor", "SliderColor"})
        OptionColorText(key);
    return 0;
}
