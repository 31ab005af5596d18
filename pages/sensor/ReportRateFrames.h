#pragma once

#include <QFrame>
#include <QList>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QToolButton;

// The report-rate frames: seven exclusive choices, 125 Hz to 8000 Hz. A click
// sends the rate's code; when the device took it, the hub hears through
// SigHideModel whether the new rate is a high one (2000 Hz and up), since the
// sensor page restricts the sensor mode for high rates.

constexpr int ReportRateCount = 7;

// The record code of rate choice 0..6 (8, 4, 2, 1, 16, 32, 64); -1 for another index.
int ReportRateCode(int index);
// The choice of a record or report code; -1 for a code that is none.
int ReportRateIndex(int code);
// The receiver's rate class for the kind byte of a device (0 and 2 → 0,
// 1 → 1, 4 → 2, 3 and 5 → 3); -1 for any other kind.
int ReceiverRateClass(int kind);

// What the two layouts share: the choices in an exclusive group, their slots
// and setters. A subclass builds its form and hands over its title and buttons.
class ReportRateFrame : public QFrame
{
    Q_OBJECT

public:
    // Checks choice 0..6 without sending; other indexes change nothing.
    void SetRateIndex(int index);
    // Shows the high rates a receiver class offers: 0 none, 1 2000 and 4000 Hz,
    // 2 2000 Hz, 3 all three; another class changes nothing.
    void SetReceiverKind(int rateClass);
    void SetTitleText(const QString& text);

public slots:
    void on_Button125HZ_clicked(bool checked);
    void on_Button250HZ_clicked(bool checked);
    void on_Button500HZ_clicked(bool checked);
    void on_Button1000HZ_clicked(bool checked);
    void on_Button2000HZ_clicked(bool checked);
    void on_Button4000HZ_clicked(bool checked);
    void on_Button8000HZ_clicked(bool checked);

protected:
    explicit ReportRateFrame(QWidget* parent);

    // Puts the buttons (in rate order) into the group and connects the slots.
    void AttachRateButtons(QLabel* title, const QList<QAbstractButton*>& buttons);

    QString m_PictureFolder;

private:
    void OnRateClicked(int index, bool checked);

    QButtonGroup* m_Group;
    QLabel* m_Title = nullptr;
    QList<QAbstractButton*> m_Buttons;
};

struct Ui_SensorRate
{
    QLabel* label = nullptr;
    QList<QToolButton*> rateButtons; // Button125HZ ... Button8000HZ

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// The layout the sensor page embeds: picture tool buttons under a title.
class SensorRate : public ReportRateFrame
{
    Q_OBJECT

public:
    explicit SensorRate(QWidget* parent = nullptr);
    ~SensorRate() override;

private:
    Ui_SensorRate* ui;
};

struct Ui_SensorRateB
{
    QLabel* label = nullptr;
    QList<QCheckBox*> rateButtons;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// A second layout, check boxes in one row, that no page builds.
class SensorRateB : public ReportRateFrame
{
    Q_OBJECT

public:
    explicit SensorRateB(QWidget* parent = nullptr);
    ~SensorRateB() override;

private:
    Ui_SensorRateB* ui;
};
