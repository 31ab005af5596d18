#pragma once

#include <QDialog>
#include <QString>

// Base of the frameless dialogs that the settings page keeps beside it (the
// receiver LED, the screen and the light-mode dialogs): the small dialogs'
// window flags, a picture folder of their own, a close button that reports
// itself on the hub and hides the dialog, and a language slot that
// ApplyCurrentLanguage drives. Its look (style sheets and pictures) is
// applied when it is first about to show: the settings page builds these
// dialogs at start-up, and nothing may ever show them.
class PanelDialog : public QDialog
{
    Q_OBJECT

public:
    // The texts of the current language (g_LanguageIndex).
    void ApplyCurrentLanguage();
    void setVisible(bool visible) override;

public slots:
    virtual void SlotAllLanguage(int index) = 0;
    // Emits SigButtonCheck and hides the dialog; the dialog lives on.
    void on_CloseButton_clicked();

protected:
    // pictureFolderName: the subfolder of "Picture" with the dialog's pictures.
    PanelDialog(QWidget* parent, const QString& pictureFolderName);

    // Gives the dialog's widgets their style sheets; runs once, when the
    // dialog first shows.
    virtual void ApplyLook() = 0;

    const QString m_PictureFolder;

private:
    bool m_LookApplied = false;
};
