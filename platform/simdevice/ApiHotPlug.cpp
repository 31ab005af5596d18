// Hot-plug notification on the registering thread.
#include "platform/simdevice/HotPlugRelay.h"
#include "platform/simdevice/SimState.h"

#include <QThread>

using namespace simdevice;

extern "C" {

// Replaces the callback and calls it once before returning, so the caller's
// lists exist at once; later calls follow changes of the bus.
HIDUSB_API int StartUsbChanged(UsbChangedCallback cb, int intervalMs)
{
    {
        SimLock lock;
        SimState& s = State();
        Journal("StartUsbChanged(" + std::to_string(intervalMs) + ")");
        s.hotPlugCallback = cb;
        s.hotPlugIntervalMs = intervalMs > 0 ? intervalMs : 600;
        if (!s.relay || s.relay->thread() != QThread::currentThread()) {
            if (s.relay)
                s.relay->deleteLater();
            s.relay = new HotPlugRelay;
        }
        if (!cb)
            return 1;
    }
    HotPlugRelay::CallRegistered(cb);
    return 1;
}

HIDUSB_API void StopUsbChanged(void)
{
    SimLock lock;
    SimState& s = State();
    Journal("StopUsbChanged");
    s.hotPlugCallback = nullptr;
    s.hotPlugDelivered = s.hotPlugPosted;
    s.hotPlugDeferred = false;
}

}
