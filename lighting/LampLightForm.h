#pragma once

#include "lighting/LightControls.h"

class QGridLayout;
class QWidget;
class StopCloseTime;

// The lighting page's form: the shared light controls with read-only mirrors
// of the two sliders, the lights-off-while-moving switch and the sleep time.
struct Ui_LampLight : LightControlsForm
{
    QGridLayout* gridLayout = nullptr;
    QFrame* LightPage = nullptr;
    QSpinBox* LightSpinBox_2 = nullptr;
    QSpinBox* SpeedSpinBox_2 = nullptr;
    QLabel* label_4 = nullptr;
    QToolButton* RippeControl = nullptr;
    QLabel* label_5 = nullptr;
    StopCloseTime* frameClose = nullptr;

    void setupUi(QWidget* page);
    void retranslateUi(QWidget* page);
};
