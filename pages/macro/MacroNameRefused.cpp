#include "pages/macro/MacroNameRefused.h"

#include <QLabel>

namespace {

const NoticeFormSpec kMacroNameRefused = {
    .name = "MacroNameRefused",
    .frameName = "MacroNameRefusedA",
    .frameLimit = QSize(300, 140),
    .labelRect = QRect(10, 25, 281, 76),
    .labelText = "This name cannot be used",
    .newHong = {QPoint(100, 110), "OK", -1},
};

} // namespace

MacroNameRefused::MacroNameRefused(const QString& message, QWidget* parent)
    : NoticeDialog(kMacroNameRefused, parent)
{
    ui->label->setText(message);
}
