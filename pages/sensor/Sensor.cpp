#include "pages/sensor/Sensor.h"

#include "core/PostMsg.h"
#include "device/DeviceState.h"

Sensor::Sensor(QWidget* parent)
    : QWidget(parent)
{
    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotUpDataSenSorUISensor(FlashDataMap)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()), Qt::BlockingQueuedConnection);
}

void Sensor::SlotUpDataSenSorUISensor(FlashDataMap DataMap)
{
    g_SensorPageUpdated = false;
    ShowRecord(DataMap);
    g_SensorPageUpdated = true;
}

void Sensor::SlotUpDataSenSorUIB(FlashDataMap DataMap)
{
    ShowRecord(DataMap);
}

void Sensor::SlotFormReset()
{
    ShowRecord(FlashDataMap{});
}

void Sensor::ShowRecord(const FlashDataMap& record)
{
    g_SensorPageLoading = true;
    m_ShownRecord = record;
    g_SensorPageLoading = false;
}
