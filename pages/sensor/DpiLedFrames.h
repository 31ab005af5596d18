#pragma once

#include <QFrame>

class MyConmboBox;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;

// The DPI-LED effect frames: a mode (0 off, 1 steady, 2 breathing), a speed
// 1..5 for breathing and a brightness 1..10 for steady light. Only the row of
// the chosen mode shows its slider; the other row shows a thin rule.

// The brightness byte of slider position 1..10 (16, 30, ... 255); positions
// outside pass unchanged.
int DpiLedBrightnessByte(int position);
// The slider position of a brightness byte; a byte outside the table passes
// unchanged (the slider keeps it within its range).
int DpiLedBrightnessPosition(int byte);

// The widgets that both layouts have.
struct DpiLedRows
{
    QLabel* title = nullptr;
    QLabel* speedLabel = nullptr;
    QLabel* brightnessLabel = nullptr;
    QSlider* speed = nullptr;
    QSlider* brightness = nullptr;
    QFrame* speedLine = nullptr;
    QFrame* brightnessLine = nullptr;
    QSpinBox* speedNumber = nullptr;
    QSpinBox* brightnessNumber = nullptr;
};

// What the two layouts share: the sliders with their numbers and sends, the
// rows shown per mode, the texts.
class DpiLedFrame : public QFrame
{
    Q_OBJECT

public:
    // Set the slider with its signals live: a changed value is shown and sent
    // as after a user's change (unless sending is disabled or the sensor page
    // is loading).
    void SetSpeedSliderValue(int value);
    void SetBrightnessSliderValue(int position);
    void SetSlidersEnabled(bool enabled);
    void SetTitleText(const QString& text);
    void SetSpeedLabelText(const QString& text);
    void SetBrightnessLabelText(const QString& text);

public slots:
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int position);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int position);

protected:
    explicit DpiLedFrame(QWidget* parent);

    // The layout hands over its widgets once its form stands.
    void AttachRows(const DpiLedRows& rows);
    // Shows the rows of mode 0, 1 or 2; other modes change nothing.
    void ShowRowsForMode(int mode);
    // A mode the user chose: its rows, then the send.
    void ChooseMode(int mode);
    void BlockSliderSignals(bool block);

    QString m_PictureFolder;
    DpiLedRows m_Rows;
};

struct Ui_SensorEffect
{
    QLabel* label = nullptr;
    MyConmboBox* Model = nullptr;
    QLabel* label_14 = nullptr;
    QLabel* label_15 = nullptr;
    QSlider* SpeedH = nullptr;
    QSlider* LightH = nullptr;
    QFrame* line = nullptr;
    QFrame* line_2 = nullptr;
    QSpinBox* SpeedSpinBox = nullptr;
    QSpinBox* LightSpinBox = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// The sensor page's layout: the mode in the combo box "Model".
class SensorEffect : public DpiLedFrame
{
    Q_OBJECT

public:
    explicit SensorEffect(QWidget* parent = nullptr);
    ~SensorEffect() override;

    // Shows a mode. The combo box's signals stay live, so a changed mode is
    // sent unless sending is disabled or the sensor page is loading.
    void SetMode(int mode);
    void SetModeEnabled(bool enabled);
    void SetModeItemText(int index, const QString& text);

public slots:
    void on_Model_currentIndexChanged(int index);

private:
    Ui_SensorEffect* ui;
};

struct Ui_SensorEffectB
{
    QLabel* label = nullptr;
    QCheckBox* MM1 = nullptr;
    QCheckBox* MM2 = nullptr;
    QCheckBox* MM3 = nullptr;
    QLabel* label_14 = nullptr;
    QLabel* label_15 = nullptr;
    QSlider* SpeedH = nullptr;
    QFrame* line = nullptr;
    QSpinBox* SpeedSpinBox = nullptr;
    QSlider* LightH = nullptr;
    QFrame* line_2 = nullptr;
    QSpinBox* LightSpinBox = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// A second layout that no page builds: the mode as three exclusive check
// boxes, steady (MM1), breathing (MM2) and off (MM3).
class SensorEffectB : public DpiLedFrame
{
    Q_OBJECT

public:
    explicit SensorEffectB(QWidget* parent = nullptr);
    ~SensorEffectB() override;

    // Checks the mode's box and shows its rows; sends nothing.
    void SetMode(int mode);
    void SetModeItemText(int index, const QString& text);

public slots:
    void on_MM3_clicked(bool checked);
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);

private:
    QCheckBox* ModeBox(int mode) const;

    Ui_SensorEffectB* ui;
    QButtonGroup* m_Group;
};
