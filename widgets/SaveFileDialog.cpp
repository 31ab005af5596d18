#include "widgets/SaveFileDialog.h"

#include "core/FileSuffix.h"
#include "widgets/ConfirmDialogs.h"
#include "widgets/DialogFamily.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

// Asked as the program's other questions are, over the save dialog the user
// has just left.
bool MayReplace(const QFileDialog& dialog, const QString& path)
{
    ReplaceFile question(QFileInfo(path).fileName());
    PlaceDialog(&question, &dialog);
    question.exec();
    return question.Confirmed;
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
