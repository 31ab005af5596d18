#pragma once

#include <cstdint>

class MyConmboBox;
class QCheckBox;
class QListView;
struct DeviceAllInfo;

// The sensor page's own option controls: the sensor-mode combo ModelChoose
// (0 "LP", 1 "HP", 2 "Corded"), the performance check box Performance and the
// performance-option combo PerformanceOpen (six durations, usable only while
// performance mode is on). The page owns the widgets and its by-name slots
// hand their signals to this object, which sends and applies the rules that
// decide whether the mode combo may be used and which mode it shows.
//
// "Corded" is never sent and never chosen by the user: whenever its row shows
// in the pop-up the combo is disabled, and the free state hides the row.

// The record value (10-second units) of PerformanceOpen item 0..5
// (3, 6, 12, 30, 60, 90); -1 for another item.
int PerformanceOpenUnits(int item);
// The item of a record value; -1 for a value that has none.
int PerformanceOpenItem(int units);

class SensorModeOptions
{
public:
    // modeList is the pop-up list view of modeCombo.
    SensorModeOptions(MyConmboBox* modeCombo, QListView* modeList, QCheckBox* performance,
                      MyConmboBox* performanceOpen);

    // The bodies of the page's slots.
    void ModeIndexChanged(int index);              // ModelChoose: sends LP or HP
    void PerformanceClicked(bool checked);         // a user's click: sends 1 or 0
    void PerformanceToggled(bool checked);         // any state change: the option follows
    void PerformanceOpenIndexChanged(int index);   // sends the item's duration
    // The option usable exactly while performance mode is on (the page's
    // changeEvent applies it again).
    void SyncPerformanceOpen();

    // The mode combo's rules. listed: the sensor is in the header's
    // SUPPORT_SENSOR_MODE_SEL list; device: the current device (kind byte and
    // kind flag); a mode byte is record byte 14.
    // A record being shown (the page is loading), with its rate and mode bytes.
    void ApplyRecordRule(bool listed, const DeviceAllInfo& device, int rateCode, int modeByte);
    // A report of the device's rate; the mode comes from the current record.
    void ApplyReportRateRule(bool listed, const DeviceAllInfo& device, int rateCode);
    // The rate class that the report-rate frame announced (0 up to 1000 Hz, 1 above).
    void ApplyRateClassRule(bool listed, const DeviceAllInfo& device, int rateClass);
    // The factory look: the item by receiver kind, without sending; the combo
    // is usable only for a listed sensor and never on "Corded".
    void ApplyResetRule(bool listed, const DeviceAllInfo& device);

private:
    void FixToCorded(bool showCordedRow);
    void MakeFree(int modeByte);

    MyConmboBox* m_ModeCombo;
    QListView* m_ModeList;
    QCheckBox* m_Performance;
    MyConmboBox* m_PerformanceOpen;
};
