#pragma once

#include "widgets/NoticeDialog.h"

// The warning of the firmware-update checks; its opener sets the message.
// Return closes it like its button.
class UpDateWarning : public NoticeDialog
{
    Q_OBJECT

public:
    explicit UpDateWarning(QWidget* parent = nullptr);

    void SetText(const QString& text);
};

// A new-firmware notice with a "do not show again" box.
class FindNewVer : public NoticeDialog
{
    Q_OBJECT

public:
    explicit FindNewVer(QWidget* parent = nullptr);
};
