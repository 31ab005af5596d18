#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

// The sensor options that are plain switches: ripple control, angle snapping
// and motion sync. Each frame is a picture toggle and a label; a click writes
// 1 or 0 through the option's sender while sending is enabled. Setting the
// switch in code sends nothing. The "B" classes are a second layout (switch on
// the right, label right-aligned) that no page builds.

// What differs between the frames of the family.
struct OnOffFrameSpec
{
    const char* frameName;
    const char* switchName;
    const char* labelText;
    bool (*send)(int on);
    bool switchOnRight; // the second layout
    bool labelFirst;    // the label is created before the switch
};

struct Ui_OnOffFrame
{
    QToolButton* toggle = nullptr;
    QLabel* label = nullptr;

    void setupUi(QFrame* frame, const OnOffFrameSpec& formSpec);
    void retranslateUi(QFrame* frame, const OnOffFrameSpec& formSpec);
};

class OnOffFrame : public QFrame
{
    Q_OBJECT

public:
    ~OnOffFrame() override;

    void SetChecked(bool on);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

protected:
    OnOffFrame(const OnOffFrameSpec& formSpec, QWidget* parent);

    // A click on the switch, with its new state.
    void OnSwitchClicked(bool checked);

    Ui_OnOffFrame* ui;
    QString m_PictureFolder;

private:
    const OnOffFrameSpec& m_Spec;
};

// Ripple control, record byte 10.
class RippeControl : public OnOffFrame
{
    Q_OBJECT
public:
    explicit RippeControl(QWidget* parent = nullptr);
public slots:
    void on_RippeControl_2_clicked(bool checked);
protected:
    RippeControl(const OnOffFrameSpec& formSpec, QWidget* parent);
};

// Angle snapping, record byte 9.
class StraightLine : public OnOffFrame
{
    Q_OBJECT
public:
    explicit StraightLine(QWidget* parent = nullptr);
public slots:
    void on_StraightLine_2_clicked(bool checked);
protected:
    StraightLine(const OnOffFrameSpec& formSpec, QWidget* parent);
};

// Motion sync, record byte 7.
class MotionSync : public OnOffFrame
{
    Q_OBJECT
public:
    explicit MotionSync(QWidget* parent = nullptr);
public slots:
    void on_MotionSync_2_clicked(bool checked);
protected:
    MotionSync(const OnOffFrameSpec& formSpec, QWidget* parent);
};

class RippeControlB : public RippeControl
{
    Q_OBJECT
public:
    explicit RippeControlB(QWidget* parent = nullptr);
};

class StraightLineB : public StraightLine
{
    Q_OBJECT
public:
    explicit StraightLineB(QWidget* parent = nullptr);
};

class MotionSyncB : public MotionSync
{
    Q_OBJECT
public:
    explicit MotionSyncB(QWidget* parent = nullptr);
};
