#include "pages/sensor/DpiLedFrames.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace {

const int kBrightnessBytes[10] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};

bool FrameMaySend()
{
    return g_SendEnabled && !g_SensorPageLoading;
}

QLabel* MakeLabel(QFrame* frame, const char* name, const QRect& rect)
{
    auto* label = new QLabel(frame);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setFont(FormFont(11));
    return label;
}

QSlider* MakeSlider(QFrame* frame, const char* name, const QRect& rect, int maximum)
{
    auto* slider = new QSlider(frame);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setGeometry(rect);
    SetupStepSlider(slider, 1, maximum);
    return slider;
}

// The thin rule that stands in a row while its slider is hidden.
QFrame* MakeRule(QFrame* frame, const char* name, const QRect& rect)
{
    auto* line = new QFrame(frame);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(rect);
    line->setStyleSheet(QStringLiteral("background-color:  rgb(57, 57, 57);"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QSpinBox* MakeNumber(QFrame* frame, const char* name, const QRect& rect)
{
    auto* box = new QSpinBox(frame);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(rect);
    box->setFont(FormFont(11));
    SetupNumberDisplay(box, 1, 10);
    return box;
}

} // namespace

int DpiLedBrightnessByte(int position)
{
    return position >= 1 && position <= 10 ? kBrightnessBytes[position - 1] : position;
}

int DpiLedBrightnessPosition(int byte)
{
    for (int i = 0; i < 10; ++i) {
        if (kBrightnessBytes[i] == byte)
            return i + 1;
    }
    return byte;
}

DpiLedFrame::DpiLedFrame(QWidget* parent)
    : QFrame(parent)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
}

void DpiLedFrame::AttachRows(const DpiLedRows& rows)
{
    m_Rows = rows;
}

void DpiLedFrame::SetSpeedSliderValue(int value)
{
    m_Rows.speed->setValue(value);
}

void DpiLedFrame::SetBrightnessSliderValue(int position)
{
    m_Rows.brightness->setValue(position);
}

void DpiLedFrame::SetSlidersEnabled(bool enabled)
{
    m_Rows.speed->setEnabled(enabled);
    m_Rows.brightness->setEnabled(enabled);
}

void DpiLedFrame::SetTitleText(const QString& text)
{
    m_Rows.title->setText(text);
}

void DpiLedFrame::SetSpeedLabelText(const QString& text)
{
    m_Rows.speedLabel->setText(text);
}

void DpiLedFrame::SetBrightnessLabelText(const QString& text)
{
    m_Rows.brightnessLabel->setText(text);
}

void DpiLedFrame::on_SpeedH_valueChanged(int value)
{
    m_Rows.speedNumber->setValue(value);
    if (FrameMaySend())
        SendDPILedSpeed(value);
}

void DpiLedFrame::on_SpeedH_sliderMoved(int position)
{
    m_Rows.speedNumber->setValue(position);
}

void DpiLedFrame::on_LightH_valueChanged(int value)
{
    m_Rows.brightnessNumber->setValue(value);
    if (FrameMaySend())
        SendDPILedBrightness(DpiLedBrightnessByte(value));
}

void DpiLedFrame::on_LightH_sliderMoved(int position)
{
    m_Rows.brightnessNumber->setValue(position);
}

void DpiLedFrame::ShowRowsForMode(int mode)
{
    if (mode < 0 || mode > 2)
        return;
    const bool speedShown = mode == 2;
    const bool brightnessShown = mode == 1;
    m_Rows.speed->setVisible(speedShown);
    m_Rows.speedNumber->setVisible(speedShown);
    m_Rows.speedLine->setVisible(!speedShown);
    m_Rows.brightness->setVisible(brightnessShown);
    m_Rows.brightnessNumber->setVisible(brightnessShown);
    m_Rows.brightnessLine->setVisible(!brightnessShown);
}

void DpiLedFrame::ChooseMode(int mode)
{
    if (mode < 0 || mode > 2)
        return;
    ShowRowsForMode(mode);
    if (FrameMaySend())
        SendDPILedMode(mode);
}

void DpiLedFrame::BlockSliderSignals(bool block)
{
    m_Rows.speed->blockSignals(block);
    m_Rows.brightness->blockSignals(block);
}

void Ui_SensorEffect::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "SensorEffect", QSize(439, 96));
    label = MakeLabel(frame, "label", QRect(0, 0, 131, 21));
    Model = new MyConmboBox(frame);
    Model->setObjectName(QStringLiteral("Model"));
    Model->setGeometry(QRect(0, 44, 130, 30));
    Model->setMinimumSize(QSize(130, 30));
    Model->setMaximumSize(QSize(130, 30));
    Model->setFont(FormFont(11));
    Model->setFocusPolicy(Qt::NoFocus);
    label_14 = MakeLabel(frame, "label_14", QRect(141, 44, 81, 20));
    label_14->setAlignment(Qt::AlignCenter);
    label_15 = MakeLabel(frame, "label_15", QRect(141, 72, 81, 20));
    label_15->setAlignment(Qt::AlignCenter);
    SpeedH = MakeSlider(frame, "SpeedH", QRect(230, 44, 151, 25), 5);
    LightH = MakeSlider(frame, "LightH", QRect(230, 72, 151, 25), 10);
    line = MakeRule(frame, "line", QRect(230, 54, 151, 3));
    line_2 = MakeRule(frame, "line_2", QRect(230, 82, 151, 3));
    SpeedSpinBox = MakeNumber(frame, "SpeedSpinBox", QRect(381, 44, 50, 20));
    LightSpinBox = MakeNumber(frame, "LightSpinBox", QRect(381, 72, 50, 20));
    retranslateUi(frame);
}

void Ui_SensorEffect::retranslateUi(QFrame*)
{
    label->setText(QString::fromUtf8("DPI灯效"));
    Model->clear();
    Model->addItems({QString::fromUtf8("关闭"), QString::fromUtf8("常亮"), QString::fromUtf8("呼吸")});
    label_14->setText(QString::fromUtf8("速度"));
    label_15->setText(QString::fromUtf8("亮度"));
}

SensorEffect::SensorEffect(QWidget* parent)
    : DpiLedFrame(parent)
    , ui(new Ui_SensorEffect)
{
    ui->setupUi(this);
    AttachRows({ui->label, ui->label_14, ui->label_15, ui->SpeedH, ui->LightH, ui->line, ui->line_2,
                ui->SpeedSpinBox, ui->LightSpinBox});
    QMetaObject::connectSlotsByName(this);

    const QString labelStyle = LabelStyle(OptionColorText(QStringLiteral("LabelColor")));
    for (QLabel* label : {ui->label, ui->label_14, ui->label_15})
        label->setStyleSheet(labelStyle);
    StyleComboBox(ui->Model, m_PictureFolder, OptionComboBoxColors());
    const QString sliderStyle =
        GrooveSliderStyle(m_PictureFolder, OptionColorText(QStringLiteral("SliderColor")), QSize(18, 16), -10);
    ui->SpeedH->setStyleSheet(sliderStyle);
    ui->LightH->setStyleSheet(sliderStyle);
    const QString numberStyle = PlainNumberStyle(OptionColorText(QStringLiteral("LabelColor")));
    ui->SpeedSpinBox->setStyleSheet(numberStyle);
    ui->LightSpinBox->setStyleSheet(numberStyle);
}

SensorEffect::~SensorEffect()
{
    delete ui;
}

void SensorEffect::SetMode(int mode)
{
    ui->Model->setCurrentIndex(mode);
    BlockSliderSignals(true);
    ShowRowsForMode(mode);
    BlockSliderSignals(false);
}

void SensorEffect::SetModeEnabled(bool enabled)
{
    ui->Model->setEnabled(enabled);
}

void SensorEffect::SetModeItemText(int index, const QString& text)
{
    ui->Model->setItemText(index, text);
}

void SensorEffect::on_Model_currentIndexChanged(int index)
{
    ChooseMode(index);
}

void Ui_SensorEffectB::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "SensorEffectB", QSize(400, 143));
    label = MakeLabel(frame, "label", QRect(0, 0, 181, 21));
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    const auto makeBox = [frame](const char* name, int x) {
        auto* box = new QCheckBox(frame);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(QRect(x, 40, 101, 20));
        box->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
        box->setMinimumSize(QSize(20, 10));
        box->setFont(FormFont(11));
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    };
    MM1 = makeBox("MM1", 10);
    MM2 = makeBox("MM2", 120);
    MM3 = makeBox("MM3", 230);
    label_14 = MakeLabel(frame, "label_14", QRect(10, 90, 81, 20));
    label_14->setStyleSheet(QStringLiteral("#label_14{\ncolor: rgb(255, 255, 255);\n}"));
    label_14->setAlignment(Qt::AlignCenter);
    label_15 = MakeLabel(frame, "label_15", QRect(10, 120, 81, 20));
    label_15->setStyleSheet(QStringLiteral("#label_15{\ncolor: rgb(255, 255, 255);\n}"));
    label_15->setAlignment(Qt::AlignCenter);
    SpeedH = MakeSlider(frame, "SpeedH", QRect(99, 90, 241, 25), 5);
    line = MakeRule(frame, "line", QRect(99, 100, 241, 3));
    SpeedSpinBox = MakeNumber(frame, "SpeedSpinBox", QRect(340, 90, 50, 20));
    SpeedSpinBox->setMinimumSize(QSize(50, 0));
    SpeedSpinBox->setStyleSheet(QStringLiteral(
        "#SpeedSpinBox\n{\nbackground-color: transparent;\ncolor: rgb(255, 255, 255);\nborder: 0px;\n}"));
    LightH = MakeSlider(frame, "LightH", QRect(99, 120, 241, 25), 10);
    line_2 = MakeRule(frame, "line_2", QRect(99, 130, 241, 3));
    LightSpinBox = MakeNumber(frame, "LightSpinBox", QRect(340, 120, 50, 20));
    LightSpinBox->setMinimumSize(QSize(50, 0));
    LightSpinBox->setStyleSheet(QStringLiteral(
        "#LightSpinBox\n{\nbackground-color: transparent;\ncolor: rgb(255, 255, 255);\nborder: 0px;\n}"));
    retranslateUi(frame);
}

void Ui_SensorEffectB::retranslateUi(QFrame*)
{
    label->setText(QString::fromUtf8("DPI灯效"));
    MM1->setText(QString::fromUtf8("常亮"));
    MM2->setText(QString::fromUtf8("呼吸"));
    MM3->setText(QString::fromUtf8("关闭"));
    label_14->setText(QString::fromUtf8("速度"));
    label_15->setText(QString::fromUtf8("亮度"));
}

SensorEffectB::SensorEffectB(QWidget* parent)
    : DpiLedFrame(parent)
    , ui(new Ui_SensorEffectB)
    , m_Group(new QButtonGroup(this))
{
    ui->setupUi(this);
    AttachRows({ui->label, ui->label_14, ui->label_15, ui->SpeedH, ui->LightH, ui->line, ui->line_2,
                ui->SpeedSpinBox, ui->LightSpinBox});
    QMetaObject::connectSlotsByName(this);

    m_Group->setExclusive(true);
    m_Group->addButton(ui->MM1);
    m_Group->addButton(ui->MM2);
    m_Group->addButton(ui->MM3);
    const QString labelColor = OptionColorText(QStringLiteral("LabelColor"));
    for (QLabel* label : {ui->label, ui->label_15, ui->label_14})
        label->setStyleSheet(LabelStyle(labelColor));
    for (QCheckBox* box : {ui->MM1, ui->MM2, ui->MM3})
        box->setStyleSheet(IndicatorCheckBoxStyle(m_PictureFolder, labelColor));
    const QString sliderStyle =
        GrooveSliderStyle(m_PictureFolder, OptionColorText(QStringLiteral("SliderColor")), QSize(6, 18), 0);
    ui->SpeedH->setStyleSheet(sliderStyle);
    ui->LightH->setStyleSheet(sliderStyle);
    ui->SpeedSpinBox->setStyleSheet(PlainNumberStyle(labelColor));
    ui->LightSpinBox->setStyleSheet(PlainNumberStyle(labelColor));
}

SensorEffectB::~SensorEffectB()
{
    delete ui;
}

QCheckBox* SensorEffectB::ModeBox(int mode) const
{
    switch (mode) {
    case 0: return ui->MM3;
    case 1: return ui->MM1;
    case 2: return ui->MM2;
    default: return nullptr;
    }
}

void SensorEffectB::SetMode(int mode)
{
    QCheckBox* box = ModeBox(mode);
    if (!box)
        return;
    BlockSliderSignals(true);
    box->setChecked(true);
    ShowRowsForMode(mode);
    BlockSliderSignals(false);
}

void SensorEffectB::SetModeItemText(int index, const QString& text)
{
    if (QCheckBox* box = ModeBox(index))
        box->setText(text);
}

void SensorEffectB::on_MM3_clicked(bool checked)
{
    if (checked)
        ChooseMode(0);
}

void SensorEffectB::on_MM1_clicked(bool checked)
{
    if (checked)
        ChooseMode(1);
}

void SensorEffectB::on_MM2_clicked(bool checked)
{
    if (checked)
        ChooseMode(2);
}
