#pragma once

#include <QString>

class QWidget;

// Asks for the file to save with Qt's save dialog. A name typed without
// suffix gets suffix before the dialog asks about replacing a file, so the
// question is about the file that will be written. Empty when cancelled.
QString AskSavePath(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                    const QString& suffix);
