#include "pages/sensor/SleepTimeFrames.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QSlider>
#include <QSpinBox>

namespace {

struct SleepChoice
{
    const char* text;
    int units;       // record byte 8, units of 10 s
    int shownNumber; // the second layout's number
};

const SleepChoice kSleepChoices[SleepTimeCount] = {
    {"10秒", 1, 10},      {"30秒", 3, 30},       {"1分钟", 6, 1},       {"5分钟", 30, 5},
    {"10分钟", 60, 10},   {"15分钟", 90, 15},    {"20分钟", 120, 20},   {"25分钟", 150, 25},
    {"30分钟", 180, 30},  {"35分钟", 210, 35},   {"40分钟", 240, 40},
};

// Positions up to this one show seconds; the later ones minutes.
constexpr int kLastSecondsPosition = 2;

} // namespace

int SleepTimeUnits(int index)
{
    return index >= 0 && index < SleepTimeCount ? kSleepChoices[index].units : -1;
}

int SleepTimeIndexOfSeconds(int seconds)
{
    for (int i = 0; i < SleepTimeCount; ++i) {
        if (kSleepChoices[i].units * 10 == seconds)
            return i;
    }
    return -1;
}

void Ui_StopCloseTime::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "StopCloseTime", QSize(145, 34), false);
    StopClose = new MyConmboBox(frame);
    StopClose->setObjectName(QStringLiteral("StopClose"));
    StopClose->setGeometry(QRect(0, 0, 131, 34));
    StopClose->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    StopClose->setMinimumSize(QSize(131, 34));
    StopClose->setMaximumSize(QSize(220, 34));
    StopClose->setFont(FrameFont(11));
    StopClose->setFocusPolicy(Qt::NoFocus);
    StopClose->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    retranslateUi(frame);
    StopClose->setCurrentIndex(0);
}

void Ui_StopCloseTime::retranslateUi(QFrame*)
{
    StopClose->clear();
    for (const SleepChoice& choice : kSleepChoices)
        StopClose->addItem(QString::fromUtf8(choice.text));
}

StopCloseTime::StopCloseTime(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui_StopCloseTime)
    , m_PictureFolder(PictureFolder(QStringLiteral("Light")))
{
    ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);
    StyleComboBox(ui->StopClose, m_PictureFolder, OptionComboBoxColors());
}

StopCloseTime::~StopCloseTime()
{
    delete ui;
}

void StopCloseTime::SetCurrentIndexSilently(int index)
{
    ui->StopClose->blockSignals(true);
    ui->StopClose->setCurrentIndex(index);
    ui->StopClose->blockSignals(false);
}

void StopCloseTime::SetItemText(int index, const QString& text)
{
    ui->StopClose->setItemText(index, text);
}

void StopCloseTime::on_StopClose_activated(int index)
{
    if (!g_SendEnabled || g_ButtonPageLoading)
        return;
    const int units = SleepTimeUnits(index);
    if (units > 0)
        SendStopCloseTime(units);
}

void Ui_StopCloseTimeB::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "StopCloseTimeB", QSize(277, 28));
    StopClose = new QSlider(frame);
    StopClose->setObjectName(QStringLiteral("StopClose"));
    StopClose->setGeometry(QRect(0, 5, 201, 20));
    SetupStepSlider(StopClose, 1, SleepTimeCount);
    spinBoxA = new QSpinBox(frame);
    spinBoxA->setObjectName(QStringLiteral("spinBoxA"));
    spinBoxA->setGeometry(QRect(205, 5, 66, 20));
    spinBoxA->setFont(FrameFont(10));
    SetupNumberDisplay(spinBoxA, 1, 100);
    spinBoxA->setValue(1);
    retranslateUi(frame);
}

void Ui_StopCloseTimeB::retranslateUi(QFrame* frame)
{
    frame->setWindowTitle(QStringLiteral("Frame"));
}

StopCloseTimeB::StopCloseTimeB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui_StopCloseTimeB)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
    ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);
    ui->spinBoxA->setStyleSheet(BorderedNumberStyle(OptionColorText(QStringLiteral("LinEditColorSecond"))));
    ui->StopClose->setStyleSheet(ThinSliderStyle(m_PictureFolder, OptionColorText(QStringLiteral("SliderColor"))));
}

StopCloseTimeB::~StopCloseTimeB()
{
    delete ui;
}

int StopCloseTimeB::DisplayValueForPosition(int position)
{
    return position >= 1 && position <= SleepTimeCount ? kSleepChoices[position - 1].shownNumber : 0;
}

void StopCloseTimeB::ShowPosition(int position)
{
    ui->spinBoxA->setValue(DisplayValueForPosition(position));
    ui->spinBoxA->setSuffix(position <= kLastSecondsPosition ? m_SecondsUnit : m_MinutesUnit);
}

void StopCloseTimeB::SetCurrentIndexSilently(int index)
{
    ui->StopClose->blockSignals(true);
    ui->StopClose->setValue(index + 1);
    // An index out of range leaves the slider at its nearest end; show where it stands.
    ShowPosition(ui->StopClose->value());
    ui->StopClose->blockSignals(false);
}

void StopCloseTimeB::SetItemText(int index, const QString& text)
{
    if (index == 0)
        m_SecondsUnit = QString(text).remove(QStringLiteral("10"));
    else if (index == 5)
        m_MinutesUnit = QString(text).remove(QStringLiteral("15"));
    else
        return;
    ShowPosition(ui->StopClose->value());
}

void StopCloseTimeB::on_StopClose_sliderMoved(int position)
{
    ShowPosition(position);
}

void StopCloseTimeB::on_StopClose_valueChanged(int value)
{
    ShowPosition(value);
    if (g_SendEnabled && !g_ButtonPageLoading)
        SendStopCloseTime(SleepTimeUnits(value - 1));
}
