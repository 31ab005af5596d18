#pragma once

#include <QString>

class QWidget;

// The pages' file dialogs. Both run as dialogs of the pages (PageDialogs.h):
// leaving the pages closes them, and they then give an empty path.

// Asks for the file to save with Qt's save dialog and returns the path that
// will be written: the name typed, with "." and suffix added unless it
// already ends in them (see WithFileSuffix). When that file exists the user
// is asked about it, by that name, before anything is replaced; declining
// opens the dialog again. Empty when cancelled.
QString AskSavePath(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                    const QString& suffix);

// Asks for an existing file to open with Qt's open dialog. Empty when cancelled.
QString AskOpenPath(QWidget* parent, const QString& caption, const QString& folder, const QString& filter);
