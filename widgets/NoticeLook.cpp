#include "widgets/NoticeLook.h"

#include "widgets/NoticeForm.h"
#include "widgets/FormStyles.h"
#include "platform/ProgramFolder.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

QString NoticePictureFolder()
{
    return ProgramFolder() + "/Picture/WarningDialog/";
}

void ApplyNoticeLook(const Ui_NoticeForm& ui, const QString& pictureFolder, const QString& confirmPicture)
{
    ui.label->setStyleSheet(LabelColorStyle());
    for (QToolButton* answer : {ui.NewHong, ui.OK, ui.Cancel}) {
        if (answer)
            answer->setStyleSheet(DialogConfirmStyle(pictureFolder, confirmPicture));
    }
    ui.CloseButton->setStyleSheet(DialogCloseStyle(pictureFolder));
    ui.frame->setStyleSheet(DialogFrameStyle(ui.frame->objectName(), pictureFolder));
}
