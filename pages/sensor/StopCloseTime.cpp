#include "pages/sensor/StopCloseTime.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <array>

namespace {

constexpr std::array<int, SleepTimeCount> kSleepTimeUnits = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};

} // namespace

int SleepTimeUnits(int index)
{
    return index >= 0 && index < SleepTimeCount ? kSleepTimeUnits[index] : 0;
}

int SleepTimeIndexOfSeconds(int seconds)
{
    for (int index = 0; index < SleepTimeCount; ++index) {
        if (kSleepTimeUnits[index] * 10 == seconds)
            return index;
    }
    return -1;
}

void Ui_StopCloseTime::setupUi(QFrame* frame)
{
    if (frame->objectName().isEmpty())
        frame->setObjectName(QStringLiteral("StopCloseTime"));
    frame->resize(145, 34);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);

    StopClose = new MyConmboBox(frame);
    StopClose->setObjectName(QStringLiteral("StopClose"));
    StopClose->setGeometry(QRect(0, 0, 131, 34));
    StopClose->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    StopClose->setMinimumSize(QSize(131, 34));
    StopClose->setMaximumSize(QSize(220, 34));
    QFont font;
    font.setFamily(QString::fromUtf8("微软雅黑"));
    font.setPointSize(11);
    StopClose->setFont(font);
    StopClose->setFocusPolicy(Qt::NoFocus);
    StopClose->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);

    retranslateUi(frame);
    StopClose->setCurrentIndex(0);
    QMetaObject::connectSlotsByName(frame);
}

void Ui_StopCloseTime::retranslateUi(QFrame* frame)
{
    frame->setWindowTitle(QStringLiteral("Frame"));
    StopClose->clear();
    StopClose->insertItems(0, {QString::fromUtf8("10秒"), QString::fromUtf8("30秒"), QString::fromUtf8("1分钟"),
                               QString::fromUtf8("5分钟"), QString::fromUtf8("10分钟"), QString::fromUtf8("15分钟"),
                               QString::fromUtf8("20分钟"), QString::fromUtf8("25分钟"), QString::fromUtf8("30分钟"),
                               QString::fromUtf8("35分钟"), QString::fromUtf8("40分钟")});
}

StopCloseTime::StopCloseTime(QWidget* parent) : QFrame(parent), ui(new Ui_StopCloseTime)
{
    ui->setupUi(this);
    m_PictureFolder = PictureFolder(QStringLiteral("Light"));
    StyleComboBox(ui->StopClose, m_PictureFolder, OptionComboBoxColors());
    m_HeldIndex = ui->StopClose->currentIndex();
}

StopCloseTime::~StopCloseTime()
{
    delete ui;
}

void StopCloseTime::SetCurrentIndexSilently(int index)
{
    ui->StopClose->blockSignals(true);
    ui->StopClose->setCurrentIndex(index >= 0 && index < SleepTimeCount ? index : -1);
    ui->StopClose->blockSignals(false);
    m_HeldIndex = ui->StopClose->currentIndex();
}

void StopCloseTime::SetItemText(int index, const QString& text)
{
    ui->StopClose->setItemText(index, text);
}

QString StopCloseTime::ItemText(int index) const
{
    return ui->StopClose->itemText(index);
}

// Every pick sends, the current item too; while the button page fills its
// widgets nothing does. A pick the device did not take (asleep, or its
// configuration being read again) puts the box back on the device's time.
void StopCloseTime::on_StopClose_activated(int index)
{
    if (!g_SendEnabled || g_ButtonPageLoading)
        return;
    if (SendStopCloseTime(SleepTimeUnits(index)))
        m_HeldIndex = index;
    else
        SetCurrentIndexSilently(m_HeldIndex);
}
