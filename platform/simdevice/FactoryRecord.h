#pragma once

#include "platform/simdevice/DeviceDescription.h"
#include "platform/simdevice/FlashCodec.h"

namespace simdevice {

// The configuration a model leaves the factory with (also what a factory
// reset restores): fixed settings, the model's DPI levels and colours and its
// default button functions.
Record FactoryRecord(const DeviceDescription& description, const QString& group);

}
