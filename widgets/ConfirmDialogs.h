#pragma once

#include "widgets/NoticeDialog.h"

// A yes/no question of the notice family: OK answers yes, Cancel, the close
// button and Escape answer no. The opener reads Confirmed after exec.
class YesNoDialog : public NoticeDialog
{
    Q_OBJECT

public:
    bool Confirmed = false;

public slots:
    void on_CloseButton_clicked() override;
    void on_OK_clicked();
    void on_Cancel_clicked();

protected:
    YesNoDialog(const NoticeFormSpec& formSpec, QWidget* parent);
};

// Whether the device is to be restored to its default settings; the main
// window asks its own question through SetText. Return answers yes.
class ContainReset : public YesNoDialog
{
    Q_OBJECT

public:
    explicit ContainReset(QWidget* parent = nullptr);

    void SetText(const QString& text);
};

// Whether an existing file is to be replaced; the name is shown as plain
// text, shortened in the middle when it is longer than a line.
class ReplaceFile : public YesNoDialog
{
    Q_OBJECT

public:
    explicit ReplaceFile(const QString& fileName, QWidget* parent = nullptr);
};

// Whether the receiver is to be paired again.
class RePair : public YesNoDialog
{
    Q_OBJECT

public:
    explicit RePair(QWidget* parent = nullptr);
};
