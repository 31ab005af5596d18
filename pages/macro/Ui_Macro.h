#pragma once

class MyConmboBox;
class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;

// The macro page's form: the macro list on the left, the selected macro's
// event list in the middle, and on the right the recording buttons, the delay
// mode, the loop mode with its count, the insert-event chooser and Save. The
// check boxes of the delay and loop modes carry no text of their own where a
// label beside them holds it (AutoInsertDelayLabel, ReUntil*Label).
class Ui_Macro
{
public:
    QGridLayout* gridLayout = nullptr;
    QFrame* MacroPage = nullptr;
    QLabel* label_2 = nullptr;
    QListWidget* listWidgetKey = nullptr;
    QLabel* label = nullptr;
    QListWidget* listWidgetHong = nullptr;
    MyConmboBox* ChooseEvent = nullptr;
    QCheckBox* ReUntilClick = nullptr;
    QCheckBox* AutoInsertDelay = nullptr;
    QCheckBox* ReNumber = nullptr;
    QToolButton* NewHong = nullptr;
    QToolButton* DeleteHong = nullptr;
    QToolButton* Amend = nullptr;
    QToolButton* DeleteKey = nullptr;
    QCheckBox* DefaultDelay = nullptr;
    QPushButton* StartRecord = nullptr;
    QPushButton* StopRecord = nullptr;
    QLabel* label_3 = nullptr;
    QSpinBox* DelayTime = nullptr;
    QSpinBox* NumberEdit = nullptr;
    QCheckBox* ReUntil = nullptr;
    QToolButton* Save = nullptr;
    QLabel* AutoInsertDelayLabel = nullptr;
    QLabel* ReUntilLabel = nullptr;
    QLabel* ReUntilClickLabel = nullptr;
    QCheckBox* ReUntilLoose = nullptr;
    QLabel* ReUntilLooseLabel = nullptr;

    void setupUi(QWidget* Macro);
    // The form's own texts; the page's language texts replace them.
    void retranslateUi(QWidget* Macro);
};
