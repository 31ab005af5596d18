#include "settings/FirmwareLibrary.h"

namespace {
// Handed to the library unchanged.
constexpr int kUpgradeTimeout = 10000;
constexpr int kUpgradeLogLines = 8;

const unsigned char* Bytes(const QByteArray& image)
{
    return reinterpret_cast<const unsigned char*>(image.constData());
}
}

bool StartImageUpgrade(const QByteArray& image, UsbUpgradeCallback callback)
{
    return UsbUpgrade_Start(Bytes(image), callback, kUpgradeTimeout);
}

QStringList UpgradeLogLines()
{
    QStringList lines;
    const char* const* logs = UsbUpgradeC_GetLogs();
    for (int i = 0; logs && i < kUpgradeLogLines; ++i)
        lines << QString::fromLocal8Bit(logs[i] ? logs[i] : "");
    return lines;
}
