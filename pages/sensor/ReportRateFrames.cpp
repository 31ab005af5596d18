#include "pages/sensor/ReportRateFrames.h"

#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/FormStyles.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

namespace {

struct RateRow
{
    const char* name;
    const char* text;  // the sensor page's layout
    const char* textB; // the second layout
    int code;
};

const RateRow kRates[ReportRateCount] = {
    {"Button125HZ", "125Hz", "125HZ", 8},     {"Button250HZ", "250Hz", "250HZ", 4},
    {"Button500HZ", "500Hz", "500HZ", 2},     {"Button1000HZ", "1000Hz", "1000HZ", 1},
    {"Button2000HZ", "2000Hz", "2000HZ", 16}, {"Button4000HZ", "4000Hz", "4000HZ", 32},
    {"Button8000HZ", "8000Hz", "8000HZ", 64},
};

constexpr int kFirstHighRate = 4;

} // namespace

int ReportRateCode(int index)
{
    return index >= 0 && index < ReportRateCount ? kRates[index].code : -1;
}

int ReportRateIndex(int code)
{
    for (int i = 0; i < ReportRateCount; ++i) {
        if (kRates[i].code == code)
            return i;
    }
    return -1;
}

int ReceiverRateClass(int kind)
{
    switch (kind) {
    case 0:
    case 2: return 0;
    case 1: return 1;
    case 4: return 2;
    case 3:
    case 5: return 3;
    default: return -1;
    }
}

ReportRateFrame::ReportRateFrame(QWidget* parent)
    : QFrame(parent)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
    , m_Group(new QButtonGroup(this))
{
    m_Group->setExclusive(true);
}

void ReportRateFrame::AttachRateButtons(QLabel* title, const QList<QAbstractButton*>& buttons)
{
    m_Title = title;
    m_Buttons = buttons;
    for (QAbstractButton* button : buttons)
        m_Group->addButton(button);
    QMetaObject::connectSlotsByName(this);
}

void ReportRateFrame::SetRateIndex(int index)
{
    if (index >= 0 && index < m_Buttons.size())
        m_Buttons.at(index)->setChecked(true);
}

void ReportRateFrame::SetReceiverKind(int rateClass)
{
    // Visibility of 2000, 4000 and 8000 Hz by class.
    static const bool shown[4][3] = {
        {false, false, false}, {true, true, false}, {true, false, false}, {true, true, true}};
    if (rateClass < 0 || rateClass > 3)
        return;
    for (int i = 0; i < 3; ++i)
        m_Buttons.at(kFirstHighRate + i)->setVisible(shown[rateClass][i]);
}

void ReportRateFrame::SetTitleText(const QString& text)
{
    m_Title->setText(text);
}

void ReportRateFrame::OnRateClicked(int index, bool checked)
{
    if (!checked || !g_SendEnabled)
        return;
    if (SendReportRate(kRates[index].code))
        PostMsg::GetInstance()->EmitHideModel(index >= kFirstHighRate ? 1 : 0);
}

void ReportRateFrame::on_Button125HZ_clicked(bool checked) { OnRateClicked(0, checked); }
void ReportRateFrame::on_Button250HZ_clicked(bool checked) { OnRateClicked(1, checked); }
void ReportRateFrame::on_Button500HZ_clicked(bool checked) { OnRateClicked(2, checked); }
void ReportRateFrame::on_Button1000HZ_clicked(bool checked) { OnRateClicked(3, checked); }
void ReportRateFrame::on_Button2000HZ_clicked(bool checked) { OnRateClicked(4, checked); }
void ReportRateFrame::on_Button4000HZ_clicked(bool checked) { OnRateClicked(5, checked); }
void ReportRateFrame::on_Button8000HZ_clicked(bool checked) { OnRateClicked(6, checked); }

void Ui_SensorRate::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "SensorRate", QSize(725, 82));
    label = new QLabel(frame);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(QRect(0, 0, 161, 31));
    label->setFont(FormFont(11));
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    const QSize buttonSize(74, 26);
    for (int i = 0; i < ReportRateCount; ++i) {
        auto* button = new QToolButton(frame);
        button->setObjectName(QString::fromLatin1(kRates[i].name));
        button->setGeometry(QRect(QPoint(100 * i, 51), buttonSize));
        button->setMinimumSize(buttonSize);
        button->setMaximumSize(buttonSize);
        button->setFont(FormFont(10));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        rateButtons << button;
    }
    retranslateUi(frame);
}

void Ui_SensorRate::retranslateUi(QFrame*)
{
    label->setText(QString::fromUtf8("回报率"));
    for (int i = 0; i < ReportRateCount; ++i)
        rateButtons.at(i)->setText(QString::fromLatin1(kRates[i].text));
}

SensorRate::SensorRate(QWidget* parent)
    : ReportRateFrame(parent)
    , ui(new Ui_SensorRate)
{
    ui->setupUi(this);
    ui->label->setStyleSheet(LabelStyle(OptionColorText(QStringLiteral("LabelColor"))));
    const QString buttonStyle = "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
                                "color: rgb("
                                + OptionColorText(QStringLiteral("ButtonColor"))
                                + ";);padding-left:0px;background-image: "
                                + StyleUrl(m_PictureFolder + "ReportRate.png")
                                + ";}QToolButton:checked{padding-left:0px;background-image: "
                                + StyleUrl(m_PictureFolder + "ReportRateClick.png") + "; }";
    QList<QAbstractButton*> buttons;
    for (QToolButton* button : ui->rateButtons) {
        button->setStyleSheet(buttonStyle);
        buttons << button;
    }
    AttachRateButtons(ui->label, buttons);
}

SensorRate::~SensorRate()
{
    delete ui;
}

void Ui_SensorRateB::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "SensorRateB", QSize(820, 38));
    label = new QLabel(frame);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(QRect(0, 0, 100, 31));
    label->setFont(FormFont(11));
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < ReportRateCount; ++i) {
        auto* box = new QCheckBox(frame);
        box->setObjectName(QString::fromLatin1(kRates[i].name));
        box->setGeometry(QRect(100 + 100 * i, 7, 101, 20));
        box->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
        box->setMinimumSize(QSize(20, 10));
        box->setFont(FormFont(11));
        box->setFocusPolicy(Qt::NoFocus);
        rateButtons << box;
    }
    retranslateUi(frame);
}

void Ui_SensorRateB::retranslateUi(QFrame*)
{
    label->setText(QString::fromUtf8("回报率"));
    for (int i = 0; i < ReportRateCount; ++i)
        rateButtons.at(i)->setText(QString::fromLatin1(kRates[i].textB));
}

SensorRateB::SensorRateB(QWidget* parent)
    : ReportRateFrame(parent)
    , ui(new Ui_SensorRateB)
{
    ui->setupUi(this);
    const QString labelColor = OptionColorText(QStringLiteral("LabelColor"));
    ui->label->setStyleSheet(LabelStyle(labelColor));
    QList<QAbstractButton*> buttons;
    for (QCheckBox* box : ui->rateButtons) {
        box->setStyleSheet(IndicatorCheckBoxStyle(m_PictureFolder, labelColor));
        buttons << box;
    }
    AttachRateButtons(ui->label, buttons);
}

SensorRateB::~SensorRateB()
{
    delete ui;
}
