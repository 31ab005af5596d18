#include "widgets/NoticeDialog.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"

#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

namespace {

// The family's look, with the offline notice's own picture names.
void ApplyNoticeLook(QDialog* dialog, const Ui_NoticeForm& ui, const NoticeFormSpec& formSpec, const QString& folder)
{
    QList<QToolButton*> answers;
    for (QToolButton* answer : {ui.NewHong, ui.OK, ui.Cancel}) {
        if (answer)
            answers << answer;
    }
    ApplyDialogFamilyLook(dialog, {ui.frame, ui.label, ui.CloseButton, answers});
    if (formSpec.confirmPicture) {
        const QString style = ConfirmButtonStyle(folder, OptionColorText("ButtonColor"), formSpec.confirmPicture,
                                                 formSpec.confirmPressedPicture);
        for (QToolButton* answer : answers)
            answer->setStyleSheet(style);
    }
    if (formSpec.frameRuleSpaced)
        ui.frame->setStyleSheet(FrameBackgroundStyle(formSpec.frameName, folder, "BackGround.png", RuleEnd::Spaced));
}

void TakeText(QToolButton* button, const QList<QStringList>& table, int position)
{
    if (button && position >= 0)
        button->setText(LanguageText(table, position, button->text()));
}

} // namespace

NoticeDialog::NoticeDialog(const NoticeFormSpec& formSpec, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_NoticeForm)
    , m_Spec(formSpec)
{
    ui->setupUi(this, formSpec);
    connect(ui->CloseButton, &QToolButton::clicked, this, &NoticeDialog::on_CloseButton_clicked);
    if (ui->NewHong)
        connect(ui->NewHong, &QToolButton::clicked, this, &NoticeDialog::on_NewHong_clicked);

    m_PictureFolder = WarningDialogFolder();
    ApplyNoticeLook(this, *ui, formSpec, m_PictureFolder);

    if (formSpec.texts) {
        connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
        SlotAllLanguage(g_LanguageIndex);
    }
}

NoticeDialog::~NoticeDialog()
{
    delete ui;
}

void NoticeDialog::on_CloseButton_clicked()
{
    close();
}

void NoticeDialog::on_NewHong_clicked()
{
    close();
}

void NoticeDialog::CloseWithAnswer(bool& confirmed, bool answer)
{
    confirmed = answer;
    close();
}

void NoticeDialog::SlotAllLanguage(int /*index: always the current language*/)
{
    if (!m_Spec.texts)
        return;
    const QList<QStringList>& table = *m_Spec.texts;
    const int labelPosition = m_Spec.labelPosition ? m_Spec.labelPosition() : -1;
    if (labelPosition >= 0)
        ui->label->setText(LanguageText(table, labelPosition, ui->label->text()));
    TakeText(ui->NewHong, table, m_Spec.newHong.textPosition);
    TakeText(ui->OK, table, m_Spec.ok.textPosition);
    TakeText(ui->Cancel, table, m_Spec.cancel.textPosition);
    if (ui->NoApear && m_Spec.checkBoxPosition >= 0)
        ui->NoApear->setText(LanguageText(table, m_Spec.checkBoxPosition, ui->NoApear->text()));
}
