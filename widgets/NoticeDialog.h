#pragma once

#include "widgets/NoticeForm.h"

#include <QDialog>

// Base of the small frameless notices and questions (300 x 140): builds the
// form from its table, gives it the family's window flags, pictures and
// colours, and takes the texts of its language section, now and at every
// language change. Every button closes the dialog, so `exec` returns 0 and an
// opener that needs an answer reads the dialog's `Confirmed`.
class NoticeDialog : public QDialog
{
    Q_OBJECT

public:
    ~NoticeDialog() override;

public slots:
    virtual void on_CloseButton_clicked();
    virtual void on_NewHong_clicked();
    void SlotAllLanguage(int index);

protected:
    NoticeDialog(const NoticeFormSpec& formSpec, QWidget* parent);

    // Keeps the answer of a question and closes it.
    void CloseWithAnswer(bool& confirmed, bool answer);

    Ui_NoticeForm* ui;
    QString m_PictureFolder;

private:
    const NoticeFormSpec& m_Spec;
};
