#pragma once

#include <QString>

class QWidget;

// Asks for the file to save with Qt's save dialog and returns the path that
// will be written: the name typed, with "." and suffix added unless it
// already ends in them (see WithFileSuffix). When that file exists the user
// is asked about it, by that name, before anything is replaced; declining
// opens the dialog again. Empty when cancelled.
QString AskSavePath(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                    const QString& suffix);
