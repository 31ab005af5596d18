#pragma once

#include "lighting/PanelDialog.h"

#include <QRect>

#include <array>

class QButtonGroup;
class QFrame;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

// Where the two screen dialogs' layouts differ.
struct InputPicGeometry
{
    QRect label_2;
    std::array<QRect, 4> pictureSlots;    // toolButtonA..D
    std::array<QRect, 4> numbers;  // label_4..7, the numbers under the slots
    QRect Input;
    QRect Output;
    QRect label_3;
};

// The screen dialogs' form: screen switch, brightness slider, four picture
// slots under the preview caption, import and export buttons.
struct Ui_InputPic
{
    QFrame* InputPicAFrame = nullptr;
    QToolButton* CheckButton = nullptr;
    QLabel* label = nullptr;
    QLabel* label_2 = nullptr;
    QToolButton* toolButtonA = nullptr;
    QToolButton* toolButtonB = nullptr;
    QToolButton* toolButtonC = nullptr;
    QToolButton* toolButtonD = nullptr;
    QToolButton* Input = nullptr;
    QToolButton* Output = nullptr;
    QLabel* label_3 = nullptr;
    QSlider* SpeedH = nullptr;
    QLabel* label_4 = nullptr;
    QLabel* label_5 = nullptr;
    QLabel* label_6 = nullptr;
    QLabel* label_7 = nullptr;
    QToolButton* CloseButton = nullptr;

    void setupUi(QDialog* dialog, const QString& name, const InputPicGeometry& geometry);
    void retranslateUi(QDialog* dialog);
};

// A dialog for a mouse with a 1080 x 1920 picture screen. Its controls change
// only their own look: the program defines no screen command for them.
class InputPicDialog : public PanelDialog
{
    Q_OBJECT

public:
    ~InputPicDialog() override;

public slots:
    void SlotAllLanguage(int index) override;

protected:
    InputPicDialog(QWidget* parent, const QString& name, const InputPicGeometry& geometry);

private:
    void ApplyLook() override;

    Ui_InputPic* ui;
    QButtonGroup* m_ButtonGroup;
};

// The screen dialog with upright picture slots. It also carries the screen's
// clock: once started, every ticksPerClockSend ticks of its clock timer it
// sends the local time to the first screen device found.
class InputPicA : public InputPicDialog
{
    Q_OBJECT

public:
    static constexpr int TicksPerClockSend = 50;

    explicit InputPicA(QWidget* parent = nullptr);

    // With true: starts the clock timer from tick 0 and has the screen
    // devices searched now and at every USB change (StartUsbChanged, which
    // replaces the hot-plug callback registered before). With false: nothing.
    void StartClockSync(bool start);

public slots:
    // One tick of the clock timer.
    void onEraseChipTimeTimer();

private:
    QTimer* m_ClockTimer;
    int m_TickCount = 0;
};

// The screen dialog with flat picture slots.
class InputPicB : public InputPicDialog
{
    Q_OBJECT

public:
    explicit InputPicB(QWidget* parent = nullptr);
};
