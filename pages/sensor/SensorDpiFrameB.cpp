#include "pages/sensor/SensorDpiFrameB.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr int kLevels = DpiLevelsFrameBase::LevelCount;
const char* const kDefaultColours[kLevels] = {"#ff0000", "#ffff00", "#ffaa00", "#00ff00",
                                              "#aaffff", "#aa55ff", "#9f0000", "#00d4d4"};
const char* const kFixedPalette[kLevels] = {"#ff0000", "#00ffff", "#00ff00", "#ffffff",
                                            "#00ffff", "#ff557d", "#ff00ff", "#00ffff"};
constexpr int kRowPitch = 50;

} // namespace

void Ui_SensorDPIB::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "SensorDPIB", QSize(725, 444));

    label = new QLabel(frame);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(QRect(540, 10, 91, 21));
    label->setFont(FormFont(11));
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    ChooseEvent = new MyConmboBox(frame);
    ChooseEvent->setObjectName(QStringLiteral("ChooseEvent"));
    ChooseEvent->setGeometry(QRect(630, 10, 81, 21));
    ChooseEvent->setFont(FormFont(10));
    ChooseEvent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    ChooseEvent->setMinimumSize(QSize(0, 0));
    ChooseEvent->setFocusPolicy(Qt::NoFocus);

    for (int k = 0; k < kLevels; ++k) {
        const QChar row = QChar('A' + k);
        swatches[k] = new QToolButton(frame);
        swatches[k]->setObjectName(DpiLevelsFrameBase::LevelButtonName(k) + QLatin1Char('A'));
        swatches[k]->setGeometry(QRect(80, 57 + kRowPitch * k, 25, 25));
        swatches[k]->setCheckable(true);
        swatches[k]->setAutoRaise(false);
        swatches[k]->setFocusPolicy(Qt::NoFocus);

        numbers[k] = new QSpinBox(frame);
        numbers[k]->setObjectName(QStringLiteral("spinBox") + row);
        numbers[k]->setGeometry(QRect(643, 60 + kRowPitch * k, 66, 21));
        numbers[k]->setFont(FormFont(10));
        SetupNumberDisplay(numbers[k], 50, 100000);

        sliders[k] = new MySlider(frame);
        sliders[k]->setObjectName(QStringLiteral("horizontalSlider") + row);
        sliders[k]->setGeometry(QRect(120, 60 + kRowPitch * k, 510, 25));
        sliders[k]->setMinimumSize(QSize(510, 25));
        sliders[k]->setMaximumSize(QSize(510, 25));
        SetupStepSlider(sliders[k], 50, 10000);
        sliders[k]->setSingleStep(50);
        sliders[k]->setPageStep(50);
        sliders[k]->setValue(50);

        levelBoxes[k] = new QCheckBox(frame);
        levelBoxes[k]->setObjectName(QStringLiteral("M") + row);
        levelBoxes[k]->setGeometry(QRect(10, 60 + kRowPitch * k, 61, 20));
        levelBoxes[k]->setFont(FormFont(11));
        levelBoxes[k]->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
        levelBoxes[k]->setMinimumSize(QSize(20, 10));
        levelBoxes[k]->setFocusPolicy(Qt::NoFocus);
    }
    retranslateUi(frame);
}

void Ui_SensorDPIB::retranslateUi(QFrame* frame)
{
    frame->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QString::fromUtf8("DPI级数"));
    for (int k = 0; k < kLevels; ++k) {
        swatches[k]->setText(QString());
        levelBoxes[k]->setText(QStringLiteral("DPI%1").arg(k + 1));
    }
}

SensorDPIB::SensorDPIB(QWidget* parent)
    : DpiLevelsFrameBase(parent)
    , ui(new Ui_SensorDPIB)
    , m_LevelGroup(new QButtonGroup(this))
{
    for (int k = 0; k < kLevels; ++k)
        m_LevelColors[k] = QString::fromLatin1(kDefaultColours[k]);
    ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);
    m_LevelGroup->setExclusive(true);
    AttachCountWidgets(ui->label, ui->ChooseEvent);

    const QString sliderStyle =
        GrooveSliderStyle(m_PictureFolder, OptionColorText(QStringLiteral("SliderColor")), QSize(6, 18), 0);
    const QString numberStyle = BorderedNumberStyle(OptionColorText(QStringLiteral("LinEditColorSecond")));
    const QString boxStyle = IndicatorCheckBoxStyle(m_PictureFolder, OptionColorText(QStringLiteral("LabelColor")));
    for (int k = 0; k < kLevels; ++k) {
        ui->sliders[k]->setStyleSheet(sliderStyle);
        ui->numbers[k]->setStyleSheet(numberStyle);
        // Red until an owner restyles the swatches with the levels' colours.
        ui->swatches[k]->setStyleSheet("#" + ui->swatches[k]->objectName()
                                       + "{border:0px;border-radius:3px;background-position:center;"
                                         "background-repeat:no-repeat;background-color: rgb(255, 0, 0);}");
        ui->levelBoxes[k]->setStyleSheet(boxStyle);
        m_LevelGroup->addButton(ui->levelBoxes[k]);
    }
}

SensorDPIB::~SensorDPIB()
{
    delete ui;
}

void SensorDPIB::LayoutForLevelCount(int index)
{
    if (!IsLevel(index))
        return;
    for (int k = 0; k < kLevels; ++k) {
        const bool shown = k <= index;
        ui->swatches[k]->setVisible(shown);
        ui->sliders[k]->setVisible(shown);
        ui->numbers[k]->setVisible(shown);
        ui->levelBoxes[k]->setVisible(shown);
    }
}

void SensorDPIB::BlockSliderSignals(bool block)
{
    for (MySlider* slider : ui->sliders)
        slider->blockSignals(block);
}

void SensorDPIB::SetSlidersEnabled(bool enabled)
{
    for (MySlider* slider : ui->sliders)
        slider->setEnabled(enabled);
}

void SensorDPIB::SetSlidersMinimum(int value)
{
    for (MySlider* slider : ui->sliders)
        slider->setMinimum(value);
}

void SensorDPIB::SetSlidersMaximum(int value)
{
    for (MySlider* slider : ui->sliders)
        slider->setMaximum(value);
}

void SensorDPIB::SetSliderValue(int value, int level)
{
    if (IsLevel(level))
        ui->sliders[level]->setValue(value);
}

void SensorDPIB::SetSpinValue(int value, int level)
{
    if (IsLevel(level))
        ui->numbers[level]->setValue(value);
}

void SensorDPIB::SetLevelValue(int level, const QString& text)
{
    if (!IsLevel(level))
        return;
    ui->sliders[level]->setValue(text.toInt());
    ui->numbers[level]->setValue(text.toInt());
}

void SensorDPIB::SetLevelColor(int level, const QString& text)
{
    if (IsLevel(level))
        m_LevelColors[level] = text;
}

void SensorDPIB::PaintSwatch(int level, const QString& colour)
{
    ui->swatches[level]->setStyleSheet(
        "QToolButton{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;"
        "background-color:"
        + colour + ";}");
}

void SensorDPIB::RestyleColorButton(int level)
{
    if (IsLevel(level))
        PaintSwatch(level, m_LevelColors[level]);
}

void SensorDPIB::RestyleAllColorButtons()
{
    for (int k = 0; k < kLevels; ++k)
        RestyleColorButton(k);
}

void SensorDPIB::ApplyFixedColorPalette()
{
    for (int k = 0; k < kLevels; ++k)
        PaintSwatch(k, QString::fromLatin1(kFixedPalette[k]));
}

void SensorDPIB::CheckLevelBox(int level)
{
    if (IsLevel(level))
        ui->levelBoxes[level]->setChecked(true);
}

void SensorDPIB::SelectLevel(int level)
{
    if (!IsLevel(level))
        return;
    if (g_SendEnabled && !CurrentDeviceOnline() && !g_SensorPageLoading) {
        RaiseOfflineNotice();
        return;
    }
    m_ChangeLatch = false;
    ui->levelBoxes[level]->setChecked(true);
}

void SensorDPIB::SliderChanged(int level, int value)
{
    const int shown = ui->numbers[level]->value();
    if (TakeSliderValue(ui->sliders[level], ui->numbers[level], value, shown) && !SendLevelValue(level, value))
        ShowSliderValue(ui->sliders[level], ui->numbers[level], shown);
}

void SensorDPIB::LevelBoxToggled(int level, bool checked)
{
    if (!checked || !MaySend())
        return;
    m_CurrentLevel = level;
    SendCurrentDPILevel(level);
}

void SensorDPIB::SwatchClicked(int level)
{
    m_ColorTarget = level;
    ShowColorDialog(QColor(m_LevelColors[level]));
}

void SensorDPIB::SetColor(const QColor& color)
{
    if (!IsLevel(m_ColorTarget))
        return;
    m_LevelColors[m_ColorTarget] = color.name();
    if (MaySend())
        SendDPILevelColor(m_ColorTarget, color.red(), color.green(), color.blue());
    RestyleColorButton(m_ColorTarget);
}

void SensorDPIB::ExchangeLevels(int newLast, int current)
{
    BlockSliderSignals(true);
    const QString currentColour = m_LevelColors[current];
    const int currentValue = ui->numbers[current]->value();
    const QString lastColour = m_LevelColors[newLast];
    const int lastValue = ui->numbers[newLast]->value();

    m_LevelColors[current] = lastColour;
    RestyleColorButton(current);
    ui->sliders[current]->setValue(lastValue);
    ui->numbers[current]->setValue(lastValue);

    m_LevelColors[newLast] = currentColour;
    RestyleColorButton(newLast);
    ui->sliders[newLast]->setValue(currentValue);
    ui->numbers[newLast]->setValue(currentValue);
    {
        ShowingOnly quiet(this);
        ui->levelBoxes[newLast]->setChecked(true);
    }

    m_LevelCount = newLast + 1;
    m_CurrentLevel = newLast;
    BlockSliderSignals(false);
}

void SensorDPIB::on_horizontalSliderA_valueChanged(int value) { SliderChanged(0, value); }
void SensorDPIB::on_horizontalSliderB_valueChanged(int value) { SliderChanged(1, value); }
void SensorDPIB::on_horizontalSliderC_valueChanged(int value) { SliderChanged(2, value); }
void SensorDPIB::on_horizontalSliderD_valueChanged(int value) { SliderChanged(3, value); }
void SensorDPIB::on_horizontalSliderE_valueChanged(int value) { SliderChanged(4, value); }
void SensorDPIB::on_horizontalSliderF_valueChanged(int value) { SliderChanged(5, value); }
void SensorDPIB::on_horizontalSliderG_valueChanged(int value) { SliderChanged(6, value); }
void SensorDPIB::on_horizontalSliderH_valueChanged(int value) { SliderChanged(7, value); }

void SensorDPIB::on_MA_toggled(bool checked) { LevelBoxToggled(0, checked); }
void SensorDPIB::on_MB_toggled(bool checked) { LevelBoxToggled(1, checked); }
void SensorDPIB::on_MC_toggled(bool checked) { LevelBoxToggled(2, checked); }
void SensorDPIB::on_MD_toggled(bool checked) { LevelBoxToggled(3, checked); }
void SensorDPIB::on_ME_toggled(bool checked) { LevelBoxToggled(4, checked); }
void SensorDPIB::on_MF_toggled(bool checked) { LevelBoxToggled(5, checked); }
void SensorDPIB::on_MG_toggled(bool checked) { LevelBoxToggled(6, checked); }
void SensorDPIB::on_MH_toggled(bool checked) { LevelBoxToggled(7, checked); }

void SensorDPIB::on_BlueButtonA_clicked() { SwatchClicked(0); }
void SensorDPIB::on_BrightRedButtonA_clicked() { SwatchClicked(1); }
void SensorDPIB::on_RedButtonA_clicked() { SwatchClicked(2); }
void SensorDPIB::on_YellowButtonA_clicked() { SwatchClicked(3); }
void SensorDPIB::on_GreenButtonA_clicked() { SwatchClicked(4); }
void SensorDPIB::on_PurpleButtonA_clicked() { SwatchClicked(5); }
void SensorDPIB::on_LightBlueButtonA_clicked() { SwatchClicked(6); }
void SensorDPIB::on_LightYellowButtonA_clicked() { SwatchClicked(7); }
