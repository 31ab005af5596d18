#include "pages/buttons/Buttoninterface.h"

#include "core/ConfigIni.h"
#include "core/PostMsg.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/Worker.h"

int g_OpenedModelMid = 0;

Buttoninterface::Buttoninterface(QWidget* parent)
    : QWidget(parent)
    , m_SensorDefines(ReadSensorHeader(SensorHeaderPath(), SwitchNamedDefines::Drop).defines)
    , m_Worker(new Worker())
{
    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotUpDataButtonUIButton(FlashDataMap)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this, SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetButton()), Qt::BlockingQueuedConnection);
}

Buttoninterface::~Buttoninterface()
{
    delete m_Worker;
    StopUsbChanged();
}

void Buttoninterface::SlotUpDataButtonUIButton(FlashDataMap DataMap)
{
    g_ButtonPageUpdated = false;
    ShowRecord(DataMap);
    g_ButtonPageUpdated = true;
}

void Buttoninterface::SlotUpDataButtonUIB(FlashDataMap DataMap)
{
    ShowRecord(DataMap);
}

void Buttoninterface::SlotFormResetButton()
{
    g_ButtonPageLoading = true;
    m_ShownRecord = FlashDataMap{};
    g_ButtonPageLoading = false;
}

void Buttoninterface::ShowRecord(const FlashDataMap& record)
{
    g_ButtonPageLoading = true;
    m_ShownRecord = record;
    m_SensorName = ConfigIni::GetInstance()->Value(ModelGroup(g_CurrentDevice.Snapshot().ModelIndex), "Sensor");
    g_ButtonPageLoading = false;
}
