#include "pages/sensor/DebounceFrames.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/PageDialogs.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr int kLongestDebounce = 20;
// Choices up to this many milliseconds come with the short-debounce notice.
constexpr int kShortDebounce = 3;
// Where the notice stands, from the centre over the frame.
constexpr int kNoticeShiftX = -409;
constexpr int kNoticeShiftY = -202;

QSpinBox* MakeDebounceNumber(QFrame* frame, const QRect& rect, int minimum)
{
    auto* box = new QSpinBox(frame);
    box->setObjectName(QStringLiteral("spinBoxA"));
    box->setGeometry(rect);
    box->setFont(FormFont(10));
    box->setStyleSheet(QStringLiteral("#spinBoxA\n{\nbackground-color: transparent;\ncolor: rgb(255, 255, 255);\n"
                                      "border: 1px  solid gray;\n}\n#spinBoxA:hover\n{\nbackground-color: "
                                      "transparent;\ncolor: rgb(255, 255, 255);\nborder: 1px  solid gray;\n}"));
    SetupNumberDisplay(box, minimum, kLongestDebounce);
    box->setValue(minimum);
    return box;
}

QString DebounceNumberStyle()
{
    return BorderedNumberStyle(OptionColorText(QStringLiteral("LinEditColorSecond")));
}

} // namespace

void Ui_DebounceTime::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "DebounceTime", QSize(164, 37), false);
    Debunce = new MyConmboBox(frame);
    Debunce->setObjectName(QStringLiteral("Debunce"));
    Debunce->setGeometry(QRect(0, 0, 141, 34));
    Debunce->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Debunce->setMinimumSize(QSize(131, 34));
    Debunce->setMaximumSize(QSize(220, 34));
    Debunce->setFont(FormFont(11));
    Debunce->setFocusPolicy(Qt::NoFocus);
    retranslateUi(frame);
    Debunce->setCurrentIndex(0);
}

void Ui_DebounceTime::retranslateUi(QFrame*)
{
    Debunce->clear();
    Debunce->addItems({"1ms", "0", "2ms", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15",
                       "16", "17", "18", "19", "20"});
}

DebounceTime::DebounceTime(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui_DebounceTime)
    , m_PictureFolder(PictureFolder(QStringLiteral("Buttoninterface")))
{
    ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);
    StyleComboBox(ui->Debunce, m_PictureFolder, OptionComboBoxColors());
}

DebounceTime::~DebounceTime()
{
    delete ui;
}

void DebounceTime::SetCurrentIndexSilently(int index)
{
    const QSignalBlocker blocker(ui->Debunce);
    ui->Debunce->setCurrentIndex(index);
    m_HeldIndex = ui->Debunce->currentIndex();
}

void DebounceTime::SetItemNumberText(int index, const QString& suffix)
{
    ui->Debunce->setItemText(index, QString::number(index) + suffix);
}

void DebounceTime::on_Debunce_currentIndexChanged(int index)
{
    // No current item (a record value above 20) has no time to send.
    if (index < 0 || index > kLongestDebounce)
        return;
    if (!g_SendEnabled) {
        m_HeldIndex = index;
        return;
    }
    if (!SendDebounceTime(index)) {
        // The device keeps its time: the box shows that one again, and no
        // warning is given about a time that was never applied.
        SetCurrentIndexSilently(m_HeldIndex);
        return;
    }
    m_HeldIndex = index;
    if (index > kShortDebounce || g_ButtonPageLoading)
        return;
    LessThree notice;
    PlaceDialog(&notice, this, kNoticeShiftX, kNoticeShiftY);
    RunPageDialog(notice);
}

void Ui_DebouncetimeB::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "DebouncetimeB", QSize(280, 27), false);
    Debunce = new QSlider(frame);
    Debunce->setObjectName(QStringLiteral("Debunce"));
    Debunce->setGeometry(QRect(0, 5, 201, 20));
    SetupStepSlider(Debunce, 1, kLongestDebounce);
    spinBoxA = MakeDebounceNumber(frame, QRect(210, 5, 66, 20), 1);
    retranslateUi(frame);
}

void Ui_DebouncetimeB::retranslateUi(QFrame* frame)
{
    frame->setWindowTitle(QStringLiteral("Frame"));
}

DebouncetimeB::DebouncetimeB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui_DebouncetimeB)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
    ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);
    ui->spinBoxA->setStyleSheet(DebounceNumberStyle());
    ui->Debunce->setStyleSheet(ThinSliderStyle(m_PictureFolder, OptionColorText(QStringLiteral("SliderColor"))));
}

DebouncetimeB::~DebouncetimeB()
{
    delete ui;
}

void DebouncetimeB::SetValueSilently(int value)
{
    ui->Debunce->blockSignals(true);
    ui->Debunce->setValue(value);
    ui->spinBoxA->setValue(value);
    ui->Debunce->blockSignals(false);
}

void DebouncetimeB::SetSuffix(const QString& text)
{
    ui->spinBoxA->setSuffix(text);
}

void DebouncetimeB::on_Debunce_sliderMoved(int position)
{
    ui->spinBoxA->setValue(position);
}

void DebouncetimeB::on_Debunce_valueChanged(int value)
{
    ui->spinBoxA->setValue(value);
    if (g_SendEnabled)
        SendDebounceTime(value);
}

void Ui_DebouncetimeC::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "DebouncetimeC", QSize(165, 37));
    AddLevelA = new QToolButton(frame);
    AddLevelA->setObjectName(QStringLiteral("AddLevelA"));
    AddLevelA->setGeometry(QRect(140, 15, 14, 14));
    AddLevelA->setMinimumSize(QSize(14, 14));
    AddLevelA->setMaximumSize(QSize(14, 14));
    AddLevelA->setFocusPolicy(Qt::NoFocus);
    AddLevelA->setAutoRaise(true);
    ReduceLevelA = new QToolButton(frame);
    ReduceLevelA->setObjectName(QStringLiteral("ReduceLevelA"));
    ReduceLevelA->setGeometry(QRect(20, 22, 14, 4));
    ReduceLevelA->setMinimumSize(QSize(14, 4));
    ReduceLevelA->setFocusPolicy(Qt::NoFocus);
    ReduceLevelA->setAutoRaise(true);
    spinBoxA = MakeDebounceNumber(frame, QRect(40, 5, 91, 31), 0);
    retranslateUi(frame);
}

void Ui_DebouncetimeC::retranslateUi(QFrame*)
{
    AddLevelA->setText(QString());
    ReduceLevelA->setText(QStringLiteral("..."));
}

DebouncetimeC::DebouncetimeC(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui_DebouncetimeC)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
    ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);
    ui->ReduceLevelA->setStyleSheet(StepButtonStyle(QStringLiteral("ReduceLevelA"), m_PictureFolder, "Reduce.png"));
    ui->AddLevelA->setStyleSheet(StepButtonStyle(QStringLiteral("AddLevelA"), m_PictureFolder, "Add.png"));
    ui->spinBoxA->setStyleSheet(DebounceNumberStyle());
}

DebouncetimeC::~DebouncetimeC()
{
    delete ui;
}

void DebouncetimeC::SetValue(int value)
{
    ui->spinBoxA->setValue(value);
}

void DebouncetimeC::SetSuffix(const QString& text)
{
    ui->spinBoxA->setSuffix(text);
}

void DebouncetimeC::SendShownValue()
{
    if (g_SendEnabled)
        SendDebounceTime(ui->spinBoxA->value());
}

void DebouncetimeC::on_AddLevelA_clicked()
{
    if (ui->spinBoxA->value() == kLongestDebounce)
        return;
    ui->spinBoxA->setValue(ui->spinBoxA->value() + 1);
    SendShownValue();
}

void DebouncetimeC::on_ReduceLevelA_clicked()
{
    if (ui->spinBoxA->value() == 1)
        return;
    ui->spinBoxA->setValue(ui->spinBoxA->value() - 1);
    SendShownValue();
}
