#include "pages/sensor/StopCloseTimeB.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "pages/sensor/StopCloseTime.h"
#include "widgets/FormStyles.h"

#include <QSlider>
#include <QSpinBox>

namespace {

// The number each position shows: seconds for the first two, minutes after.
const int kShownNumbers[SleepTimeCount] = {10, 30, 1, 5, 10, 15, 20, 25, 30, 35, 40};
constexpr int kLastSecondsPosition = 2;

} // namespace

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
    spinBoxA->setFont(FormFont(10));
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
    return position >= 1 && position <= SleepTimeCount ? kShownNumbers[position - 1] : 0;
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
