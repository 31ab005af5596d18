#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QWidget;

// Base of the small capture and value dialogs (GroupKey, addKey, FireKey,
// AddDelayTime): frameless 300 x 140-like windows drawn from the pictures of
// "Picture/WarningDialog/", built on their opener's stack without a parent,
// placed by the opener and run with exec. They return their answer in public
// members that the opener reads after exec: IsOk, set only by OK, and the
// values of each dialog.
class ValueDialog : public QDialog
{
    Q_OBJECT

public:
    bool IsOk = false;

public slots:
    // Cancel and the close button: IsOk false, the dialog ends.
    void on_NewHong_2_clicked();
    void on_CloseButton_clicked();
    // Texts 0, 1, ... of the dialog's language section to its text targets,
    // in the current language; a missing text keeps the form's text.
    void SlotAllLanguage(int index);

protected:
    // texts: the dialog's language table; it must outlive the dialog.
    ValueDialog(QWidget* parent, const QList<QStringList>& texts);

    // Follows the language from now on: the targets (labels and buttons)
    // take their texts at once and at every language change.
    void FollowLanguage(const QList<QWidget*>& textTargets);

    // Sets IsOk and ends the dialog with result; the OK of most dialogs ends
    // it as rejected, so exec answers 0 and the opener reads IsOk.
    void Finish(bool ok, int result = QDialog::Rejected);

    // ProgramFolder() + "/Picture/WarningDialog/".
    QString PicturePath;

private:
    const QList<QStringList>& m_Texts;
    QList<QWidget*> m_TextTargets;
};
