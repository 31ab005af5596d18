#include "widgets/NoticeForm.h"

#include <QCheckBox>
#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {

const QSize kNoticeSize(300, 140);
const QSize kAnswerButtonSize(90, 24);

QFont NoticeFont(int pointSize)
{
    QFont font;
    font.setFamily(QString::fromUtf8("微软雅黑"));
    font.setPointSize(pointSize);
    return font;
}

QToolButton* AnswerButton(QFrame* frame, const char* name, const NoticeButtonSpec& spec)
{
    if (!spec.text)
        return nullptr;
    auto* button = new QToolButton(frame);
    button->setObjectName(name);
    button->setGeometry(QRect(spec.at, kAnswerButtonSize));
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    button->setMinimumSize(QSize(0, 0));
    button->setMaximumSize(QSize(500, 500));
    button->setFont(NoticeFont(11));
    button->setAutoRaise(true);
    return button;
}

void SetButtonText(QToolButton* button, const NoticeButtonSpec& spec)
{
    if (button)
        button->setText(QString::fromUtf8(spec.text));
}

} // namespace

void Ui_NoticeForm::setupUi(QDialog* dialog, const NoticeFormSpec& spec)
{
    dialog->setObjectName(spec.name);
    dialog->resize(kNoticeSize);
    if (spec.fixedSizePolicy)
        dialog->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (spec.dialogMinimum.isValid())
        dialog->setMinimumSize(spec.dialogMinimum);
    if (spec.dialogMaximum.isValid())
        dialog->setMaximumSize(spec.dialogMaximum);

    frame = new QFrame(dialog);
    frame->setObjectName(spec.frameName);
    frame->setGeometry(QRect(QPoint(0, 0), kNoticeSize));
    if (spec.frameLimit.isValid()) {
        frame->setMinimumSize(spec.frameLimit);
        frame->setMaximumSize(spec.frameLimit);
    }
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);

    label = new QLabel(frame);
    label->setObjectName("label");
    label->setGeometry(spec.labelRect);
    label->setFont(NoticeFont(spec.labelPointSize));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);

    NewHong = AnswerButton(frame, "NewHong", spec.newHong);
    OK = AnswerButton(frame, "OK", spec.ok);
    Cancel = AnswerButton(frame, "Cancel", spec.cancel);

    if (spec.checkBoxText) {
        NoApear = new QCheckBox(frame);
        NoApear->setObjectName("NoApear");
        NoApear->setGeometry(spec.checkBoxRect);
    }

    // Created last so that it stays clickable where a message reaches under it.
    CloseButton = new QToolButton(frame);
    CloseButton->setObjectName("CloseButton");
    CloseButton->setGeometry(QRect(spec.closeAt, QSize(20, 20)));
    CloseButton->setMaximumSize(QSize(20, 20));
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setAutoRaise(true);

    retranslateUi(dialog, spec);
}

void Ui_NoticeForm::retranslateUi(QDialog* dialog, const NoticeFormSpec& spec)
{
    dialog->setWindowTitle("Dialog");
    label->setText(QString::fromUtf8(spec.labelText));
    CloseButton->setText(QString());
    SetButtonText(NewHong, spec.newHong);
    SetButtonText(OK, spec.ok);
    SetButtonText(Cancel, spec.cancel);
    if (NoApear)
        NoApear->setText(QString::fromUtf8(spec.checkBoxText));
}

int NoticeLabelAtFirstText()
{
    return 0;
}
