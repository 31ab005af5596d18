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

void PanelDialog::ApplyCurrentLanguage()
{
    SlotAllLanguage(g_LanguageIndex);
}

void PanelDialog::on_CloseButton_clicked()
{
    PostMsg::GetInstance()->EmitButtonCheck();
    close();
}
