#include "widgets/NoticeForm.h"
#include "widgets/FormStyles.h"

#include <QCheckBox>
#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {

const QSize kNoticeSize(300, 140);
const QSize kAnswerButtonSize(90, 24);

QToolButton* AnswerButton(QFrame* frame, const char* name, const NoticeButtonSpec& formSpec)
{
    if (!formSpec.text)
        return nullptr;
    auto* button = new QToolButton(frame);
    button->setObjectName(name);
    button->setGeometry(QRect(formSpec.at, kAnswerButtonSize));
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    button->setMinimumSize(QSize(0, 0));
    button->setMaximumSize(QSize(500, 500));
    button->setFont(FormFont(11));
    button->setAutoRaise(true);
    return button;
}

void SetButtonText(QToolButton* button, const NoticeButtonSpec& formSpec)
{
    if (button)
        button->setText(QString::fromUtf8(formSpec.text));
}

} // namespace

void Ui_NoticeForm::setupUi(QDialog* dialog, const NoticeFormSpec& formSpec)
{
    dialog->setObjectName(formSpec.name);
    dialog->resize(kNoticeSize);
    if (formSpec.fixedSizePolicy)
        dialog->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (formSpec.dialogMinimum.isValid())
        dialog->setMinimumSize(formSpec.dialogMinimum);
    if (formSpec.dialogMaximum.isValid())
        dialog->setMaximumSize(formSpec.dialogMaximum);

    frame = new QFrame(dialog);
    frame->setObjectName(formSpec.frameName);
    frame->setGeometry(QRect(QPoint(0, 0), kNoticeSize));
    if (formSpec.frameLimit.isValid()) {
        frame->setMinimumSize(formSpec.frameLimit);
        frame->setMaximumSize(formSpec.frameLimit);
    }
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);

    label = new QLabel(frame);
    label->setObjectName("label");
    label->setGeometry(formSpec.labelRect);
    label->setFont(FormFont(formSpec.labelPointSize));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);

    NewHong = AnswerButton(frame, "NewHong", formSpec.newHong);
    OK = AnswerButton(frame, "OK", formSpec.ok);
    Cancel = AnswerButton(frame, "Cancel", formSpec.cancel);

    if (formSpec.checkBoxText) {
        NoApear = new QCheckBox(frame);
        NoApear->setObjectName("NoApear");
        NoApear->setGeometry(formSpec.checkBoxRect);
    }

    // Created last so that it stays clickable where a message reaches under it.
    CloseButton = new QToolButton(frame);
    CloseButton->setObjectName("CloseButton");
    CloseButton->setGeometry(QRect(formSpec.closeAt, QSize(20, 20)));
    CloseButton->setMaximumSize(QSize(20, 20));
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setAutoRaise(true);

    retranslateUi(dialog, formSpec);
}

void Ui_NoticeForm::retranslateUi(QDialog* dialog, const NoticeFormSpec& formSpec)
{
    dialog->setWindowTitle("Dialog");
    label->setText(QString::fromUtf8(formSpec.labelText));
    CloseButton->setText(QString());
    SetButtonText(NewHong, formSpec.newHong);
    SetButtonText(OK, formSpec.ok);
    SetButtonText(Cancel, formSpec.cancel);
    if (NoApear)
        NoApear->setText(QString::fromUtf8(formSpec.checkBoxText));
}

int NoticeLabelAtFirstText()
{
    return 0;
}
