#pragma once

#include <QFrame>

class MyConmboBox;
class QSlider;
class QSpinBox;

// The sleep-time frames: after how long an idle mouse sleeps, eleven choices
// from 10 seconds to 40 minutes, written to record byte 8 in units of 10 s.

constexpr int SleepTimeCount = 11;

// The record value of choice 0..10 (1, 3, 6, 30, 60, ... 240); -1 for another index.
int SleepTimeUnits(int index);
// The choice of a sleep time in seconds (10, 30, 60, 300, ... 2400); -1 for any other.
int SleepTimeIndexOfSeconds(int seconds);

struct Ui_StopCloseTime
{
    MyConmboBox* StopClose = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// The layout the settings page embeds: a combo box of the eleven times. Only a
// user's pick is sent, while sending is enabled and the button page is not
// loading; picking the current item sends it again.
class StopCloseTime : public QFrame
{
    Q_OBJECT

public:
    explicit StopCloseTime(QWidget* parent = nullptr);
    ~StopCloseTime() override;

    // Shows choice 0..10 without sending; another index leaves no item current.
    void SetCurrentIndexSilently(int index);
    void SetItemText(int index, const QString& text);

public slots:
    void on_StopClose_activated(int index);

private:
    Ui_StopCloseTime* ui;
    QString m_PictureFolder;
};

struct Ui_StopCloseTimeB
{
    QSlider* StopClose = nullptr;
    QSpinBox* spinBoxA = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// A second layout that no page builds: a slider of eleven positions with the
// time shown as a number and a unit of seconds or minutes.
class StopCloseTimeB : public QFrame
{
    Q_OBJECT

public:
    explicit StopCloseTimeB(QWidget* parent = nullptr);
    ~StopCloseTimeB() override;

    // The number shown for slider position 1..11 (10, 30, 1, 5, 10, ... 40).
    static int DisplayValueForPosition(int position);

    // Shows choice 0..10 (position index + 1) without sending.
    void SetCurrentIndexSilently(int index);
    // Takes the units from the combo layout's texts: index 0 ("10 s") gives
    // the seconds unit, index 5 ("15 min") the minutes unit; others change nothing.
    void SetItemText(int index, const QString& text);

public slots:
    void on_StopClose_sliderMoved(int position);
    void on_StopClose_valueChanged(int value);

private:
    void ShowPosition(int position);

    Ui_StopCloseTimeB* ui;
    QString m_PictureFolder;
    QString m_SecondsUnit;
    QString m_MinutesUnit;
};
