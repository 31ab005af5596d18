#pragma once

#include "widgets/NoticeDialog.h"

class QProgressBar;

// A small progress dialog of a firmware update: a caption (the progress text,
// ": ", the percentage and "%") over a bar, then the success or failure text
// with a confirm button. Closing after a failure returns to the device list;
// closing otherwise lets the settings page start the update that waits next
// (SigContinue). While an update runs (g_UpdateBusy) the close button and
// SigCloseProgress do nothing. Its reports come through SlotProgress.
class Progress : public NoticeDialog
{
    Q_OBJECT

public:
    explicit Progress(QWidget* parent = nullptr);

    QLabel* Caption() const;
    QProgressBar* Bar() const { return m_Bar; }

public slots:
    void SlotCloseProgress();
    void SlotProgress(int schedue, int Discrib);
    void on_CloseButton_clicked() override;
    void on_NewHong_clicked() override;

private:
    void SetCaptionPercent(int percent);
    void Reset();
    void FinishAndGoOn();

    QProgressBar* m_Bar = nullptr;
};
