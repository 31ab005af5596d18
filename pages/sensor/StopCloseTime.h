#pragma once

#include <QFrame>

class MyConmboBox;

// The sleep-time form: one combo box of eleven times, 10 seconds to 40 minutes.
struct Ui_StopCloseTime
{
    MyConmboBox* StopClose = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// Item count of the sleep-time choice.
constexpr int SleepTimeCount = 11;

// The sleep time of item index in units of 10 seconds (byte 8 of the
// record): 1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240; 0 outside 0..10.
int SleepTimeUnits(int index);
// The item that shows a sleep time given in seconds; -1 when none does.
int SleepTimeIndexOfSeconds(int seconds);

// The sleep-time frame that the settings page and the lighting page embed:
// a pick by the user sends the time to the device, and one the device does
// not take puts the box back on the device's time; the owning page sets the
// texts and shows the device's value without sending it back.
class StopCloseTime : public QFrame
{
    Q_OBJECT

public:
    explicit StopCloseTime(QWidget* parent = nullptr);
    ~StopCloseTime() override;

    // Selects item index without sending; outside 0..10 no item is current.
    void SetCurrentIndexSilently(int index);
    void SetItemText(int index, const QString& text);
    QString ItemText(int index) const;

private slots:
    void on_StopClose_activated(int index);

private:
    Ui_StopCloseTime* ui;
    QString m_PictureFolder;
    // The item of the time the device holds: last shown from a record or
    // taken by the device (-1: none).
    int m_HeldIndex = 0;
};
