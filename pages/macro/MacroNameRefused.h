#pragma once

#include "widgets/NoticeDialog.h"

// The notice that a macro name was refused, or that a macro file could not be
// renamed; the opener gives the reason. Its text has no language section, so
// it shows the reason as given.
class MacroNameRefused : public NoticeDialog
{
    Q_OBJECT

public:
    explicit MacroNameRefused(const QString& message, QWidget* parent = nullptr);
};
