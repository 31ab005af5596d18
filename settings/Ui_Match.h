#pragma once

class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QToolButton;

// The pairing dialog's form: the instructions (or, for a mouse on its cable,
// the notice that pairing needs wireless mode), the start button and the
// close button over a background frame.
class Ui_Match
{
public:
    QFrame* MatchA = nullptr;
    QToolButton* toolButton_2 = nullptr;
    QToolButton* CloseButton = nullptr;
    QPushButton* MatchButton = nullptr;
    QTextEdit* textEdit = nullptr;
    QLabel* label = nullptr;
    QToolButton* toolButton_3 = nullptr;

    void setupUi(QDialog* Match);
    void retranslateUi(QDialog* Match);
};
