#pragma once

#include <QFrame>

class MyConmboBox;
class QSlider;
class QSpinBox;
class QToolButton;

// The button debounce frames: the debounce time in milliseconds, record byte 6.

struct Ui_DebounceTime
{
    MyConmboBox* Debunce = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// The layout the button page embeds: a combo box of 0 to 20 ms. Every change
// of the current item is sent while sending is enabled (also while the button
// page loads a record); a user's choice of 3 ms or less that the device took
// also shows the short-debounce notice. A choice the device did not take puts
// the box back at the time last shown from a record or taken by the device.
class DebounceTime : public QFrame
{
    Q_OBJECT

public:
    explicit DebounceTime(QWidget* parent = nullptr);
    ~DebounceTime() override;

    // Shows a time from a record or the factory look, without sending it
    // back. A value without an item (above 20) leaves no item current.
    void SetCurrentIndexSilently(int index);
    // Item index reads as index followed by the suffix ("3 ms").
    void SetItemNumberText(int index, const QString& suffix);

public slots:
    void on_Debunce_currentIndexChanged(int index);

private:
    Ui_DebounceTime* ui;
    QString m_PictureFolder;
    // The item of the time the device holds (-1: none).
    int m_HeldIndex = 0;
};

struct Ui_DebouncetimeB
{
    QSlider* Debunce = nullptr;
    QSpinBox* spinBoxA = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// A second layout that no page builds: a slider of 1 to 20 ms with a number.
class DebouncetimeB : public QFrame
{
    Q_OBJECT

public:
    explicit DebouncetimeB(QWidget* parent = nullptr);
    ~DebouncetimeB() override;

    // Shows a value without sending it.
    void SetValueSilently(int value);
    void SetSuffix(const QString& text);

public slots:
    void on_Debunce_sliderMoved(int position);
    void on_Debunce_valueChanged(int value);

private:
    Ui_DebouncetimeB* ui;
    QString m_PictureFolder;
};

struct Ui_DebouncetimeC
{
    QToolButton* AddLevelA = nullptr;
    QToolButton* ReduceLevelA = nullptr;
    QSpinBox* spinBoxA = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// A third layout that no page builds: a number of 0 to 20 ms stepped by a
// plus and a minus button.
class DebouncetimeC : public QFrame
{
    Q_OBJECT

public:
    explicit DebouncetimeC(QWidget* parent = nullptr);
    ~DebouncetimeC() override;

    // Shows a value (kept within 0..20) without sending it.
    void SetValue(int value);
    void SetSuffix(const QString& text);

public slots:
    void on_AddLevelA_clicked();
    void on_ReduceLevelA_clicked();

private:
    void SendShownValue();

    Ui_DebouncetimeC* ui;
    QString m_PictureFolder;
};
