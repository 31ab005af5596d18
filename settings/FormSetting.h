#pragma once

#include "device/DeviceRecords.h"
#include "device/ReceiverChoices.h"
#include "lighting/InputPic.h"
#include "lighting/LedInfo.h"
#include "lighting/LightModeSet.h"

#include <QPoint>
#include <QString>
#include <QWidget>

class FirmwareUpdateEngine;
class QButtonGroup;
class QMouseEvent;
class Ui_FormSetting;

// The firmware warning shown by the device choice, the main window and the
// settings page's own update step, in the current language. GUI thread only.
extern QString g_UpdateWarningText;

// The settings page: language, start with the session, the system's mouse
// settings, receiver pairing, the receiver's long-range mode and LED mode (for
// models whose description offers them), the sleep time, the firmware
// versions and the company line. The page shell creates it once, as the
// fourth page of its stack. Receiver options are written straight to the
// receiver; the device side reports through the hub. GUI thread only.
class FormSetting : public QWidget
{
    Q_OBJECT

public:
    explicit FormSetting(QWidget* parent = nullptr);
    ~FormSetting() override;

public slots:
    void on_pushButton_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_2_clicked();
    void on_comboBox_activated(int index);
    void SlotAllLanguage(int index);
    void SlotLanguageSameB(int index);
    // Reached from the device side over a blocking queued connection; reads
    // the record while the emitter waits.
    void SlotRGBValue(DongleRGB* Rgb);
    void SlotLightToFrom(int index);
    void SlotLongRangeMode(bool Select);
    void SlotScroolChange(int index);
    void SlotForm();
    void SlotFormB();
    void SlotFormResetForm();
    void on_checkBox_clicked(bool checked);
    void on_checkBox_2_toggled(bool checked);
    void on_ReUntil_toggled(bool checked);
    void on_ReUntil_2_toggled(bool checked);
    void on_ReUntil_3_toggled(bool checked);

protected:
    // A press on the page goes no further.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PlaceOptionSections();
    void ApplyStyleSheets();
    void ShowLongRangeSection(bool shown);
    void ShowReceiverLedSection(bool shown);
    // The bottom of the contents: short while the receiver-LED section is
    // hidden, long while it shows.
    void LayOutBottom(bool receiverLedShown);
    void ShowLongRangeSilently(bool on);
    void ShowLedModeSilently(int mode);
    // Layout after a record: keepLongRange leaves an offered long-range
    // section as it is.
    void LayOutForRecord(bool keepLongRange);
    void SendReceiverLedMode(int mode, bool checked);
    void KeepReceiverChoice(ReceiverOption option, int value);

    // The lighting dialogs kept beside the page; nothing shows them.
    LedInfo m_LedInfo;
    InputPicA m_InputPicA;
    InputPicB m_InputPicB;
    LightModeSet m_LightModeSet;

    Ui_FormSetting* ui;
    QString m_PicturePath;
    QPoint m_LabelOrigin;
    QButtonGroup* m_LedGroup = nullptr;
    // Versions, update button and the firmware update with its dialogs.
    FirmwareUpdateEngine* m_FirmwareUpdate = nullptr;
};
