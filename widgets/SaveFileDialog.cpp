#include "widgets/SaveFileDialog.h"

#include "core/FileSuffix.h"
#include "widgets/ConfirmDialogs.h"
#include "widgets/DialogFamily.h"
#include "widgets/PageDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

enum class Replace { Yes, No, PagesLeft };

// Asked as the program's other questions are, over the save dialog the user
// has just left.
Replace MayReplace(const QFileDialog& dialog, const QString& path)
{
    ReplaceFile question(QFileInfo(path).fileName());
    PlaceDialog(&question, &dialog);
    if (!RunPageDialog(question))
        return Replace::PagesLeft;
    return question.Confirmed ? Replace::Yes : Replace::No;
}

// The first file chosen in dialog; empty when it was cancelled or closed.
QString ChosenFile(QFileDialog& dialog)
{
    if (!RunPageDialog(dialog) || dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
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
    for (;;) {
        const QString chosen = ChosenFile(dialog);
        if (chosen.isEmpty())
            return QString();
        const QString path = WithFileSuffix(chosen, suffix);
        if (!QFileInfo::exists(path))
            return path;
        // Declined: the dialog opens again on the name as typed.
        const Replace answer = MayReplace(dialog, path);
        if (answer != Replace::No)
            return answer == Replace::Yes ? path : QString();
    }
}

QString AskOpenPath(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return ChosenFile(dialog);
}
