#pragma once

class QDialog;

// The dialogs the pages run over the device they show (questions, notices,
// value and key dialogs, file dialogs). Leaving the pages closes every one of
// them as if it had been cancelled: none stays over the device list, and no
// answer given to it acts on a device that has gone. GUI thread only.

// Runs dialog modally (exec) as a dialog of the pages. True when it ended
// with the pages still shown, so that its answer (dialog.result() and the
// dialog's own fields) may be acted on; false when leaving the pages closed it.
bool RunPageDialog(QDialog& dialog);

// A dialog the pages show without exec (a colour dialog, say): leaving the
// pages closes it as cancelled, for as long as it exists.
void CloseWhenPagesAreLeft(QDialog* dialog);

// Closes every open dialog of the pages as cancelled, the latest first; the
// page shell calls it when the view leaves the pages.
void ClosePageDialogs();
