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

    // A title longer than its place widens its label and moves the count
    // combo along, so that the two never touch.
    void SetTitleText(const QString& text);
    // The colour dialog takes Qt's texts of the current language.
    void RetranslateColorDialog();

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
    // The level count became index + 1. The device is told first, in one
    // record (sending enabled, page not loading): lowering the count below the
    // current level exchanges the current level's entry with the new last one
    // and makes that current, any other count only writes the count. Only
    // what the device took is shown: when it does not answer, the combo goes
    // back to the count shown before and nothing else changes.
    void on_ChooseEvent_currentIndexChanged(int index);
    // A colour confirmed in the colour dialog.
    virtual void SetColor(const QColor& color) = 0;

protected:
    explicit DpiLevelsFrameBase(QWidget* parent);

    static bool IsLevel(int level) { return level >= 0 && level < LevelCount; }
    // Sending enabled, the page not loading and the frame not just showing
    // what the device already holds.
    bool MaySend() const;
    static bool CurrentDeviceOnline();
    static void RaiseOfflineNotice();

    // Styles and keeps the title and the combo.
    void AttachCountWidgets(QLabel* title, MyConmboBox* countCombo);
    // Shows the colour dialog on a level's colour (when valid); the choice
    // goes to SetColor. It is built the first time, as few users ever open it.
    void ShowColorDialog(const QColor& levelColor);

    // Moves the current level's value and colour to newLast and newLast's to
    // the current level, makes newLast current and checks it. Shows only: the
    // device is told by the count change.
    virtual void ExchangeLevels(int newLast, int current) = 0;

    // While one lives, the frame shows values without sending them: the
    // level the device holds is put back after a refused change.
    class ShowingOnly
    {
    public:
        explicit ShowingOnly(DpiLevelsFrameBase* frame) : m_frame(frame), m_former(frame->m_ShowingOnly)
        {
            frame->m_ShowingOnly = true;
        }
        ~ShowingOnly() { m_frame->m_ShowingOnly = m_former; }
        ShowingOnly(const ShowingOnly&) = delete;
        ShowingOnly& operator=(const ShowingOnly&) = delete;

    private:
        DpiLevelsFrameBase* m_frame;
        bool m_former;
    };

    // A slider's value, which would replace shownValue on its level: false
    // when it would be sent and the device does not answer (the notice
    // raised, slider and number back at shownValue); otherwise value is put
    // through the segment rule onto a value the level keeps (KeptLevelDpi),
    // the slider's page step follows it, and slider and number show it.
    bool TakeSliderValue(QAbstractSlider* slider, QSpinBox* number, int& value, int shownValue);
    // Sends a level's DPI unless the change latch swallows it (or the button
    // page is applying settings); false only when it was sent and refused.
    bool SendLevelValue(int level, int dpi);
    // Slider and number at a value, without the slider's handling.
    static void ShowSliderValue(QAbstractSlider* slider, QSpinBox* number, int value);

    QString m_PictureFolder;
    int m_CurrentLevel = 1;
    int m_LevelCount = 1;
    // Clear: the next value change is shown, not sent.
    bool m_ChangeLatch = false;

private:
    QColorDialog* m_ColorDialog = nullptr;
    // Tells the device about a new count (see the count change); false when
    // it did not take it.
    bool SendLevelCount(int index);
    // The count combo back at the index it showed, without its handling.
    void ShowCountAgain();

    QLabel* m_Title = nullptr;
    MyConmboBox* m_CountCombo = nullptr;
    // Where the form puts them, for the titles that fit there.
    int m_TitleWidth = 0;
    int m_CountComboX = 0;
    bool m_ShowingOnly = false;
    // The count index the combo showed last (-1: none).
    int m_ShownCountIndex = -1;
};
