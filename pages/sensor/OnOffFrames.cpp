#include "pages/sensor/OnOffFrames.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/FormStyles.h"

#include <QLabel>
#include <QToolButton>

namespace {

const QSize kSwitchSize(36, 18);

const OnOffFrameSpec kRippeControl = {"RippeControl", "RippeControl_2", "波纹控制", SendRippeControl, false, false};
const OnOffFrameSpec kStraightLine = {"StraightLine", "StraightLine_2", "直线修正", SendStraightLine, false, false};
const OnOffFrameSpec kMotionSync = {"MotionSync", "MotionSync_2", "motion sync", SendMotionSync, false, false};
const OnOffFrameSpec kRippeControlB = {"RippeControlB", "RippeControl_2", "波纹控制", SendRippeControl, true, false};
const OnOffFrameSpec kStraightLineB = {"StraightLineB", "StraightLine_2", "直线修正", SendStraightLine, true, false};
const OnOffFrameSpec kMotionSyncB = {"MotionSyncB", "MotionSync_2", "motion sync", SendMotionSync, true, true};

// "#B{...Close.png...}#B:checked {...Open.png...}": the switch off and on.
QString SwitchStyle(const QString& name, const QString& folder)
{
    return "#" + name
           + "{color: rgb(255, 255, 255);border:0px;background-position:center;background-repeat:no-repeat;"
             "background-image: " + StyleUrl(folder + "Close.png") + ";}#" + name + ":checked {background-image: "
             + StyleUrl(folder + "Open.png") + ";}";
}

} // namespace

void Ui_OnOffFrame::setupUi(QFrame* frame, const OnOffFrameSpec& formSpec)
{
    SetupOptionFrame(frame, formSpec.frameName, QSize(204, 31));
    const auto makeToggle = [&] {
        toggle = new QToolButton(frame);
        toggle->setObjectName(QString::fromLatin1(formSpec.switchName));
        toggle->setGeometry(QRect(QPoint(formSpec.switchOnRight ? 165 : 0, 0), kSwitchSize));
        toggle->setMinimumSize(kSwitchSize);
        toggle->setMaximumSize(kSwitchSize);
        toggle->setFocusPolicy(Qt::NoFocus);
        toggle->setCheckable(true);
        toggle->setAutoRaise(false);
    };
    const auto makeLabel = [&] {
        label = new QLabel(frame);
        label->setObjectName(QStringLiteral("label"));
        label->setGeometry(QRect(formSpec.switchOnRight ? 0 : 40, 0, 161, 31));
        label->setFont(FormFont(11));
        label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
        label->setAlignment((formSpec.switchOnRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    };
    if (formSpec.labelFirst) {
        makeLabel();
        makeToggle();
    } else {
        makeToggle();
        makeLabel();
    }
    retranslateUi(frame, formSpec);
}

void Ui_OnOffFrame::retranslateUi(QFrame*, const OnOffFrameSpec& formSpec)
{
    toggle->setText(QString());
    label->setText(QString::fromUtf8(formSpec.labelText));
}

OnOffFrame::OnOffFrame(const OnOffFrameSpec& formSpec, QWidget* parent)
    : QFrame(parent)
    , ui(new Ui_OnOffFrame)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
    , m_Spec(formSpec)
{
    ui->setupUi(this, formSpec);
    ui->label->setStyleSheet(LabelStyle(OptionColorText(QStringLiteral("LabelColor"))));
    ui->toggle->setStyleSheet(SwitchStyle(QString::fromLatin1(formSpec.switchName), m_PictureFolder));
}

OnOffFrame::~OnOffFrame()
{
    delete ui;
}

void OnOffFrame::SetChecked(bool on)
{
    ui->toggle->setChecked(on);
}

void OnOffFrame::SetLabelText(const QString& text)
{
    ui->label->setText(text);
}

void OnOffFrame::SetLabelToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void OnOffFrame::OnSwitchClicked(bool checked)
{
    if (!g_SendEnabled)
        return;
    m_Spec.send(checked ? 1 : 0);
}

RippeControl::RippeControl(QWidget* parent) : RippeControl(kRippeControl, parent) {}
RippeControl::RippeControl(const OnOffFrameSpec& formSpec, QWidget* parent) : OnOffFrame(formSpec, parent)
{
    QMetaObject::connectSlotsByName(this);
}
void RippeControl::on_RippeControl_2_clicked(bool checked) { OnSwitchClicked(checked); }

StraightLine::StraightLine(QWidget* parent) : StraightLine(kStraightLine, parent) {}
StraightLine::StraightLine(const OnOffFrameSpec& formSpec, QWidget* parent) : OnOffFrame(formSpec, parent)
{
    QMetaObject::connectSlotsByName(this);
}
void StraightLine::on_StraightLine_2_clicked(bool checked) { OnSwitchClicked(checked); }

MotionSync::MotionSync(QWidget* parent) : MotionSync(kMotionSync, parent) {}
MotionSync::MotionSync(const OnOffFrameSpec& formSpec, QWidget* parent) : OnOffFrame(formSpec, parent)
{
    QMetaObject::connectSlotsByName(this);
}
void MotionSync::on_MotionSync_2_clicked(bool checked) { OnSwitchClicked(checked); }

RippeControlB::RippeControlB(QWidget* parent) : RippeControl(kRippeControlB, parent) {}
StraightLineB::StraightLineB(QWidget* parent) : StraightLine(kStraightLineB, parent) {}
MotionSyncB::MotionSyncB(QWidget* parent) : MotionSync(kMotionSyncB, parent) {}
