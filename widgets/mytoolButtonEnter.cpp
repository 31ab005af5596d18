#include "widgets/mytoolButtonEnter.h"

#include <atomic>

namespace {
std::atomic<DeviceEntryRefresh> g_DeviceEntryRefresh{nullptr};
}

void SetDeviceEntryRefresh(DeviceEntryRefresh refresh)
{
    g_DeviceEntryRefresh = refresh;
}

mytoolButtonEnter::mytoolButtonEnter(QWidget* parent)
    : QToolButton(parent)
{
}

void mytoolButtonEnter::enterEvent(QEvent*)
{
    const DeviceEntryRefresh refresh = g_DeviceEntryRefresh;
    if (!refresh)
        return;
    QString number = objectName();
    number.remove(QStringLiteral("btn"));
    refresh(number.toInt()); // 0 when the rest is not a number
}

void mytoolButtonEnter::leaveEvent(QEvent*)
{
}
