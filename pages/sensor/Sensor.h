#pragma once

#include "device/DeviceRecords.h"
#include "device/SensorHeader.h"
#include "pages/sensor/DpiLevelCodec.h"

#include <QString>
#include <QWidget>

#include <memory>

class QListView;
class SensorModeOptions;
struct Ui_Sensor;

// The sensor page: DPI levels, report rate and the sensor's options. The page
// shell creates it once, as the second page of its stack.
//
// Which options a sensor offers comes from the capability header read at
// construction, the model's layout and DPI ranges from the device description
// read at every fill.
//
// The device side fills it through the hub: a full read or the offline cache
// (SigUpDataLightSensor, blocking), an applied import or a cached record shown
// by the wait dialog (SigUpDataSensorUIB), the look of a device without data
// (SigFormReset, blocking), and the device's own reports of its report rate,
// current DPI level and DPI-LED state (blocking). While it fills,
// g_SensorPageLoading keeps the controls from sending what they are shown and
// the senders from reporting an absent device; a full read sets
// g_SensorPageUpdated, for which the wait dialog waits.
class Sensor : public QWidget
{
    Q_OBJECT

public:
    explicit Sensor(QWidget* parent = nullptr);
    ~Sensor() override;

    // The record the page shows: the last one it was filled from, zero after a reset.
    const FlashDataMap& ShownRecord() const { return m_ShownRecord; }

    // Reads the first line of Level.ini in the sensor-page folder into the DPI
    // frame's level count: 1 for a missing file or an empty line, 0 for a line
    // that is not a number.
    void LoadLevelIni();

public slots:
    void on_Performance_toggled(bool checked);
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotFormReset();
    void SlotUpDataReportRate(int index);
    void SlotUpDataDPI(int index);
    void SlotUpDataDPILed(FlashDataMap DataMap);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void on_ModelChoose_currentIndexChanged(int index);
    void on_Performance_clicked(bool checked);
    void on_PerformanceOpen_currentIndexChanged(int index);
    void SlotAllLanguage(int index);
    void SlotHideModel(int index);
    void SlotChangeRefused();

protected:
    void changeEvent(QEvent* event) override;

private:
    void StyleControls();
    void ConnectHub();
    bool IsListed(SensorSwitch which) const;

    // The steps of a record fill (SensorPageFill.cpp).
    void ShowRecord(const FlashDataMap& record);
    void ShowRecordOptions(const FlashDataMap& record);
    void ShowDpiLedState(const FlashDataMap& record);
    void ShowDpiLevels(const FlashDataMap& record, int maxGrade);
    void ShowDpiValues(const FlashDataMap& record, int maxGrade);
    void ApplyCompactLayout(bool compact);
    void ApplySwitches();
    void ApplySensor3315Layout();

    Ui_Sensor* ui;
    QString m_SensorPageFolder;
    DpiOverallRange m_OverallDpi;
    QString m_PictureFolder;
    QListView* m_ModeListView = nullptr;
    SensorHeader m_Header; // its switch lists; its definitions go to the global tables
    std::unique_ptr<SensorModeOptions> m_ModeOptions;
    FlashDataMap m_ShownRecord{};
};
