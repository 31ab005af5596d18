#include "device/DeviceRecords.h"

#include <cstring>

bool operator==(const FlashDataMap& left, const FlashDataMap& right)
{
    return std::memcmp(&left, &right, sizeof(FlashDataMap)) == 0;
}

bool operator!=(const FlashDataMap& left, const FlashDataMap& right)
{
    return !(left == right);
}

QString VersionText(std::uint16_t versionWord)
{
    return "v" + QString::number(versionWord >> 8) + "." + QString::number(versionWord & 0xFF, 16);
}
