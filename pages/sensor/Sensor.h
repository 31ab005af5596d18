#pragma once

#include "device/DeviceRecords.h"

#include <QWidget>

// The sensor page: DPI levels, report rate and the sensor's options. The page
// shell creates it once, as the second page of its stack.
//
// The device side fills it through the hub: a full read or the offline cache
// (SigUpDataLightSensor, blocking), an applied import or a cached record shown
// by the wait dialog (SigUpDataSensorUIB), and the look of a device without
// data (SigFormReset, blocking). While it fills, g_SensorPageLoading keeps the
// senders from reporting an absent device; a full read sets
// g_SensorPageUpdated, for which the wait dialog waits.
class Sensor : public QWidget
{
    Q_OBJECT

public:
    explicit Sensor(QWidget* parent = nullptr);

    // The record the page shows: the last one it was filled from, zero after a reset.
    const FlashDataMap& ShownRecord() const { return m_ShownRecord; }

public slots:
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void SlotFormReset();

private:
    void ShowRecord(const FlashDataMap& record);

    FlashDataMap m_ShownRecord{};
};
