#include "widgets/PageDialogs.h"

#include <QDialog>
#include <QList>
#include <QPointer>

#include <algorithm>

namespace {

QList<QPointer<QDialog>>& ListedDialogs()
{
    static QList<QPointer<QDialog>> dialogs;
    return dialogs;
}

// Counts the times the pages were left: a run that sees it change was closed
// by the leaving, whatever its dialog answered last.
unsigned& PagesLeftCount()
{
    static unsigned count = 0;
    return count;
}

void Unlist(QDialog* dialog)
{
    ListedDialogs().removeAll(QPointer<QDialog>(dialog));
    ListedDialogs().removeAll(QPointer<QDialog>());
}

} // namespace

bool RunPageDialog(QDialog& dialog)
{
    const unsigned leftBefore = PagesLeftCount();
    ListedDialogs().append(&dialog);
    dialog.exec();
    Unlist(&dialog);
    return PagesLeftCount() == leftBefore;
}

void CloseWhenPagesAreLeft(QDialog* dialog)
{
    if (dialog && !ListedDialogs().contains(dialog))
        ListedDialogs().append(dialog);
}

void ClosePageDialogs()
{
    ++PagesLeftCount();
    // A copy: a dialog may go while the others close.
    QList<QPointer<QDialog>> dialogs = ListedDialogs();
    std::reverse(dialogs.begin(), dialogs.end());
    for (const QPointer<QDialog>& dialog : dialogs) {
        if (dialog && dialog->isVisible())
            dialog->reject();
    }
}
