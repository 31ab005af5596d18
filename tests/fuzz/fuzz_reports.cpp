// A report of the served device through the program's report handler, with
// a simulated 4 kHz receiver as the current device. The input is the
// header's length (its first byte, 0 to 16), the header, then the payload;
// both are handed over in buffers of exactly their length.

#include "FuzzKit.h"

#include "device/DeviceReports.h"
#include "device/DeviceState.h"
#include "platform/simdevice/SimCtl.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kLongestHeader = 16;

void UseSimulatedReceiver()
{
    SimCtl_SetPersistence(nullptr);
    SimCtl_SetManualClock(1);
    SimCtl_LoadScenario("default");
    const QByteArray path = SimCtl_PathOf("rx4k");
    DeviceAllInfo receiver;
    receiver.Path = QString::fromLocal8Bit(path);
    receiver.Identity = 0x0312;
    receiver.Kind = 1;
    receiver.ModelIndex = 0;
    g_CurrentDevice.Set(receiver);
    g_DevicePathC.Set(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    UseShippedDescription();
    static const bool simulated = (UseSimulatedReceiver(), true);
    Q_UNUSED(simulated);
    if (size == 0)
        return 0;
    const std::size_t headerLength = std::min<std::size_t>(data[0] % (kLongestHeader + 1), size - 1);
    std::vector<unsigned char> header(data + 1, data + 1 + headerLength);
    std::vector<unsigned char> payload(data + 1 + headerLength, data + size);
    OnDeviceReport(header.empty() ? nullptr : header.data(), int(header.size()),
                   payload.empty() ? nullptr : payload.data(), int(payload.size()));
    return 0;
}
