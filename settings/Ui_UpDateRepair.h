#pragma once

class QDialog;
class QFrame;
class QLabel;
class QProgressBar;
class QToolButton;

// The form of the update and repair dialog (460 x 289): the background frame,
// the close button, the cancel button NewHong, the fixed instruction ToolText,
// the message line ToolText_2, the start/confirm button NewHong_2 and the
// progress bar.
class Ui_UpDateRepair
{
public:
    QFrame* AutoRepair = nullptr;
    QToolButton* CloseButton = nullptr;
    QToolButton* NewHong = nullptr;
    QLabel* ToolText = nullptr;
    QLabel* ToolText_2 = nullptr;
    QToolButton* NewHong_2 = nullptr;
    QProgressBar* progressBar_2 = nullptr;

    void setupUi(QDialog* UpDateRepair);
    void retranslateUi(QDialog* UpDateRepair);
};
