// How the sensor page shows what the device side delivers: whole records,
// the factory look, and the device's own reports.

#include "pages/sensor/Sensor.h"

#include "core/ConfigIni.h"
#include "device/DeviceCache.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "pages/sensor/DpiLedFrames.h"
#include "pages/sensor/DpiSegmentRule.h"
#include "pages/sensor/LiftOffFrames.h"
#include "pages/sensor/OnOffFrames.h"
#include "pages/sensor/ReportRateFrames.h"
#include "pages/sensor/SensorDpiFrame.h"
#include "pages/sensor/SensorModeOptions.h"
#include "pages/sensor/Ui_Sensor.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

#include <algorithm>
#include <atomic>

namespace {

constexpr int kRate1000HzIndex = 3;
constexpr int kDpiLedBreathing = 2;

// Sets a flag for a scope and gives it back its former value.
class FlagHold
{
public:
    FlagHold(std::atomic<bool>& flag, bool value) : m_flag(flag), m_former(flag.exchange(value)) {}
    ~FlagHold() { m_flag = m_former; }
    FlagHold(const FlagHold&) = delete;
    FlagHold& operator=(const FlagHold&) = delete;

private:
    std::atomic<bool>& m_flag;
    bool m_former;
};

// Blocks the DPI slider's signals for a scope, so that values shown on it
// are not taken for the user's and sent.
class SliderSignalsHold
{
public:
    explicit SliderSignalsHold(SensorDPI* frame) : m_frame(frame), m_former(frame->BlockSliderSignals(true)) {}
    ~SliderSignalsHold() { m_frame->BlockSliderSignals(m_former); }
    SliderSignalsHold(const SliderSignalsHold&) = delete;
    SliderSignalsHold& operator=(const SliderSignalsHold&) = delete;

private:
    SensorDPI* m_frame;
    bool m_former;
};

QString ModelValue(const QString& key)
{
    return ConfigIni::GetInstance()->Value(ModelGroup(g_CurrentDevice.Snapshot().ModelIndex), key);
}

// "#rrggbb" of a level's colour bytes.
QString LevelColourText(const DpiLevelEntry& level)
{
    return QStringLiteral("#%1%2%3")
        .arg(level.Red, 2, 16, QLatin1Char('0'))
        .arg(level.Green, 2, 16, QLatin1Char('0'))
        .arg(level.Blue, 2, 16, QLatin1Char('0'));
}

} // namespace

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

void Sensor::ShowRecord(const FlashDataMap& record)
{
    SensorDPI* dpi = ui->frameDpi;
    dpi->ClearLevelCountCombo();
    SliderSignalsHold sliderHold(dpi);
    dpi->SetSliderEnabled(true);
    ui->frameEffect->SetSlidersEnabled(true);
    FlagHold loading(g_SensorPageLoading, true);
    m_ShownRecord = record;

    dpi->SetLevelCountMember(record.DpiLevelCount);
    dpi->SetCurrentLevelMember(record.CurrentDpiLevel);
    ShowRecordOptions(record);

    // The description may hold more levels than the record has entries.
    const int maxGrade = qBound(0, ModelValue(QStringLiteral("DPIMaxGrade")).toInt(), int(DpiLevelEntryCount));
    ShowDpiLevels(record, maxGrade);
    ApplyCompactLayout(ModelValue(QStringLiteral("XIn1")).toInt() == 2);

    const QString group = ModelGroup(g_CurrentDevice.Snapshot().ModelIndex);
    LoadDpiRangeTables(ConfigIni::GetInstance()->ValueList(group, QStringLiteral("DPIRange")), &m_OverallDpi);
    // Without any range loaded yet the slider keeps its own, rather than
    // shrinking to nothing.
    if (!m_OverallDpi.maximum.isEmpty()) {
        const int minimum = m_OverallDpi.minimum.toInt();
        dpi->SetSliderMaximum(LargestKeptDpi(minimum, m_OverallDpi.maximum.toInt()));
        dpi->SetSliderMinimum(minimum);
    }
    ShowDpiValues(record, maxGrade);

    const int rateClass = ReceiverRateClass(g_CurrentDevice.Snapshot().Kind);
    if (rateClass >= 0)
        ui->frameRate->SetReceiverKind(rateClass);
    ApplySwitches();
    ApplySensor3315Layout();
}

// Report rate, sensor name, mode, lift-off distance, performance, the on/off
// options and the DPI-LED effect.
void Sensor::ShowRecordOptions(const FlashDataMap& record)
{
    const DeviceAllInfo device = g_CurrentDevice.Snapshot();
    ui->frameRate->SetRateIndex(ReportRateIndex(record.ReportRate));
    // On the cable the mouse runs at 1000 Hz whatever high rate it keeps for the receiver.
    if (device.KindFlag && (record.ReportRate == 16 || record.ReportRate == 32))
        ui->frameRate->SetRateIndex(kRate1000HzIndex);

    g_SensorName = ModelValue(QStringLiteral("Sensor"));
    if (g_SensorName == QLatin1String("3950"))
        ui->frameLOD->AddSubMillimetreItem();
    else
        ui->frameLOD->RemoveSubMillimetreItem();
    m_ModeOptions->ApplyRecordRule(IsListed(SensorSwitch::SensorModeSel), device, record.ReportRate,
                                   record.SensorMode);
    ui->frameLOD->SetLodIndex(record.LiftOffDistance - 1);

    const bool performance = record.PerformanceMode != 0;
    ui->Performance->setChecked(performance);
    ui->PerformanceOpen->setEnabled(performance);
    const int performanceItem = PerformanceOpenItem(record.PerformanceSleepTime);
    if (performanceItem >= 0)
        ui->PerformanceOpen->setCurrentIndex(performanceItem);

    ui->frame->SetChecked(record.RippleControl != 0);
    ui->frame_4->SetChecked(record.AngleSnapping != 0);
    ui->frame_3->SetChecked(record.MotionSync != 0);
    ShowDpiLedState(record);
}

void Sensor::ShowDpiLedState(const FlashDataMap& record)
{
    SensorEffect* effect = ui->frameEffect;
    if (record.DpiLedOn == 0)
        effect->SetMode(0);
    else if (record.DpiLedEffect == 1 || record.DpiLedEffect == 2)
        effect->SetMode(record.DpiLedEffect);
    effect->SetSpeedSliderValue(record.DpiLedSpeed);
    effect->SetBrightnessSliderValue(DpiLedBrightnessPosition(record.DpiLedBrightness));
}

// The level colours and the level-count choices the model offers.
void Sensor::ShowDpiLevels(const FlashDataMap& record, int maxGrade)
{
    SensorDPI* dpi = ui->frameDpi;
    dpi->BlockLevelCountSignals(true);
    for (int i = 0; i < maxGrade; ++i) {
        QString colour = LevelColourText(record.DpiLevels[i]);
        StoreLevelColor(dpi, i, colour);
        dpi->AddLevelCountItem(i, QString::number(i + 1));
    }
    dpi->BlockLevelCountSignals(false);
    dpi->RestyleAllLevelButtons(record.CurrentDpiLevel);
}

// The levels' DPI, the current level's on the slider, and the level count.
void Sensor::ShowDpiValues(const FlashDataMap& record, int maxGrade)
{
    SensorDPI* dpi = ui->frameDpi;
    for (int i = 0; i < maxGrade; ++i) {
        const DpiLevelEntry& level = record.DpiLevels[i];
        // A code can read above any DPI the model offers; no control goes
        // higher than the slider, so neither does the level's text.
        const int value = std::min(DecodeLevelDpi(level.XCode, level.RangeBits), dpi->SliderMaximum());
        dpi->SetLevelText(i, QString::number(value));
        if (i == record.CurrentDpiLevel) {
            dpi->SetSliderValue(value);
            dpi->SetSpinValue(value);
        }
    }
    dpi->LayoutForLevelCount(record.DpiLevelCount - 1);
    dpi->SetLevelCountIndex(record.DpiLevelCount - 1);
    dpi->MoveMarkerToLevel(record.CurrentDpiLevel + 1);
    dpi->CheckLevelButton(record.CurrentDpiLevel);
}

// The compact layout keeps only the DPI and report-rate frames.
void Sensor::ApplyCompactLayout(bool compact)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->TitleButton_4, ui->label_5, ui->label_11,
                                                         ui->ModelChoose, ui->frameLOD, ui->Performance,
                                                         ui->PerformanceOpen, ui->frame, ui->frame_4, ui->frame_3})
        widget->setVisible(!compact);
    ui->frameEffect->move(80, compact ? 316 : 456);
    ui->TitleButton_3->move(40, compact ? 323 : 463);
}

void Sensor::ApplySwitches()
{
    ui->frameLOD->SetComboEnabled(IsListed(SensorSwitch::LodCal));
    ui->frame->setVisible(IsListed(SensorSwitch::Ripple));
    ui->frame_4->setVisible(IsListed(SensorSwitch::FixLine));
    ui->frame_3->setVisible(IsListed(SensorSwitch::MotionSync));
}

// The 3315 offers neither mode, lift-off distance nor the on/off options; its
// performance controls take the place of the mode.
void Sensor::ApplySensor3315Layout()
{
    const bool is3315 = g_SensorName == QLatin1String("3315");
    if (is3315) {
        for (QWidget* widget : std::initializer_list<QWidget*>{ui->frame, ui->frame_3, ui->frame_4, ui->label_11,
                                                             ui->ModelChoose, ui->frameLOD})
            widget->hide();
    }
    const int x = is3315 ? 80 : 430;
    ui->Performance->move(x, 360);
    ui->PerformanceOpen->move(x, 390);
}

void Sensor::SlotFormReset()
{
    FlagHold loading(g_SensorPageLoading, true);
    m_ShownRecord = FlashDataMap{};
    SensorDPI* dpi = ui->frameDpi;
    // The factory look is shown, never sent: the slider's values stay its own.
    SliderSignalsHold sliderHold(dpi);
    dpi->SetSliderMaximum(26000);
    dpi->SetSliderMinimum(50);
    g_SensorName = ModelValue(QStringLiteral("Sensor"));

    dpi->LoadDefaultLevels();
    dpi->ClearLevelCountCombo();
    for (int i = 0; i < 4; ++i)
        dpi->AddLevelCountItem(i, QString::number(i + 1));
    dpi->BlockLevelCountSignals(false);
    dpi->LayoutForLevelCount(3);
    dpi->SetLevelCountIndex(3);
    dpi->MoveMarkerToLevel(2);
    dpi->CheckLevelButton(1);
    // The frame's own idea of the levels follows what it shows, so that the
    // marker does not act on the previous device's levels.
    dpi->SetLevelCountMember(4);
    dpi->SetCurrentLevelMember(1);

    ui->frameLOD->SetLodIndex(0);
    dpi->SetSliderValue(800);
    dpi->SetSpinValue(800);

    const DeviceAllInfo device = g_CurrentDevice.Snapshot();
    const int rateClass = ReceiverRateClass(device.Kind);
    if (rateClass >= 0) {
        ui->frameRate->SetReceiverKind(rateClass);
        ui->frameRate->SetRateIndex(kRate1000HzIndex);
    }
    m_ModeOptions->ApplyResetRule(IsListed(SensorSwitch::SensorModeSel), device);
    {
        const bool wasBlocked = ui->PerformanceOpen->blockSignals(true);
        ui->PerformanceOpen->setCurrentIndex(1);
        ui->PerformanceOpen->blockSignals(wasBlocked);
    }

    ui->frameEffect->SetMode(kDpiLedBreathing);
    ui->frameEffect->SetSpeedSliderValue(3);
    ui->frameEffect->SetBrightnessSliderValue(5);
    ui->Performance->setChecked(false);
    ui->PerformanceOpen->setEnabled(false);
    ui->frame_3->SetChecked(true);
    ui->frame_4->SetChecked(false);
    ui->frame->SetChecked(false);
    ApplySensor3315Layout();
}

// A choice the device did not take (it was asleep or gone, or its
// configuration was being read again) leaves the options showing what the
// device holds, or the factory look where nothing of this model is held,
// rather than the refused choice.
void Sensor::SlotChangeRefused()
{
    if (!HoldsCurrentModelRecord()) {
        SlotFormReset();
        return;
    }
    FlagHold loading(g_SensorPageLoading, true);
    ShowRecordOptions(g_FlashData.Snapshot());
}

void Sensor::SlotUpDataReportRate(int index)
{
    const int choice = ReportRateIndex(index);
    if (choice < 0)
        return;
    ui->frameRate->SetRateIndex(choice);
    m_ModeOptions->ApplyReportRateRule(IsListed(SensorSwitch::SensorModeSel), g_CurrentDevice.Snapshot(), index);
}

void Sensor::SlotHideModel(int index)
{
    m_ModeOptions->ApplyRateClassRule(IsListed(SensorSwitch::SensorModeSel), g_CurrentDevice.Snapshot(), index);
}

void Sensor::SlotUpDataDPI(int index)
{
    // The device changed its level itself: show it without telling it back.
    FlagHold quiet(g_SendEnabled, false);
    SensorDPI* dpi = ui->frameDpi;
    dpi->MoveMarkerToLevel(index + 1);
    if (index >= 0 && index < DpiLevelEntryCount) {
        dpi->CheckLevelButton(index);
        dpi->SetCurrentLevelMember(index);
    }
}

void Sensor::SlotUpDataDPILed(FlashDataMap DataMap)
{
    // The device reported its own state: showing it must not send it back.
    FlagHold loading(g_SensorPageLoading, true);
    ShowDpiLedState(DataMap);
}
