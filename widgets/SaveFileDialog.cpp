#include "widgets/SaveFileDialog.h"

#include <QFileDialog>

QString AskSavePath(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                    const QString& suffix)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
