#include "lighting/LampLight.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "lighting/LampLightForm.h"
#include "pages/sensor/StopCloseTime.h"
#include "widgets/MyConmboBox.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

bool g_LightPageLoading = false;

namespace {

// Positions in the "Light" language section. Its effect texts are LightMod and
// LightMod1 to LightMod6 (1 to 7); the list has six effects, so LightMod6 stays
// unused.
constexpr LightControlsTextPositions kLightTexts = {
    .title = 0, .firstEffect = 1, .brightness = 8, .speed = 9, .customColour = 23,
    .preview = 24, .presets = 25, .red = 26, .green = 27, .blue = 28,
};
constexpr int kMovingOffText = 10;
constexpr int kSleepTimeCaptionText = 11;
constexpr int kFirstSleepTimeText = 12;

// Sets g_LightPageLoading for the lifetime of the scope.
class LoadingScope
{
public:
    LoadingScope() { g_LightPageLoading = true; }
    ~LoadingScope() { g_LightPageLoading = false; }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;
};

} // namespace

LampLight::LampLight(QWidget* parent) : QWidget(parent), ui(new Ui_LampLight)
{
    ui->setupUi(this);
    for (int i = 0; i < PresetColourCount; ++i)
        connect(ui->presets[i], &QToolButton::clicked, this, [this, i] { ApplyPreset(i); });
    // Effect 0 is current as built; show what it uses from the start.
    ShowForEffect(ui->LightMod->currentIndex());
}

LampLight::~LampLight()
{
    delete ui;
}

bool LampLight::MaySend() const
{
    return g_SendEnabled && !g_LightPageLoading;
}

bool LampLight::ColourChangeAllowed() const
{
    if (!g_SendEnabled)
        return true;
    const QByteArray path = g_DevicePathC.Snapshot();
    if (UsbFinderC_GetDeviceOnLine(path.constData()))
        return true;
    if (!g_LightPageLoading)
        PostMsg::GetInstance()->EmitMouseOffLineo(0);
    return false;
}

void LampLight::StepColourChannel(QSpinBox* box, int step)
{
    if (ColourChangeAllowed())
        box->setValue(box->value() + step);
}

void LampLight::on_AddR_clicked() { StepColourChannel(ui->RSpinBox, 1); }
void LampLight::on_AddG_clicked() { StepColourChannel(ui->GSpinBox, 1); }
void LampLight::on_AddB_clicked() { StepColourChannel(ui->BSpinBox, 1); }
void LampLight::on_ReduceR_clicked() { StepColourChannel(ui->RSpinBox, -1); }
void LampLight::on_ReduceG_clicked() { StepColourChannel(ui->GSpinBox, -1); }
void LampLight::on_ReduceB_clicked() { StepColourChannel(ui->BSpinBox, -1); }

// The channels change one after another, and each one that changes sends the
// colour of that moment: the last colour sent is the preset.
void LampLight::ApplyPreset(int index)
{
    if (ColourChangeAllowed())
        ui->SetSpinBoxColour(PresetColour(index));
}

void LampLight::ShowAndSendColour(const QColor& colour)
{
    ui->ShowPreviewColour(ui->SpinBoxColour());
    if (g_SendEnabled)
        SendLightBarColor(colour.red(), colour.green(), colour.blue());
}

void LampLight::on_RSpinBox_valueChanged(int red)
{
    ShowAndSendColour(QColor(red, ui->GSpinBox->value(), ui->BSpinBox->value()));
}

void LampLight::on_GSpinBox_valueChanged(int green)
{
    ShowAndSendColour(QColor(ui->RSpinBox->value(), green, ui->BSpinBox->value()));
}

void LampLight::on_BSpinBox_valueChanged(int blue)
{
    ShowAndSendColour(QColor(ui->RSpinBox->value(), ui->GSpinBox->value(), blue));
}

// The sliders do not track: a drag only moves the mirror until it is let go.
void LampLight::on_horizontalLight_sliderMoved(int position)
{
    ui->LightSpinBox_2->setValue(position);
}

void LampLight::on_horizontalSpeed_sliderMoved(int position)
{
    ui->SpeedSpinBox_2->setValue(position);
}

void LampLight::on_horizontalLight_valueChanged(int value)
{
    ui->LightSpinBox_2->setValue(value);
    if (MaySend())
        SendLightBarBrightness(value - 1);
}

void LampLight::on_horizontalSpeed_valueChanged(int value)
{
    ui->SpeedSpinBox_2->setValue(value);
    if (MaySend())
        SendLightBarSpeed(value - 1);
}

void LampLight::on_LightMod_currentIndexChanged(int index)
{
    if (MaySend())
        SendLightBarMode(index);
    ShowForEffect(index);
}

void LampLight::ShowForEffect(int index)
{
    ui->ShowForEffect(index, {ui->horizontalLight, ui->LightSpinBox_2}, {ui->horizontalSpeed, ui->SpeedSpinBox_2});
}

void LampLight::on_RippeControl_clicked(bool checked)
{
    if (MaySend())
        SendLampRippeControl(checked ? 1 : 0);
}

void LampLight::SlotUpDataLightUILight(FlashDataMap DataMap)
{
    LoadRecord(DataMap, true);
}

void LampLight::SlotUpDataLightUIA(FlashDataMap DataMap)
{
    LoadRecord(DataMap, false);
}

void LampLight::LoadRecord(const FlashDataMap& record, bool slidersEnabled)
{
    ui->horizontalLight->setEnabled(slidersEnabled);
    ui->horizontalSpeed->setEnabled(slidersEnabled);
    LoadingScope loading;
    const QColor colour(record.LightBarRed, record.LightBarGreen, record.LightBarBlue);
    {
        const QSignalBlocker blockLight(ui->horizontalLight);
        const QSignalBlocker blockSpeed(ui->horizontalSpeed);
        const QSignalBlocker blockRed(ui->RSpinBox);
        const QSignalBlocker blockGreen(ui->GSpinBox);
        const QSignalBlocker blockBlue(ui->BSpinBox);
        // Steps 1..10 from bytes 0..9; the widgets show larger bytes as 10.
        ui->horizontalLight->setValue(record.LightBarBrightness + 1);
        ui->horizontalSpeed->setValue(record.LightBarSpeed + 1);
        ui->LightSpinBox_2->setValue(record.LightBarBrightness + 1);
        ui->SpeedSpinBox_2->setValue(record.LightBarSpeed + 1);
        ui->SetSpinBoxColour(colour);
        ui->ShowPreviewColour(colour);
    }
    // Not blocked: a new effect updates what is shown (and sends nothing).
    // An effect the list does not have leaves no item current.
    const int effect = record.LightBarOn != 0 ? record.LightBarEffect : 0;
    ui->LightMod->setCurrentIndex(effect < ui->LightMod->count() ? effect : -1);
    ui->RippeControl->setChecked(record.LightBarRipple != 0);
    const int sleepIndex = SleepTimeIndexOfSeconds(record.SleepTime * 10);
    if (sleepIndex >= 0)
        ui->frameClose->SetCurrentIndexSilently(sleepIndex);
}

void LampLight::SlotFormResetLight()
{
    LoadingScope loading;
    ui->LightMod->setCurrentIndex(1);
    ui->horizontalLight->setValue(10);
    ui->horizontalSpeed->setValue(8);
    ui->LightSpinBox_2->setValue(10);
    ui->SpeedSpinBox_2->setValue(8);
    ui->RippeControl->setChecked(true);
    ui->frameClose->SetCurrentIndexSilently(2);
}

void LampLight::SlotAllLanguage(int index)
{
    const QList<QStringList>& table = g_LangTextsLight;
    ui->retranslateFromTable(table, index, kLightTexts);
    const auto text = [&](int k, const QString& current) { return LanguageTextInRow(table, index, k, current); };
    ui->label_4->setText(text(kMovingOffText, ui->label_4->text()));
    ui->label_5->setText(text(kSleepTimeCaptionText, ui->label_5->text()));
    for (int i = 0; i < SleepTimeCount; ++i)
        ui->frameClose->SetItemText(i, text(kFirstSleepTimeText + i, ui->frameClose->ItemText(i)));
}

void LampLight::mousePressEvent(QMouseEvent* event)
{
    HandleColourBoardPress(this, *ui, event,
                           {{ui->RSpinBox, ui->GSpinBox, ui->BSpinBox}, {ui->LightSpinBox_2}, {ui->SpeedSpinBox_2}},
                           [this] { return ColourChangeAllowed(); });
}
