#include "lighting/PanelDialog.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"


PanelDialog::PanelDialog(QWidget* parent, const QString& pictureFolderName)
    : QDialog(parent), m_PictureFolder(PictureFolder(pictureFolderName))
{
    setWindowFlags(kDialogFamilyWindowFlags);
}

// Not at polishing: Qt polishes every widget soon after it is built, shown or
// not.
void PanelDialog::setVisible(bool visible)
{
    if (visible && !m_LookApplied) {
        m_LookApplied = true;
        ApplyLook();
    }
    QDialog::setVisible(visible);
}

void PanelDialog::ApplyCurrentLanguage()
{
    SlotAllLanguage(g_LanguageIndex);
}

void PanelDialog::on_CloseButton_clicked()
{
    PostMsg::GetInstance()->EmitButtonCheck();
    close();
}
