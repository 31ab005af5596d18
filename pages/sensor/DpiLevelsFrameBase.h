#pragma once

#include "device/DeviceRecords.h"

#include <QFrame>
#include <QString>

class MyConmboBox;
class QAbstractSlider;
class QColorDialog;
class QLabel;
class QSpinBox;

// What the two DPI levels frames share: the title and the level-count combo,
// the current level and level count, the colour dialog, the handling of a new
// level count and of a slider's DPI value, and the device checks they make
// themselves besides the senders'. Levels are indexes 0..7.
class DpiLevelsFrameBase : public QFrame
{
    Q_OBJECT

public:
    static constexpr int LevelCount = DpiLevelEntryCount;

    // The object name of a level's button ("BlueButton" ... "LightYellowButton");
    // its colour button or swatch adds "A". The colour words only tell the
    // levels apart.
    static QString LevelButtonName(int level);

    void SetTitleText(const QString& text);

    // The level-count combo. Changing its index (also by inserting the first
    // item) runs the level-count handling unless its signals are blocked.
    void ClearLevelCountCombo();
    bool BlockLevelCountSignals(bool block); // returns the previous state
    void AddLevelCountItem(int position, const QString& text);
    void SetLevelCountIndex(int index);

    // Stored without any widget change or send. A current level outside 0..7
    // is not taken: the frame keeps the one it has.
    void SetLevelCountMember(int count);
    void SetCurrentLevelMember(int level);
    int LevelCountMember() const { return m_LevelCount; }

    // Shows the levels 0..index; other indexes change nothing.
    virtual void LayoutForLevelCount(int index) = 0;

public slots:
    // The level count became index + 1. Lowering it below the current level
    // first exchanges the current level with the new last one; then the
    // record's level count is written (sending enabled, page not loading).
    void on_ChooseEvent_currentIndexChanged(int index);
    // A colour confirmed in the colour dialog.
    virtual void SetColor(const QColor& color) = 0;

protected:
    explicit DpiLevelsFrameBase(QWidget* parent);

    static bool IsLevel(int level) { return level >= 0 && level < LevelCount; }
    static bool MaySend();
    static bool CurrentDeviceOnline();
    static void RaiseOfflineNotice();

    // Styles and keeps the title and the combo.
    void AttachCountWidgets(QLabel* title, MyConmboBox* countCombo);
    // Shows the colour dialog, whose choice goes to SetColor; it is built
    // the first time, as few users ever open it.
    void ShowColorDialog();

    // Moves the current level's value and colour to newLast and newLast's to
    // the current level, makes newLast current and checks it.
    virtual void ExchangeLevels(int newLast, int current) = 0;
    // Tells the device that entries newLast and current swapped places, with
    // newLast current and newLast + 1 levels (while sending is enabled).
    void SendLevelExchange(int newLast, int current);

    // A slider's value: false when the device is found offline (the raw value
    // shown, the notice raised); otherwise value is put through the segment
    // rule, the slider's page step follows it, and number shows it.
    bool TakeSliderValue(QAbstractSlider* slider, QSpinBox* number, int& value);
    // Sends a level's DPI unless the change latch swallows it (or the button
    // page is applying settings).
    void SendLevelValue(int level, int dpi);

    QString m_PictureFolder;
    int m_CurrentLevel = 1;
    int m_LevelCount = 1;
    // Clear: the next value change is shown, not sent.
    bool m_ChangeLatch = false;

private:
    QColorDialog* m_ColorDialog = nullptr;
    QLabel* m_Title = nullptr;
    MyConmboBox* m_CountCombo = nullptr;
};
