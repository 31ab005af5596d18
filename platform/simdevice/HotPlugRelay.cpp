#include "platform/simdevice/HotPlugRelay.h"

#include "platform/simdevice/SimState.h"

namespace simdevice {
namespace {

thread_local int t_hotPlugDepth = 0;

}

HotPlugRelay::HotPlugRelay()
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HotPlugRelay::Deliver);
}

void HotPlugRelay::PostChange()
{
    QMetaObject::invokeMethod(this, "Arm", Qt::QueuedConnection);
}

void HotPlugRelay::Arm()
{
    int delay = 0;
    {
        SimLock lock;
        delay = int(Scaled(State().hotPlugIntervalMs));
    }
    m_timer.start(delay);
}

void HotPlugRelay::Deliver()
{
    UsbChangedCallback callback = nullptr;
    {
        SimLock lock;
        SimState& s = State();
        if (t_hotPlugDepth > 0) {
            s.hotPlugDeferred = true;
            return;
        }
        if (s.relay != this)
            return;
        if (s.hotPlugDelivered == s.hotPlugPosted || !s.hotPlugCallback) {
            s.hotPlugDelivered = s.hotPlugPosted;
            return;
        }
        callback = s.hotPlugCallback;
    }
    CallRegistered(callback);
}

void HotPlugRelay::CallRegistered(UsbChangedCallback callback)
{
    {
        SimLock lock;
        State().hotPlugDelivered = State().hotPlugPosted;
    }
    ++t_hotPlugDepth;
    callback();
    --t_hotPlugDepth;
    if (t_hotPlugDepth > 0)
        return;
    SimLock lock;
    SimState& s = State();
    if (s.hotPlugDeferred) {
        s.hotPlugDeferred = false;
        if (s.relay && s.hotPlugCallback && s.hotPlugDelivered != s.hotPlugPosted)
            s.relay->PostChange();
    }
}

}
