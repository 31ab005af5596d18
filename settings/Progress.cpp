#include "settings/Progress.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/UpgradeReport.h"
#include "pages/buttons/ValueDialogForm.h"
#include "widgets/FormStyles.h"

#include <QKeySequence>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

namespace {

// Positions of the texts in the language section "Progress".
enum ProgressText { PrefixText = 0, SuccessText = 1, FailureText = 2, ConfirmText = 3 };

QString Text(ProgressText position)
{
    return LanguageText(g_LangTextsProgress, position, QString());
}

const NoticeFormSpec kProgress = {
    .name = "Progress",
    .frameName = "AddDelayTimeA",
    .frameLimit = QSize(300, 140),
    .labelRect = QRect(10, 15, 281, 51),
    .labelText = "Please enter the delay time",
    .newHong = {QPoint(110, 110), "确定", ConfirmText},
    .texts = &g_LangTextsProgress,
};

constexpr int kFullBar = 100;

} // namespace

Progress::Progress(QWidget* parent)
    : NoticeDialog(kProgress, parent)
{
    ui->label->setLayoutDirection(Qt::LeftToRight);
    ui->label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    ui->NewHong->setFocusPolicy(Qt::NoFocus);
    ui->CloseButton->setFocusPolicy(Qt::NoFocus);

    m_Bar = new QProgressBar(ui->frame);
    m_Bar->setObjectName("progressBar_2");
    m_Bar->setGeometry(30, 70, 241, 26);
    m_Bar->setFont(FormFont(11));
    m_Bar->setValue(0);
    m_Bar->setInvertedAppearance(false);
    m_Bar->setFormat(QString());
    m_Bar->setStyleSheet("QProgressBar{border: 2px solid grey;border-radius: 5px;background-color: transparent;"
                         "color: rgb(255, 255, 255);}"
                         "QProgressBar::chunk{background-color: rgb(80, 240, 0);width: 20px;}"
                         "QProgressBar{border: 2px solid grey;border-radius: 5px;text-align: center;}");

    connect(PostMsg::GetInstance(), SIGNAL(SigCloseProgress()), this, SLOT(SlotCloseProgress()));
    ui->NewHong->hide();
    SetCaptionPercent(1);
}

QLabel* Progress::Caption() const
{
    return ui->label;
}

void Progress::SetCaptionPercent(int percent)
{
    ui->label->setText(Text(PrefixText) + ": " + QString::number(percent) + "%");
}

void Progress::Reset()
{
    SetCaptionPercent(0);
    m_Bar->setValue(0);
}

void Progress::SlotProgress(int schedue, int Discrib)
{
    m_Bar->setValue(schedue);
    switch (Discrib) {
    case UpgradeKindProgress:
        SetCaptionPercent(schedue);
        break;
    case UpgradeKindFailure:
        ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
        ui->label->setText(Text(FailureText));
        ui->NewHong->show();
        break;
    case UpgradeKindSuccess:
        ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
        ui->label->setText(Text(SuccessText));
        m_Bar->setValue(kFullBar);
        ui->NewHong->show();
        break;
    case UpgradeKindHideCancel:
        ui->NewHong->hide();
        break;
    case UpgradeKindResetBar:
        ui->NewHong->hide();
        Reset();
        break;
    default:
        break;
    }
}

void Progress::SlotCloseProgress()
{
    if (g_UpdateBusy)
        return;
    close();
    Reset();
}

// After a failure back to the device list; otherwise the next waiting update.
void Progress::FinishAndGoOn()
{
    if (ui->label->text() == Text(FailureText)) {
        PostMsg::GetInstance()->EmitChangeMainDialog(0);
        close();
        return;
    }
    close();
    Reset();
    PostMsg::GetInstance()->EmitContinue(0);
}

void Progress::on_CloseButton_clicked()
{
    if (g_UpdateBusy)
        return;
    FinishAndGoOn();
}

void Progress::on_NewHong_clicked()
{
    FinishAndGoOn();
}
