#include "lighting/InputPic.h"

#include "core/LanguageTables.h"
#include "core/Timing.h"
#include "device/DeviceLibrary.h"
#include "lighting/FormParts.h"
#include "lighting/ScreenClockSync.h"
#include "widgets/FormStyles.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace {

const InputPicGeometry kUprightSlots = {
    .label_2 = {50, 135, 301, 21},
    .pictureSlots = {QRect(50, 160, 74, 100), QRect(150, 160, 74, 100), QRect(250, 160, 74, 100), QRect(350, 160, 74, 100)},
    .numbers = {QRect(85, 265, 16, 16), QRect(185, 265, 16, 16), QRect(285, 265, 16, 16), QRect(385, 265, 16, 16)},
    .Input = {460, 180, 96, 26},
    .Output = {460, 220, 96, 26},
    .label_3 = {50, 70, 291, 21},
};

const InputPicGeometry kFlatSlots = {
    .label_2 = {50, 75, 301, 21},
    .pictureSlots = {QRect(50, 155, 88, 64), QRect(150, 155, 88, 64), QRect(250, 155, 88, 64), QRect(350, 155, 88, 64)},
    .numbers = {QRect(85, 225, 16, 16), QRect(185, 225, 16, 16), QRect(285, 225, 16, 16), QRect(385, 225, 16, 16)},
    .Input = {460, 160, 96, 26},
    .Output = {460, 190, 96, 26},
    .label_3 = {50, 120, 291, 21},
};

// Positions in the "ScreenInfo" language section: label, label_2, label_3,
// Input, Output.
constexpr int kScreenTextCount = 5;

template <typename Widget>
Widget* Child(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

void Ui_InputPic::setupUi(QDialog* dialog, const QString& name, const InputPicGeometry& geometry)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(name);
    InputPicAFrame = CreatePanelFrame(dialog, "InputPicAFrame");

    CheckButton = Child<QToolButton>(InputPicAFrame, "CheckButton", QRect(160, 35, 36, 18));
    CheckButton->setCheckable(true);
    label = Child<QLabel>(InputPicAFrame, "label", QRect(50, 33, 111, 21));
    label->setFont(FormFont(11));
    label_2 = Child<QLabel>(InputPicAFrame, "label_2", geometry.label_2);
    label_2->setFont(FormFont(10));
    const char* const slotNames[] = {"toolButtonA", "toolButtonB", "toolButtonC", "toolButtonD"};
    QToolButton** const slotButtons[] = {&toolButtonA, &toolButtonB, &toolButtonC, &toolButtonD};
    for (int i = 0; i < 4; ++i) {
        *slotButtons[i] = Child<QToolButton>(InputPicAFrame, slotNames[i], geometry.pictureSlots[i]);
        (*slotButtons[i])->setCheckable(true);
    }
    Input = Child<QToolButton>(InputPicAFrame, "Input", geometry.Input);
    Input->setFont(FormFont(10));
    Output = Child<QToolButton>(InputPicAFrame, "Output", geometry.Output);
    Output->setFont(FormFont(10));
    label_3 = Child<QLabel>(InputPicAFrame, "label_3", geometry.label_3);
    label_3->setFont(FormFont(10));

    SpeedH = Child<QSlider>(InputPicAFrame, "SpeedH", QRect(50, 90, 281, 25));
    SpeedH->setFocusPolicy(Qt::NoFocus);
    SpeedH->setMinimum(1);
    SpeedH->setMaximum(5);
    SpeedH->setPageStep(1);
    SpeedH->setTracking(false);
    SpeedH->setOrientation(Qt::Horizontal);

    const char* const numberNames[] = {"label_4", "label_5", "label_6", "label_7"};
    QLabel** const numberLabels[] = {&label_4, &label_5, &label_6, &label_7};
    for (int i = 0; i < 4; ++i) {
        *numberLabels[i] = Child<QLabel>(InputPicAFrame, numberNames[i], geometry.numbers[i]);
        (*numberLabels[i])->setFont(FormFont());
    }

    CloseButton = CreatePanelCloseButton(InputPicAFrame);

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_InputPic::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CheckButton->setText(QString());
    label->setText(QString::fromUtf8("关闭屏幕"));
    label_2->setText(QString::fromUtf8("图片预览(1080x1920"));
    for (QToolButton* button : {toolButtonA, toolButtonB, toolButtonC, toolButtonD, CloseButton})
        button->setText(QString());
    Input->setText(QString::fromUtf8("导入"));
    Output->setText(QString::fromUtf8("导出"));
    label_3->setText(QString::fromUtf8("屏幕亮度"));
    label_4->setText(QStringLiteral("1"));
    label_5->setText(QStringLiteral("2"));
    label_6->setText(QStringLiteral("3"));
    label_7->setText(QStringLiteral("4"));
}

InputPicDialog::InputPicDialog(QWidget* parent, const QString& name, const InputPicGeometry& geometry)
    : PanelDialog(parent, QStringLiteral("ScreeInfo")), ui(new Ui_InputPic), m_ButtonGroup(nullptr)
{
    ui->setupUi(this, name, geometry);
    m_ButtonGroup = new QButtonGroup(this);
    m_ButtonGroup->setExclusive(true);
    for (QToolButton* button : {ui->toolButtonA, ui->toolButtonB, ui->toolButtonC, ui->toolButtonD})
        m_ButtonGroup->addButton(button);
}

InputPicDialog::~InputPicDialog()
{
    delete ui;
}

void InputPicDialog::ApplyLook()
{
    const QString& folder = m_PictureFolder;
    const QString labelColor = OptionColorText("LabelColor");
    const QString buttonColor = OptionColorText("ButtonColor");
    const QString labelStyle = LabelStyle(labelColor);
    for (QLabel* label : {ui->label, ui->label_2, ui->label_3, ui->label_4, ui->label_5, ui->label_6, ui->label_7})
        label->setStyleSheet(labelStyle);
    const QString slotStyle = ColoredButtonStyle("QToolButton", PictureProperty::Border, folder, buttonColor,
                                                 {"Pic.png", QString(), QString(), "PicHover.png"});
    for (QToolButton* button : {ui->toolButtonA, ui->toolButtonB, ui->toolButtonC, ui->toolButtonD})
        button->setStyleSheet(slotStyle);
    const QString fileButtonStyle = ColoredButtonStyle("QToolButton", PictureProperty::Border, folder, buttonColor,
                                                       {"Button.png", "ButtonHover.png", QString(), QString()});
    ui->Input->setStyleSheet(fileButtonStyle);
    ui->Output->setStyleSheet(fileButtonStyle);
    // The switch: "Close.png" while the screen is off, "Open.png" while on.
    ui->CheckButton->setStyleSheet(
        "#CheckButton{color: rgb(255, 255, 255);border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: " + StyleUrl(folder + "Close.png") + ";}#CheckButton:checked {background-image: "
        + StyleUrl(folder + "Open.png") + ";}");
    ui->SpeedH->setStyleSheet(PanelSliderStyle(folder, OptionColorText("SliderColor")));
    ui->CloseButton->setStyleSheet(PictureButtonStyle(folder, "CloseButton.png", "CloseHover.png", "CloseClick.png"));
    ui->InputPicAFrame->setStyleSheet(FrameBackgroundStyle("InputPicAFrame", folder, "Back.png"));
}

void InputPicDialog::SlotAllLanguage(int index)
{
    const QList<QStringList>& table = g_LangTextsScreenInfo;
    QLabel* const labels[] = {ui->label, ui->label_2, ui->label_3};
    for (int k = 0; k < 3; ++k)
        labels[k]->setText(LanguageTextInRow(table, index, k, labels[k]->text()));
    QToolButton* const buttons[] = {ui->Input, ui->Output};
    for (int k = 3; k < kScreenTextCount; ++k)
        buttons[k - 3]->setText(LanguageTextInRow(table, index, k, buttons[k - 3]->text()));
}

InputPicA::InputPicA(QWidget* parent)
    : InputPicDialog(parent, QStringLiteral("InputPicA"), kUprightSlots), m_ClockTimer(new QTimer(this))
{
    connect(m_ClockTimer, SIGNAL(timeout()), this, SLOT(onEraseChipTimeTimer()));
    m_ClockTimer->setInterval(Timing().screenClockTickMs);
}

void InputPicA::StartClockSync(bool start)
{
    if (!start)
        return;
    m_TickCount = 0;
    m_ClockTimer->start();
    StartUsbChanged(ScreenUsbChangedCallback, Timing().hotPlugWatchMs);
}

// One send every TicksPerClockSend ticks: the first one a full period after the start.
void InputPicA::onEraseChipTimeTimer()
{
    if (++m_TickCount < TicksPerClockSend)
        return;
    m_TickCount = 0;
    SendClockToScreen(QDateTime::currentDateTime());
}

InputPicB::InputPicB(QWidget* parent) : InputPicDialog(parent, QStringLiteral("InputPicB"), kFlatSlots)
{
}
