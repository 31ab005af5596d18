#include "widgets/SaveFileDialog.h"

#include "core/FileSuffix.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// Qt's own question about replacing a file, in Qt's words, which its
// translations carry.
bool MayReplace(QFileDialog& dialog, const QString& path)
{
    const QString question = QFileDialog::tr("%1 already exists.\nDo you want to replace it?");
    return QMessageBox::warning(&dialog, dialog.windowTitle(), question.arg(QFileInfo(path).fileName()),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

} // namespace

QString AskSavePath(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                    const QString& suffix)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    // The dialog's own question would be about the name typed, which is not
    // always the file written ("my.cfg" keeps its suffix there, and becomes
    // "my.cfg.bin" here): the question is asked below about the real one.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = WithFileSuffix(dialog.selectedFiles().constFirst(), suffix);
        // Declined: the dialog opens again on the name as typed.
        if (!QFileInfo::exists(path) || MayReplace(dialog, path))
            return path;
    }
    return QString();
}
