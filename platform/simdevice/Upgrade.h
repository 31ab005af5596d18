#pragma once

#include "platform/simdevice/HIDUsb.h"

#include <string>

// Firmware upgrade of one device at a time, and boot mode after a failed one.
// Needs the library lock.
namespace simdevice {

// timeoutMs: how long the library waits for a device that stops answering
// before it gives the write up; 0 or less waits for good.
bool StartUpgrade(const unsigned char* image, UsbUpgradeCallback callback, int timeoutMs);
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
