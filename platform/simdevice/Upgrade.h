#pragma once

#include "platform/simdevice/HIDUsb.h"

#include <string>

// Firmware upgrade of one device at a time, and boot mode after a failed one.
// Needs the library lock.
namespace simdevice {

bool StartUpgrade(const unsigned char* image, UsbUpgradeCallback callback);
int CountBootDevicesFitting(const unsigned char* image);
const char* const* LastUpgradeLogs();
bool IsUpgradeOutcome(const std::string& outcome);
bool SetUpgradeOutcome(int target, const std::string& outcome, int percent, bool sticky);
// A device being upgraded left the bus (cable pulled, receiver unplugged).
void InterruptUpgradeOf(const std::string& deviceId);
// Writes a valid image file; returns its length.
int BuildImage(int target, int cid, int mid, const char* name, int versionWord, int payloadLength,
               unsigned char* out, int outSize);

}
