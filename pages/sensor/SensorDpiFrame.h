#pragma once

#include "pages/sensor/DpiLevelsFrameBase.h"

#include <QPoint>
#include <QRect>
#include <QString>

class MyConmboBox;
class MySlider;
class QButtonGroup;
class QLabel;
class QSpinBox;
class QToolButton;

struct Ui_SensorDPI
{
    QLabel* label = nullptr;
    MyConmboBox* ChooseEvent = nullptr;
    MySlider* horizontalSliderC = nullptr;
    QSpinBox* spinBoxA = nullptr;
    QToolButton* levelButtons[DpiLevelEntryCount] = {};  // BlueButton ... LightYellowButton
    QToolButton* colorButtons[DpiLevelEntryCount] = {};  // BlueButtonA ... LightYellowButtonA
    QLabel* label_8 = nullptr; // the marker under the current level
    QToolButton* ReduceLevelA = nullptr;
    QToolButton* AddLevelA = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// The sensor page's DPI levels editor: how many levels the mouse has (the
// combo ChooseEvent), which is current (the level buttons and the marker the
// user can drag), each level's DPI (its button's text, edited with the slider,
// the step buttons and shown in the spin box) and each level's LED colour (the
// thin colour button inside each level button, set through a colour dialog).
// Every user change goes to the device at once; the sensor page fills the
// frame through the operations below while it sets g_SensorPageLoading.
//
// Levels are indexes 0..7 (level 1 to 8); other indexes change nothing.
class SensorDPI : public DpiLevelsFrameBase
{
    Q_OBJECT

public:
    explicit SensorDPI(QWidget* parent = nullptr);
    ~SensorDPI() override;

    // Shows the buttons of levels 0..index; other indexes change nothing.
    void LayoutForLevelCount(int index) override;

    // The DPI slider and the spin box. A value set with the slider's signals
    // live is handled as the user's.
    bool BlockSliderSignals(bool block);
    void SetSliderEnabled(bool enabled);
    void SetSliderMaximum(int value);
    int SliderMaximum() const;
    void SetSliderMinimum(int value);
    void SetSliderValue(int value);
    void SetSpinValue(int value);

    void SetLevelText(int level, const QString& text);
    // Checks a level's button; its handling runs (look, colour button, slider,
    // and while sending is enabled and the page not loading, the send).
    void CheckLevelButton(int level);
    // Moves the marker under level 1..8.
    void MoveMarkerToLevel(int levelNumber);
    // Colour buttons in their normal look, the current level's selected.
    void RestyleAllLevelButtons(int current);
    // The colour button of a level in the look of its checked state.
    void RestyleLevelButton(int level);
    // The model's default colours (DPIColor) and DPI values (DPIGrade) from
    // the device description; nothing is sent.
    void LoadDefaultLevels();

public slots:
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderC_sliderMoved(int position);
    void on_ReduceLevelA_clicked();
    void on_AddLevelA_clicked();
    void on_BlueButton_toggled(bool checked);
    void on_BlueButtonA_toggled(bool checked);
    void on_LightBlueButton_toggled(bool checked);
    void on_LightBlueButtonA_toggled(bool checked);
    void on_BlueButtonA_clicked();
    void SetColor(const QColor& color) override;
    void on_LightBlueButtonA_clicked();
    void on_BrightRedButton_toggled(bool checked);
    void on_BrightRedButtonA_toggled(bool checked);
    void on_BrightRedButtonA_clicked();
    void on_RedButton_toggled(bool checked);
    void on_RedButtonA_toggled(bool checked);
    void on_RedButtonA_clicked();
    void on_YellowButton_toggled(bool checked);
    void on_YellowButtonA_toggled(bool checked);
    void on_LightYellowButton_toggled(bool checked);
    void on_LightYellowButtonA_toggled(bool checked);
    void on_YellowButtonA_clicked();
    void on_LightYellowButtonA_clicked();
    void on_GreenButton_toggled(bool checked);
    void on_GreenButtonA_toggled(bool checked);
    void on_GreenButtonA_clicked();
    void on_PurpleButton_toggled(bool checked);
    void on_PurpleButtonA_toggled(bool checked);
    void on_PurpleButtonA_clicked();
    void on_BlueButton_clicked();
    void on_BrightRedButton_clicked();
    void on_RedButton_clicked();
    void on_YellowButton_clicked();
    void on_GreenButton_clicked();
    void on_PurpleButton_clicked();
    void on_LightBlueButton_clicked();
    void on_LightYellowButton_clicked();

protected:
    // Dragging the marker to another level.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    void ExchangeLevels(int newLast, int current) override;

private:
    friend void StoreLevelColor(SensorDPI* frame, int level, QString& colour);

    // The index of the checked level button, -1 for none.
    int CheckedLevel() const;
    // A level's button sends it as the current level (sending enabled, page
    // not loading); when the device refuses, the level it holds is shown again.
    void LevelToggled(int level, bool checked);
    // Checks a level's button and puts the marker under it, sending nothing.
    void ShowLevelAgain(int level);
    void ColorToggled(int level, bool checked);
    void LevelClicked(int level);
    void ColorClicked(int level);
    void MarkerReleased(const QPoint& point);
    void SelectLevelFromMarker(int level);
    void ShowSelectedLevelButton(int level, bool selected);
    void ShowColorButton(int level, bool selected, bool withGeometry);
    int LevelValue(int level) const;

    Ui_SensorDPI* ui;
    QButtonGroup* m_LevelGroup = nullptr;
    QButtonGroup* m_ColorGroup = nullptr;
    QString m_ButtonColor;
    QRect m_LevelGeometry[DpiLevelEntryCount];
    QRect m_ColorGeometry[DpiLevelEntryCount];
    QRect m_DragArea;
    bool m_Dragging = false;
    QPoint m_GrabOffset;
    QString m_LevelColors[DpiLevelEntryCount]; // "r,g,b"
};

// Keeps a level's colour, given as "#" and six hexadecimal digits, as the
// decimal text "r,g,b", and rewrites colour to that text. No widget changes.
void StoreLevelColor(SensorDPI* frame, int level, QString& colour);
