#pragma once

// The program's one view of the device library: every call into the library
// goes through the declarations included here. The library reads and writes
// the program's records as raw bytes, so their sizes must be the library's.
#include "device/DeviceRecords.h"
#include "platform/simdevice/HIDUsb.h"

static_assert(sizeof(FlashDataMap) == HIDUSB_RECORD_SIZE, "FlashDataMap is the library's record");
static_assert(sizeof(DongleRGB) == HIDUSB_DONGLERGB_SIZE, "DongleRGB is the library's receiver-LED record");
