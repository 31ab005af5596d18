#pragma once

class QFrame;
class QLabel;
class QProgressBar;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;

// The page shell's form: the top bar with the page buttons, the battery
// display and the window buttons; the left strip with the back arrow; and the
// stack of the four pages.
class Ui_Dialog
{
public:
    QFrame* frame_2 = nullptr;
    QFrame* frame_3 = nullptr;
    QToolButton* UpArrow = nullptr;
    QFrame* frame = nullptr;
    QLabel* BatteryButtonC = nullptr;
    QToolButton* ButtonMain = nullptr;
    QToolButton* SensorButton = nullptr;
    QToolButton* MacroButton = nullptr;
    QToolButton* SetButton = nullptr;
    QToolButton* CloseButton = nullptr;
    QToolButton* MinButton = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* label = nullptr;
    QLabel* label_2 = nullptr;
    QToolButton* FormSetting = nullptr;
    QLabel* label_3 = nullptr;
    QToolButton* LightsButton = nullptr;
    QFrame* line = nullptr;
    QFrame* line_2 = nullptr;
    QFrame* line_3 = nullptr;
    QFrame* line_4 = nullptr;
    QFrame* line_5 = nullptr;
    QFrame* line_6 = nullptr;
    QFrame* frame_4 = nullptr;
    QVBoxLayout* verticalLayout_4 = nullptr;
    QStackedWidget* stackedWidgetDialog = nullptr;

    void setupUi(QWidget* Dialog);
    void retranslateUi(QWidget* Dialog);
};
