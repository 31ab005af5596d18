#pragma once

class MyConmboBox;
class MotionSync;
class QCheckBox;
class QGridLayout;
class QFrame;
class QLabel;
class QToolButton;
class QWidget;
class RippeControl;
class SensorDPI;
class SensorEffect;
class SensorLOD;
class SensorRate;
class StraightLine;

// The sensor page's form: one fixed 883 x 630 panel holding the DPI frame,
// the report-rate frame, the lift-off distance frame, the DPI-LED effect
// frame, the three on/off frames and the page's own mode and performance
// controls, each at a fixed place.
struct Ui_Sensor
{
    QGridLayout* gridLayout = nullptr;
    QFrame* SenSorPage = nullptr;
    QCheckBox* Performance = nullptr;
    MyConmboBox* PerformanceOpen = nullptr;
    QLabel* label_11 = nullptr;
    QToolButton* TitleButton_3 = nullptr;
    QToolButton* TitleButton_4 = nullptr;
    QLabel* label_5 = nullptr;
    QToolButton* TitleButton_2 = nullptr;
    QToolButton* TitleButton = nullptr;
    RippeControl* frame = nullptr;
    MotionSync* frame_3 = nullptr;
    StraightLine* frame_4 = nullptr;
    SensorLOD* frameLOD = nullptr;
    SensorEffect* frameEffect = nullptr;
    SensorRate* frameRate = nullptr;
    SensorDPI* frameDpi = nullptr;
    MyConmboBox* ModelChoose = nullptr;

    // Builds the widgets, runs retranslateUi and connects the page's on_
    // slots to its descendants by object name.
    void setupUi(QWidget* Sensor);
    // The form's own texts; the language texts replace most of them.
    void retranslateUi(QWidget* Sensor);
};
