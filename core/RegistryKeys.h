#pragma once

#include <QString>

// The program's registry key of device values: the failed-update record
// "UpdateFailInfo" and the mouse firmware versions, one value per model.
QString MouseDriveTestKey();

// "MouseVer" + the customer id text + the model id text: the mouse firmware
// version last reported by a mouse of that model.
QString MouseVersionValueName(const QString& cidText, const QString& midText);
