#pragma once

#include <QLabel>
#include <QList>
#include <QString>
#include <QToolButton>

// The widgets of the device grid on the device list page, rebuilt on every
// USB change while the list is shown. Entry i of g_ListedDevices has button,
// marker and icon i; GUI thread only.

// The device buttons, "btn" + list index, in list order.
extern QList<QToolButton*> g_DeviceButtons;
// The offline markers ("label" + i), shown while device i is offline.
extern QList<QLabel*> g_OfflineMarkers;
// The connection icons ("UsbWifi" + i), shown while device i is online.
extern QList<QLabel*> g_ConnectionIcons;
// The report-rate badges, one per entry that has a rate class, in creation order.
extern QList<QLabel*> g_RateBadges;
// The last build found the same model twice on one connection class.
extern bool g_DuplicateDevices;

// Texts 5 and 6 of the device list's section, one per line.
QString OfflineMarkerToolTip();

// The look of a grid widget drawn by one centred picture of the device list's
// folder, white text: widgetClass "{border:0px;...;background-image: "
// StyleUrl(folder picture) ";color: rgb(255, 255, 255);}". Device buttons (QToolButton),
// offline markers and connection icons (QLabel).
QString GridPictureStyle(const QString& widgetClass, const QString& picture);
