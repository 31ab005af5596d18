#pragma once

#include "platform/simdevice/HIDUsb.h"

#include <QObject>
#include <QTimer>

// Delivers hot-plug notifications on the thread that registered the callback.
// Changes from any thread are posted here; a single-shot timer coalesces a
// burst into one call. While a hot-plug callback runs on this thread (also in
// a modal loop inside it), a due call waits until the outermost one returns.
namespace simdevice {

class HotPlugRelay : public QObject {
    Q_OBJECT
public:
    HotPlugRelay();

    // Any thread, library lock held.
    void PostChange();

    // Registering thread, lock not held: calls the callback as a delivery
    // would, so that nested registrations and deferral behave the same.
    static void CallRegistered(UsbChangedCallback callback);

private slots:
    void Arm();
    void Deliver();

private:
    QTimer m_timer;
};

}
