#include "widgets/FirmwareNotices.h"

#include "core/LanguageTables.h"

#include <QLabel>
#include <QToolButton>

namespace {

const NoticeFormSpec kUpDateWarning = {
    .name = "UpDateWarning",
    .frameName = "WarningFrame",
    .labelRect = QRect(5, 30, 291, 71),
    .labelText = "Confirm Delete",
    .newHong = {QPoint(100, 110), "确定", 1},
    .texts = &g_LangTextsNewVer,
};

const NoticeFormSpec kFindNewVer = {
    .name = "FindNewVer",
    .frameName = "SameMacroA",
    .labelRect = QRect(0, 30, 301, 51),
    .labelText = "发现新固件,请更新!",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {QPoint(100, 90), "确定", 1},
    .checkBoxRect = QRect(0, 120, 291, 18),
    .checkBoxText = "下次不再显示",
    .checkBoxPosition = 2,
    .texts = &g_LangTextsNewVer,
};

} // namespace

UpDateWarning::UpDateWarning(QWidget* parent) : NoticeDialog(kUpDateWarning, parent)
{
    // Return alone: the keypad's Enter does not close it.
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
}

void UpDateWarning::SetText(const QString& text)
{
    ui->label->setText(text);
}

FindNewVer::FindNewVer(QWidget* parent) : NoticeDialog(kFindNewVer, parent) {}
