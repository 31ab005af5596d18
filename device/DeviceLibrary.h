#pragma once

// The program's one view of the device library: every call into the library
// goes through the declarations included here.
#include "platform/simdevice/HIDUsb.h"
