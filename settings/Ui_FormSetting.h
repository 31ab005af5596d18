#pragma once

#include <QtGlobal>

class MyButton;
class MyConmboBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;
class QWidget;
class StopCloseTime;

// The settings page's form: fixed geometry inside a scroll area, no layouts.
// Every widget below the scroll area lives on scrollAreaWidgetContents.
class Ui_FormSetting
{
public:
    QFrame* FrameSetting = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* scrollAreaWidgetContents = nullptr;
    QToolButton* TitleButton_2 = nullptr;
    QLabel* label_2 = nullptr;
    MyConmboBox* comboBox = nullptr;
    QToolButton* TitleButton_3 = nullptr;
    QLabel* label_3 = nullptr;
    QLabel* label_4 = nullptr;
    QLabel* label_5 = nullptr;
    QLabel* label_6 = nullptr;
    QLabel* label_7 = nullptr;
    QToolButton* TitleButton_4 = nullptr;
    QLabel* label_8 = nullptr;
    QPushButton* pushButton_2 = nullptr;
    QToolButton* TitleButton_5 = nullptr;
    QLabel* label_9 = nullptr;
    QLabel* label_10 = nullptr;
    QToolButton* toolButton = nullptr;
    MyButton* pushButton = nullptr;
    QToolButton* TitleButton_6 = nullptr;
    QLabel* label_11 = nullptr;
    QTextEdit* textEdit = nullptr;
    QLabel* label = nullptr;
    QPushButton* pushButton_4 = nullptr;
    QCheckBox* checkBox = nullptr;
    QCheckBox* checkBox_2 = nullptr;
    QToolButton* toolButton_2 = nullptr;
    QToolButton* toolButton_3 = nullptr;
    QToolButton* TitleButton_7 = nullptr;
    QLabel* label_14 = nullptr;
    QCheckBox* ReUntil = nullptr;
    QCheckBox* ReUntil_2 = nullptr;
    QCheckBox* ReUntil_3 = nullptr;
    QTextEdit* textEdit_2 = nullptr;
    QTextEdit* textEdit_3 = nullptr;
    QTextEdit* textEdit_4 = nullptr;
    QFrame* line = nullptr;
    QFrame* line_2 = nullptr;
    QFrame* line_3 = nullptr;
    QFrame* line_4 = nullptr;
    QFrame* line_5 = nullptr;
    QTextEdit* NewLabel = nullptr;
    MyButton* pushButton_3 = nullptr;
    QToolButton* Receive_2 = nullptr;
    QToolButton* TitleButton_8 = nullptr;
    QLabel* label_12 = nullptr;
    QLabel* label_13 = nullptr;
    StopCloseTime* frameClose = nullptr;

    void setupUi(QWidget* FormSetting);
    void retranslateUi(QWidget* FormSetting);
};
