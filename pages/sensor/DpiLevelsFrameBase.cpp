#include "pages/sensor/DpiLevelsFrameBase.h"

#include "core/PostMsg.h"
#include "core/QtDialogTexts.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/DpiLevelCodec.h"
#include "pages/sensor/DpiSegmentRule.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PageDialogs.h"

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

bool DpiLevelsFrameBase::MaySend() const
{
    return g_SendEnabled && !g_SensorPageLoading && !m_ShowingOnly;
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
    m_TitleWidth = title->width();
    m_CountComboX = countCombo->x();
    title->setStyleSheet(LabelStyle(OptionColorText(QStringLiteral("LabelColor"))));
    countCombo->setMaxVisibleItems(5);
    StyleComboBox(countCombo, m_PictureFolder, OptionComboBoxColors());
}

void DpiLevelsFrameBase::ShowColorDialog(const QColor& levelColor)
{
    if (!m_ColorDialog) {
        m_ColorDialog = new QColorDialog(this);
        CloseWhenPagesAreLeft(m_ColorDialog);
        connect(m_ColorDialog, SIGNAL(colorSelected(QColor)), this, SLOT(SetColor(QColor)));
    }
    if (levelColor.isValid())
        m_ColorDialog->setCurrentColor(levelColor);
    m_ColorDialog->show();
}

void DpiLevelsFrameBase::RetranslateColorDialog()
{
    // Not built yet: it takes the language of the moment it is built.
    if (!m_ColorDialog)
        return;
    RetranslateQtDialog(m_ColorDialog);
    // Set once by the dialog itself; its language change leaves it.
    m_ColorDialog->setWindowTitle(QColorDialog::tr("Select Color"));
}

void DpiLevelsFrameBase::SetTitleText(const QString& text)
{
    constexpr int gap = 10;
    m_Title->setText(text);
    const int textWidth = m_Title->fontMetrics().horizontalAdvance(text);
    m_Title->resize(qMax(m_TitleWidth, textWidth), m_Title->height());
    m_CountCombo->move(qMax(m_CountComboX, m_Title->x() + textWidth + gap), m_CountCombo->y());
}

void DpiLevelsFrameBase::ClearLevelCountCombo()
{
    const bool wasBlocked = m_CountCombo->blockSignals(true);
    m_CountCombo->clear();
    m_CountCombo->blockSignals(wasBlocked);
    m_ShownCountIndex = -1;
}

bool DpiLevelsFrameBase::BlockLevelCountSignals(bool block)
{
    return m_CountCombo->blockSignals(block);
}

void DpiLevelsFrameBase::AddLevelCountItem(int position, const QString& text)
{
    m_CountCombo->insertItem(position, text);
    m_ShownCountIndex = m_CountCombo->currentIndex();
}

void DpiLevelsFrameBase::SetLevelCountIndex(int index)
{
    m_CountCombo->setCurrentIndex(index);
    m_ShownCountIndex = m_CountCombo->currentIndex();
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
    if (g_SensorPageLoading) {
        m_ShownCountIndex = index;
        return;
    }
    if (MaySend() && !SendLevelCount(index)) {
        ShowCountAgain();
        return;
    }
    if (index < m_CurrentLevel)
        ExchangeLevels(index, m_CurrentLevel);
    LayoutForLevelCount(index);
    m_ShownCountIndex = index;
}

bool DpiLevelsFrameBase::SendLevelCount(int index)
{
    if (index >= m_CurrentLevel)
        return SendDPILevelCount(index + 1);
    // The current level moves to the new last place: its entry and the new
    // last one change places, that place becomes current and the count
    // follows, all in the one record.
    const FlashDataMap record = g_FlashData.Snapshot();
    const DpiLevelEntry formerLast = record.DpiLevels[index];
    const DpiLevelEntry formerCurrent = record.DpiLevels[m_CurrentLevel];
    return SendDPILevelPair(&formerLast, &formerCurrent, index, m_CurrentLevel, index);
}

void DpiLevelsFrameBase::ShowCountAgain()
{
    const bool wasBlocked = m_CountCombo->blockSignals(true);
    m_CountCombo->setCurrentIndex(m_ShownCountIndex);
    m_CountCombo->blockSignals(wasBlocked);
}

bool DpiLevelsFrameBase::TakeSliderValue(QAbstractSlider* slider, QSpinBox* number, int& value, int shownValue)
{
    const bool wouldSend = MaySend() && m_ChangeLatch && !g_SuppressApplyNotice;
    if (wouldSend && !CurrentDeviceOnline()) {
        RaiseOfflineNotice();
        ShowSliderValue(slider, number, shownValue);
        return false;
    }
    int pageStep = slider->pageStep();
    value = KeptLevelDpi(value, &pageStep);
    slider->setPageStep(pageStep);
    // The handle goes where the kept value lies, not where it was let go: on
    // a sparse table the two can be far apart.
    ShowSliderValue(slider, number, value);
    return true;
}

bool DpiLevelsFrameBase::SendLevelValue(int level, int dpi)
{
    if (!m_ChangeLatch) {
        m_ChangeLatch = true;
        return true;
    }
    if (g_SuppressApplyNotice)
        return true;
    return EncodeAndSendLevelDpi(level, dpi);
}

void DpiLevelsFrameBase::ShowSliderValue(QAbstractSlider* slider, QSpinBox* number, int value)
{
    const bool wasBlocked = slider->blockSignals(true);
    slider->setValue(value);
    slider->blockSignals(wasBlocked);
    number->setValue(value);
}
