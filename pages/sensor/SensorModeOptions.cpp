#include "pages/sensor/SensorModeOptions.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QListView>
#include <QSignalBlocker>

namespace {

const int kPerformanceOpenUnits[6] = {3, 6, 12, 30, 60, 90};

constexpr int kModeLowPower = 0;
constexpr int kModeHighPerformance = 1;
constexpr int kModeCorded = 2;

bool IsHighRate(int code)
{
    return code == 16 || code == 32 || code == 64;
}

bool IsStandardRate(int code)
{
    return code == 8 || code == 4 || code == 2 || code == 1;
}

// The receivers of the 4K, 2K and 8K classes, which take high rates.
bool IsFastReceiver(std::uint8_t kind)
{
    return kind == 1 || kind == 4 || kind == 5;
}

} // namespace

int PerformanceOpenUnits(int item)
{
    return item >= 0 && item < 6 ? kPerformanceOpenUnits[item] : -1;
}

int PerformanceOpenItem(int units)
{
    for (int item = 0; item < 6; ++item) {
        if (kPerformanceOpenUnits[item] == units)
            return item;
    }
    return -1;
}

SensorModeOptions::SensorModeOptions(MyConmboBox* modeCombo, QListView* modeList, QCheckBox* performance,
                                     MyConmboBox* performanceOpen)
    : m_ModeCombo(modeCombo)
    , m_ModeList(modeList)
    , m_Performance(performance)
    , m_PerformanceOpen(performanceOpen)
{
}

void SensorModeOptions::ModeIndexChanged(int index)
{
    if (!g_SendEnabled || g_SensorPageLoading)
        return;
    if (index == kModeLowPower || index == kModeHighPerformance)
        SendSensorMode(index);
}

void SensorModeOptions::PerformanceClicked(bool checked)
{
    if (g_SendEnabled)
        SendPerformance(checked ? 1 : 0);
}

void SensorModeOptions::PerformanceToggled(bool checked)
{
    m_PerformanceOpen->setEnabled(checked);
}

void SensorModeOptions::SyncPerformanceOpen()
{
    m_PerformanceOpen->setEnabled(m_Performance->isChecked());
}

void SensorModeOptions::PerformanceOpenIndexChanged(int index)
{
    if (!g_SendEnabled || g_SensorPageLoading)
        return;
    const int units = PerformanceOpenUnits(index);
    if (units > 0)
        SendPerformanceOpen(units);
}

void SensorModeOptions::FixToCorded(bool showCordedRow)
{
    if (showCordedRow)
        m_ModeList->setRowHidden(kModeCorded, false);
    m_ModeCombo->setCurrentIndex(kModeCorded);
    m_ModeCombo->setEnabled(false);
}

void SensorModeOptions::MakeFree(int modeByte)
{
    m_ModeCombo->setEnabled(true);
    m_ModeCombo->setCurrentIndex(modeByte);
    m_ModeList->setRowHidden(kModeCorded, true);
}

void SensorModeOptions::ApplyRecordRule(bool listed, const DeviceAllInfo& device, int rateCode, int modeByte)
{
    if (!listed) {
        m_ModeCombo->setEnabled(false);
        return;
    }
    m_ModeCombo->setEnabled(true);
    if (device.KindFlag || (IsFastReceiver(device.Kind) && IsHighRate(rateCode)))
        FixToCorded(false);
    else
        MakeFree(modeByte);
}

void SensorModeOptions::ApplyReportRateRule(bool listed, const DeviceAllInfo& device, int rateCode)
{
    if (!listed || device.KindFlag)
        return;
    if (IsStandardRate(rateCode))
        MakeFree(g_FlashData.Snapshot().SensorMode);
    else if (IsHighRate(rateCode))
        FixToCorded(true);
}

void SensorModeOptions::ApplyRateClassRule(bool listed, const DeviceAllInfo& device, int rateClass)
{
    if (!listed)
        return;
    if (rateClass == 1 && IsFastReceiver(device.Kind))
        FixToCorded(true);
    else if (rateClass == 0 && !device.KindFlag)
        MakeFree(g_FlashData.Snapshot().SensorMode);
}

void SensorModeOptions::ApplyResetRule(bool listed, const DeviceAllInfo& device)
{
    const QSignalBlocker blocker(m_ModeCombo);
    switch (device.Kind) {
    case 0:
    case 2: m_ModeCombo->setCurrentIndex(kModeLowPower); break;
    case 1:
    case 3:
    case 4:
    case 5: m_ModeCombo->setCurrentIndex(kModeCorded); break;
    default: break;
    }
    if (device.KindFlag)
        m_ModeCombo->setCurrentIndex(kModeCorded);
    // As with a record: the user never chooses "Corded", and a sensor without
    // modes offers none.
    if (!listed || m_ModeCombo->currentIndex() == kModeCorded) {
        m_ModeCombo->setEnabled(false);
    } else {
        m_ModeCombo->setEnabled(true);
        m_ModeList->setRowHidden(kModeCorded, true);
    }
}
