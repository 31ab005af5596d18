#include "device/BootModeDevices.h"

#include "core/ConfigIni.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/FirmwareImages.h"

#include <algorithm>

namespace {

// The receiver class whose image the model's group names name; 0 when none.
int ReceiverClassNamed(const QString& group, const QString& name)
{
    ConfigIni* config = ConfigIni::GetInstance();
    for (int receiverClass : {1, 2, 4, 8}) {
        if (config->Value(group, ReceiverImageKey(receiverClass)) == name)
            return receiverClass;
    }
    return 0;
}

// The device an image of the description's customer is for, when the
// description names the image for the model of its MID.
bool DeviceNamedByDescription(const FirmwareImageInfo& image, BootModeDevice& device)
{
    ConfigIni* config = ConfigIni::GetInstance();
    const int model = ModelIndexOfMid(image.mid);
    if (image.name.isEmpty() || image.cid != std::uint8_t(config->Value("Option", "CID").toInt()) || model < 0)
        return false;
    const QString group = ModelGroup(model);
    device = {image.target, 0, image.cid, image.mid};
    if (image.target == FirmwareTargetMouse)
        return config->Value(group, "MM") == image.name;
    if (image.target != FirmwareTargetReceiver)
        return false;
    device.receiverClass = ReceiverClassNamed(group, image.name);
    return device.receiverClass != 0;
}

} // namespace

int BootDevicesFitting(const QList<QByteArray>& keptImages, int preset)
{
    if (keptImages.isEmpty())
        return 0;
    int count = preset;
    UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char*>(keptImages.first().constData()), &count);
    return std::max(count, 0);
}

bool FindBootModeDevice(BootModeDevice& found)
{
    for (const QByteArray& image : IntactFirmwareImages()) {
        FirmwareImageInfo info;
        BootModeDevice device;
        if (ReadFirmwareImageInfo(image, info) && DeviceNamedByDescription(info, device)
            && BootDevicesFitting({image}) > 0) {
            found = device;
            return true;
        }
    }
    return false;
}
