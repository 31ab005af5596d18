#pragma once

#include "device/DeviceRecords.h"
#include "device/SensorHeader.h"

#include <QString>
#include <QWidget>

// MID of the model opened last on the device list (3 to 9), for the page's
// mouse picture and key layout. Written by the device choice before it emits
// SigMouseIndex. GUI thread only.
extern int g_OpenedModelMid;

class Worker;

// The button assignment page. The page shell creates it once, as the first
// page of its stack.
//
// The device side fills it through the hub: a full read or the offline cache
// (SigUpDataLightUIButton, blocking), an applied import or a cached record
// shown by the wait dialog (SigUpDataButtonUIC), and the look of a device
// without data (SigFormReset, blocking). While it fills, g_ButtonPageLoading
// keeps the senders from reporting an absent device; a full read sets
// g_ButtonPageUpdated, for which the wait dialog waits.
class Buttoninterface : public QWidget
{
    Q_OBJECT

public:
    // Creates the program's one device thread (not started yet).
    explicit Buttoninterface(QWidget* parent = nullptr);
    // Stops the device thread and the hot-plug watch.
    ~Buttoninterface() override;

    // The record the page shows: the last one it was filled from, zero after a reset.
    const FlashDataMap& ShownRecord() const { return m_ShownRecord; }
    // The current model's sensor, taken again with every record, and the
    // definitions of the sensor header, read once: what the DPI-lock codes
    // are converted with.
    const QString& SensorName() const { return m_SensorName; }
    const SensorDefines& SensorDefineTable() const { return m_SensorDefines; }

public slots:
    void SlotUpDataButtonUIButton(FlashDataMap DataMap);
    void SlotUpDataButtonUIB(FlashDataMap DataMap);
    void SlotFormResetButton();

private:
    void ShowRecord(const FlashDataMap& record);

    FlashDataMap m_ShownRecord{};
    QString m_SensorName;
    SensorDefines m_SensorDefines;
    Worker* m_Worker;
};
