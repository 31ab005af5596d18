#include "widgets/DialogFamily.h"

#include "widgets/FormStyles.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

QString WarningDialogFolder()
{
    return PictureFolder(QStringLiteral("WarningDialog"));
}

void ApplyDialogFamilyLook(QDialog* dialog, const DialogFamilyParts& parts)
{
    const QString folder = WarningDialogFolder();
    dialog->setWindowFlags(kDialogFamilyWindowFlags);
    if (parts.label)
        parts.label->setStyleSheet(LabelStyle(OptionColorText(QStringLiteral("LabelColor"))));
    const QString confirmStyle = ConfirmButtonStyle(folder, OptionColorText(QStringLiteral("ButtonColor")));
    for (QToolButton* button : parts.confirmButtons)
        button->setStyleSheet(confirmStyle);
    if (parts.closeButton)
        parts.closeButton->setStyleSheet(CloseButtonStyle(folder));
    if (parts.frame)
        parts.frame->setStyleSheet(FrameBackgroundStyle(parts.frame->objectName(), folder));
}

QPoint DialogPosition(const QPoint& openerTopLeft, const QSize& openerSize, const QSize& dialogSize, int dx, int dy)
{
    return {openerTopLeft.x() + (openerSize.width() - dialogSize.width()) / 2 + dx,
            openerTopLeft.y() + (openerSize.height() - dialogSize.height()) / 2 + dy};
}

void PlaceDialog(QWidget* dialog, const QWidget* opener, int dx, int dy)
{
    dialog->move(DialogPosition(opener->mapToGlobal(QPoint(0, 0)), opener->size(), dialog->size(), dx, dy));
}
