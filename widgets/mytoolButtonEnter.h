#pragma once

#include <QToolButton>

// A device button of the device grid, named "btn" followed by the device's
// list index. Pointing at it refreshes that device's entry.
class mytoolButtonEnter : public QToolButton
{
    Q_OBJECT

public:
    explicit mytoolButtonEnter(QWidget* parent = nullptr);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

// What refreshing an entry means belongs to device discovery; it installs its
// refresh (RefreshDeviceEntry) here. The index is passed on unchecked, so the
// refresh must check it against its list. Without a refresh, pointing does nothing.
using DeviceEntryRefresh = bool (*)(int index);
void SetDeviceEntryRefresh(DeviceEntryRefresh refresh);
