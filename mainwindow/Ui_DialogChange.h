#pragma once

class MyConmboBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QWidget;

// The device list page's form: background frame, minimise and close buttons,
// language box, prompt and hint texts, the two paging arrows, the Repair
// button, the stack of grid pages, and the new-firmware notice frame.
class Ui_DialogChange
{
public:
    QFrame* frameChange = nullptr;
    QToolButton* MinButton = nullptr;
    QToolButton* CloseButton = nullptr;
    MyConmboBox* comboBox = nullptr;
    QLabel* label_2 = nullptr;
    QToolButton* LeftButton = nullptr;
    QToolButton* RightButton = nullptr;
    QPushButton* Repair = nullptr;
    QStackedWidget* stackedWidget = nullptr;
    QFrame* FindVer = nullptr;
    QToolButton* CloseButton_2 = nullptr;
    QToolButton* NewHong = nullptr;
    QLabel* FindVerlaebl = nullptr;
    QCheckBox* NoApear = nullptr;
    QLabel* label_3 = nullptr;

    void setupUi(QWidget* DialogChange);
    void retranslateUi(QWidget* DialogChange);
};
