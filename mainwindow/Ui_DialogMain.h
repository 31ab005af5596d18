#pragma once

class QDialog;
class QFrame;
class QStackedWidget;

// The main window's form: one frame filling the window and the stack of its
// two pages (0 the device list, 1 the page shell).
class Ui_DialogMain
{
public:
    QFrame* frame = nullptr;
    QStackedWidget* stackedWidgetMain = nullptr;

    void setupUi(QDialog* DialogMain);
    void retranslateUi(QDialog* DialogMain);
};
