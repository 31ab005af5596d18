#include "pages/sensor/DpiLevelsFrameBase.h"

#include "core/PostMsg.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/DpiLevelCodec.h"
#include "pages/sensor/DpiSegmentRule.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QAbstractSlider>
#include <QColorDialog>
#include <QLabel>
#include <QSpinBox>

QString DpiLevelsFrameBase::LevelButtonName(int level)
{
    static const char* const names[LevelCount] = {"BlueButton",   "BrightRedButton", "RedButton",
                                                  "YellowButton", "GreenButton",     "PurpleButton",
                                                  "LightBlueButton", "LightYellowButton"};
    return IsLevel(level) ? QString::fromLatin1(names[level]) : QString();
}

DpiLevelsFrameBase::DpiLevelsFrameBase(QWidget* parent)
    : QFrame(parent)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
}

bool DpiLevelsFrameBase::MaySend()
{
    return g_SendEnabled && !g_SensorPageLoading;
}

bool DpiLevelsFrameBase::CurrentDeviceOnline()
{
    const QByteArray path = g_DevicePathC.Snapshot();
    return UsbFinderC_GetDeviceOnLine(path.constData());
}

void DpiLevelsFrameBase::RaiseOfflineNotice()
{
    PostMsg::GetInstance()->EmitMouseOffLineo(0);
}

void DpiLevelsFrameBase::AttachCountWidgets(QLabel* title, MyConmboBox* countCombo)
{
    m_Title = title;
    m_CountCombo = countCombo;
    title->setStyleSheet(LabelStyle(OptionColorText(QStringLiteral("LabelColor"))));
    countCombo->setMaxVisibleItems(5);
    StyleComboBox(countCombo, m_PictureFolder, OptionComboBoxColors());
}

void DpiLevelsFrameBase::ShowColorDialog()
{
    if (!m_ColorDialog) {
        m_ColorDialog = new QColorDialog(this);
        connect(m_ColorDialog, SIGNAL(colorSelected(QColor)), this, SLOT(SetColor(QColor)));
    }
    m_ColorDialog->show();
}

void DpiLevelsFrameBase::SetTitleText(const QString& text)
{
    m_Title->setText(text);
}

void DpiLevelsFrameBase::ClearLevelCountCombo()
{
    const bool wasBlocked = m_CountCombo->blockSignals(true);
    m_CountCombo->clear();
    m_CountCombo->blockSignals(wasBlocked);
}

bool DpiLevelsFrameBase::BlockLevelCountSignals(bool block)
{
    return m_CountCombo->blockSignals(block);
}

void DpiLevelsFrameBase::AddLevelCountItem(int position, const QString& text)
{
    m_CountCombo->insertItem(position, text);
}

void DpiLevelsFrameBase::SetLevelCountIndex(int index)
{
    m_CountCombo->setCurrentIndex(index);
}

void DpiLevelsFrameBase::SetLevelCountMember(int count)
{
    m_LevelCount = count;
}

void DpiLevelsFrameBase::SetCurrentLevelMember(int level)
{
    if (IsLevel(level))
        m_CurrentLevel = level;
}

void DpiLevelsFrameBase::on_ChooseEvent_currentIndexChanged(int index)
{
    // No item current (the combo emptied with its signals live): there is no
    // count to show or to write.
    if (!IsLevel(index))
        return;
    if (!g_SensorPageLoading) {
        if (index < m_CurrentLevel)
            ExchangeLevels(index, m_CurrentLevel);
        LayoutForLevelCount(index);
    }
    if (!MaySend())
        return;
    if (!CurrentDeviceOnline()) {
        RaiseOfflineNotice();
        return;
    }
    auto flash = g_FlashData.Lock();
    flash->DpiLevelCount = static_cast<std::uint8_t>(index + 1);
    ProtocolDataUpdate(&*flash);
}

void DpiLevelsFrameBase::SendLevelExchange(int newLast, int current)
{
    if (!g_SendEnabled)
        return;
    const FlashDataMap record = g_FlashData.Snapshot();
    const DpiLevelEntry formerLast = record.DpiLevels[newLast];
    const DpiLevelEntry formerCurrent = record.DpiLevels[current];
    SendDPILevelPair(&formerLast, &formerCurrent, newLast, current, newLast);
}

bool DpiLevelsFrameBase::TakeSliderValue(QAbstractSlider* slider, QSpinBox* number, int& value)
{
    if (g_SendEnabled && !CurrentDeviceOnline() && !g_SensorPageLoading) {
        number->setValue(value);
        RaiseOfflineNotice();
        return false;
    }
    int pageStep = slider->pageStep();
    value = QuantiseDpi(value, &pageStep);
    slider->setPageStep(pageStep);
    number->setValue(value);
    return true;
}

void DpiLevelsFrameBase::SendLevelValue(int level, int dpi)
{
    if (!m_ChangeLatch) {
        m_ChangeLatch = true;
        return;
    }
    if (!g_SuppressApplyNotice)
        EncodeAndSendLevelDpi(level, dpi);
}
