#pragma once

#include "widgets/NoticeDialog.h"

// The one-button notice that a second start shows while the program runs
// already; the macro page shows it with two further messages. It is shown
// before any language table is loaded, so it reads its own section,
// "EXEIsRun", straight from the language file of the user's language; a text
// that file does not give comes from the English file, else from built-in
// English words.
class ExeIsRun : public NoticeDialog
{
    Q_OBJECT

public:
    explicit ExeIsRun(QWidget* parent = nullptr);

    // Replace the message by the section's label_2 or PleaseStop text.
    void ShowLabel2Text();
    void ShowPleaseStopText();

public slots:
    void SlotChangeLanguage(int index);

private:
    QString m_Label2Text;
    QString m_PleaseStopText;
};

// What a start does while another instance runs: shows the notice until it
// is closed, whichever way, and gives the process's exit code, 1, so that a
// script can tell a refused start from a run that ended.
int ShowAlreadyRunningNotice();
