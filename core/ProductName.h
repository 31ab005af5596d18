#pragma once

#include <QString>

// The product's name, "Quorvane", as the program-wide strings its parts use:
// start-up, the main window (title, tray tool tip) and everything else
// (registry paths, stores).
extern const QString g_ProductNameStartup;
extern const QString g_ProductNameMain;
extern const QString g_ProductName;
