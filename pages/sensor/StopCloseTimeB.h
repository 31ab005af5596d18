#pragma once

#include <QFrame>
#include <QString>

class QSlider;
class QSpinBox;

struct Ui_StopCloseTimeB
{
    QSlider* StopClose = nullptr;
    QSpinBox* spinBoxA = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// A second layout of the sleep-time frame (StopCloseTime) that no page
// builds: a slider of the eleven times with the time shown as a number and a
// unit of seconds or minutes. A released slider sends its time while sending
// is enabled and the button page is not loading.
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
