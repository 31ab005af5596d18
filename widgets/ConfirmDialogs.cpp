#include "widgets/ConfirmDialogs.h"

#include "core/LanguageTables.h"

#include <QLabel>
#include <QToolButton>

namespace {

const NoticeFormSpec kContainReset = {
    .name = "ContainReset",
    .frameName = "ContainResetA",
    .frameLimit = QSize(300, 140),
    .fixedSizePolicy = true,
    .labelRect = QRect(10, 30, 281, 71),
    .labelText = " Is need to restore the default settings",
    .labelPosition = NoticeLabelAtFirstText,
    .ok = {QPoint(40, 110), "确定", 1},
    .cancel = {QPoint(170, 110), "取消", 2},
    .texts = &g_LangTextsContainReset,
};

const NoticeFormSpec kRePair = {
    .name = "RePair",
    .frameName = "RePairA",
    .fixedSizePolicy = true,
    .labelRect = QRect(0, 30, 301, 71),
    .labelText = "        Do you need to pair again",
    .labelPosition = NoticeLabelAtFirstText,
    .ok = {QPoint(40, 110), "确定", 1},
    .cancel = {QPoint(180, 110), "取消", 2},
    .texts = &g_LangTextsRePair,
};

const NoticeFormSpec kReplaceFile = {
    .name = "ReplaceFile",
    .frameName = "ReplaceFileA",
    .frameLimit = QSize(300, 140),
    .fixedSizePolicy = true,
    .labelRect = QRect(10, 30, 281, 71),
    .labelText = "%1 already exists. Do you want to replace it?",
    .ok = {QPoint(40, 110), "Replace", 1},
    .cancel = {QPoint(170, 110), "Cancel", 2},
    .texts = &g_LangTextsReplaceFile,
};

} // namespace

YesNoDialog::YesNoDialog(const NoticeFormSpec& formSpec, QWidget* parent)
    : NoticeDialog(formSpec, parent)
{
    connect(ui->OK, &QToolButton::clicked, this, &YesNoDialog::on_OK_clicked);
    connect(ui->Cancel, &QToolButton::clicked, this, &YesNoDialog::on_Cancel_clicked);
}

void YesNoDialog::on_CloseButton_clicked()
{
    CloseWithAnswer(Confirmed, false);
}

void YesNoDialog::on_OK_clicked()
{
    CloseWithAnswer(Confirmed, true);
}

void YesNoDialog::on_Cancel_clicked()
{
    CloseWithAnswer(Confirmed, false);
}

ContainReset::ContainReset(QWidget* parent) : YesNoDialog(kContainReset, parent)
{
    // Return alone: the keypad's Enter does not answer.
    ui->OK->setShortcut(QKeySequence(Qt::Key_Return));
}

void ContainReset::SetText(const QString& text)
{
    ui->label->setText(text);
}

ReplaceFile::ReplaceFile(const QString& fileName, QWidget* parent)
    : YesNoDialog(kReplaceFile, parent)
{
    // A file name is the user's text, never markup; one too long for a line
    // loses its middle, as a word that long would not wrap.
    const QString name = ui->label->fontMetrics().elidedText(fileName, Qt::ElideMiddle, ui->label->width());
    ui->label->setTextFormat(Qt::PlainText);
    ui->label->setText(LanguageText(g_LangTextsReplaceFile, 0, QString::fromUtf8(kReplaceFile.labelText)).arg(name));
}

RePair::RePair(QWidget* parent) : YesNoDialog(kRePair, parent) {}
