#pragma once

#include "pages/sensor/DpiLevelsFrameBase.h"

class MyConmboBox;
class MySlider;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QSpinBox;
class QToolButton;

struct Ui_SensorDPIB
{
    QLabel* label = nullptr;
    MyConmboBox* ChooseEvent = nullptr;
    QToolButton* swatches[DpiLevelsFrameBase::LevelCount] = {};  // BlueButtonA ... LightYellowButtonA
    QSpinBox* numbers[DpiLevelsFrameBase::LevelCount] = {};      // spinBoxA ... spinBoxH
    MySlider* sliders[DpiLevelsFrameBase::LevelCount] = {};      // horizontalSliderA ... H
    QCheckBox* levelBoxes[DpiLevelsFrameBase::LevelCount] = {};  // MA ... MH

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// A second layout of the DPI levels editor that no page builds: one row per
// level with a check box that makes it current, a colour swatch that opens the
// colour dialog, a slider for its DPI and the accepted value. It reads nothing
// of the device on its own; an owner loads it through the operations below.
// Levels are indexes 0..7; other indexes change nothing.
class SensorDPIB : public DpiLevelsFrameBase
{
    Q_OBJECT

public:
    explicit SensorDPIB(QWidget* parent = nullptr);
    ~SensorDPIB() override;

    void LayoutForLevelCount(int index) override;

    void BlockSliderSignals(bool block);
    void SetSlidersEnabled(bool enabled);
    void SetSlidersMinimum(int value);
    void SetSlidersMaximum(int value);
    void SetSliderValue(int value, int level);
    void SetSpinValue(int value, int level);
    // The text as a number into the level's slider, then its number.
    void SetLevelValue(int level, const QString& text);
    // Keeps a "#rrggbb" colour for the level; the swatch is not restyled.
    void SetLevelColor(int level, const QString& text);
    void RestyleColorButton(int level);
    void RestyleAllColorButtons();
    // Paints the swatches with a fixed palette; the stored colours stay.
    void ApplyFixedColorPalette();
    // Checks a level's box; its handling runs when it was not checked yet.
    void CheckLevelBox(int level);
    // Checks a level's box after the frame's own device check (sending
    // enabled and the device offline: the notice instead); the next slider
    // change is then shown but not sent.
    void SelectLevel(int level);

public slots:
    void on_horizontalSliderA_valueChanged(int value);
    void on_horizontalSliderB_valueChanged(int value);
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderD_valueChanged(int value);
    void on_horizontalSliderE_valueChanged(int value);
    void on_horizontalSliderF_valueChanged(int value);
    void on_horizontalSliderG_valueChanged(int value);
    void on_horizontalSliderH_valueChanged(int value);
    void on_MA_toggled(bool checked);
    void on_MB_toggled(bool checked);
    void on_MC_toggled(bool checked);
    void on_MD_toggled(bool checked);
    void on_ME_toggled(bool checked);
    void on_MF_toggled(bool checked);
    void on_MG_toggled(bool checked);
    void on_MH_toggled(bool checked);
    void on_BlueButtonA_clicked();
    void SetColor(const QColor& color) override;
    void on_BrightRedButtonA_clicked();
    void on_RedButtonA_clicked();
    void on_YellowButtonA_clicked();
    void on_GreenButtonA_clicked();
    void on_PurpleButtonA_clicked();
    void on_LightBlueButtonA_clicked();
    void on_LightYellowButtonA_clicked();

protected:
    void ExchangeLevels(int newLast, int current) override;

private:
    void SliderChanged(int level, int value);
    void LevelBoxToggled(int level, bool checked);
    void SwatchClicked(int level);
    void PaintSwatch(int level, const QString& colour);

    Ui_SensorDPIB* ui;
    QButtonGroup* m_LevelGroup;
    QString m_LevelColors[LevelCount]; // "#rrggbb"
    int m_ColorTarget = 0;             // the level whose swatch was clicked last
};
