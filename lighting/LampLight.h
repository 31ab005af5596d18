#pragma once

#include "device/DeviceRecords.h"

#include <QWidget>

class QSpinBox;
struct Ui_LampLight;

// True only while the lighting page puts a record's or its default values
// into its widgets; its controls then send nothing. GUI thread only.
extern bool g_LightPageLoading;

// The page of the mouse's light bar: effect, colour, brightness, speed, lights
// off while moving and the sleep time. Every change the user makes goes to the
// device at once through the senders. It connects itself to no hub signal:
// whoever places the page connects its record, reset and language slots.
class LampLight : public QWidget
{
    Q_OBJECT

public:
    explicit LampLight(QWidget* parent = nullptr);
    ~LampLight() override;

public slots:
    // A device record after a full read: the light settings into the controls.
    void SlotUpDataLightUILight(FlashDataMap DataMap);
    // The same for an imported or cached record; the sliders stay disabled
    // until the next full read.
    void SlotUpDataLightUIA(FlashDataMap DataMap);
    // The page's defaults, without sending; the colour stays.
    void SlotFormResetLight();
    void SlotAllLanguage(int index);

protected:
    // Picks a colour off the screen from the colour board.
    void mousePressEvent(QMouseEvent* event) override;

private slots:
    void on_AddR_clicked();
    void on_AddG_clicked();
    void on_AddB_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_RSpinBox_valueChanged(int red);
    void on_GSpinBox_valueChanged(int green);
    void on_BSpinBox_valueChanged(int blue);
    void on_horizontalLight_valueChanged(int value);
    void on_horizontalSpeed_valueChanged(int value);
    void on_horizontalLight_sliderMoved(int position);
    void on_horizontalSpeed_sliderMoved(int position);
    void on_LightMod_currentIndexChanged(int index);
    void on_RippeControl_clicked(bool checked);

private:
    bool MaySend() const;
    // The plus, minus and preset buttons and the picker act only on a device
    // that answers, or while the page may not send at all.
    bool ColourChangeAllowed() const;
    void StepColourChannel(QSpinBox* box, int step);
    void ApplyPreset(int index);
    void ShowAndSendColour(const QColor& colour);
    void LoadRecord(const FlashDataMap& record, bool slidersEnabled);
    void ShowForEffect(int index);

    Ui_LampLight* ui;
};
