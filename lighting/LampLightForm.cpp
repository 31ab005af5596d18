#include "lighting/LampLightForm.h"

#include "lighting/FormParts.h"
#include "pages/sensor/StopCloseTime.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

const LightControlsGeometry kLampLightGeometry = {
    .label = {68, 80, 241, 21},
    .LightMod = {67, 112, 308, 34},
    .label_2 = {67, 173, 161, 21},
    .horizontalLight = {67, 215, 281, 25},
    .label_3 = {68, 259, 191, 21},
    .horizontalSpeed = {68, 300, 281, 25},
    .line = {68, 225, 281, 3},
    .line_2 = {68, 309, 281, 3},
    .label_6 = {449, 80, 321, 20},
    .label_7 = {448, 112, 308, 34},
    .label_8 = {449, 197, 261, 17},
    .labelPreView = {450, 238, 60, 60},
    .label_10 = {572, 258, 16, 17},
    .label_11 = {572, 220, 16, 17},
    .label_12 = {572, 295, 15, 17},
    .label_13 = {448, 328, 341, 17},
    .ReduceR = {593, 228, 14, 4},
    .RSpinBox = {613, 220, 45, 20},
    .AddR = {664, 223, 14, 14},
    .ReduceG = {593, 266, 14, 4},
    .GSpinBox = {613, 258, 45, 20},
    .AddG = {664, 263, 14, 14},
    .ReduceB = {593, 304, 14, 4},
    .BSpinBox = {613, 296, 45, 20},
    .AddB = {664, 299, 14, 14},
    .firstPreset = {450, 373},
    .presetPitch = {45, 50},
    .presetSize = {28, 28},
};

// The track and handle of the page's vertical scroll bars.
const char* const kScrollBarSheet =
    "QScrollBar:vertical{background:rgb(30,30,30);width:13px;margin-top:2px;margin-bottom:2px;}"
    "QScrollBar::handle:vertical{background:rgb(117, 117, 117);border-radius:3px;min-height:30px;"
    "margin-left:2px;margin-right:2px;}"
    "QScrollBar::add-line:vertical{height:25px;background:rgb(30,30,30);}"
    "QScrollBar::sub-line:vertical{height:25px;background:rgb(30,30,30);}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;}";

QSpinBox* SliderMirror(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setFont(FormFont(11));
    box->setFocusPolicy(Qt::NoFocus);
    box->setStyleSheet(QStringLiteral("#%1{background-color: transparent;color: rgb(255, 255, 255);border: none;}")
                           .arg(QString::fromLatin1(name)));
    box->setAlignment(Qt::AlignCenter);
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setRange(1, 10);
    return box;
}

QLabel* WhiteLabel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(FormFont(11));
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    return label;
}

} // namespace

void Ui_LampLight::setupUi(QWidget* page)
{
    if (page->objectName().isEmpty())
        page->setObjectName(QStringLiteral("LampLight"));
    page->resize(883, 630);
    page->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    page->setMaximumSize(QSize(883, 630));

    gridLayout = new QGridLayout(page);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    LightPage = new QFrame(page);
    LightPage->setObjectName(QStringLiteral("LightPage"));
    LightPage->setStyleSheet(QString::fromLatin1(kScrollBarSheet));
    LightPage->setFrameShape(QFrame::StyledPanel);
    LightPage->setFrameShadow(QFrame::Raised);
    gridLayout->addWidget(LightPage, 0, 0, 1, 1);

    setupLightControls(LightPage, kLampLightGeometry);
    LightSpinBox_2 = SliderMirror(LightPage, "LightSpinBox_2", QRect(350, 218, 38, 20));
    SpeedSpinBox_2 = SliderMirror(LightPage, "SpeedSpinBox_2", QRect(350, 300, 38, 20));
    label_4 = WhiteLabel(LightPage, "label_4", QRect(130, 360, 261, 31));
    RippeControl = new QToolButton(LightPage);
    RippeControl->setObjectName(QStringLiteral("RippeControl"));
    RippeControl->setGeometry(QRect(68, 368, 36, 18));
    RippeControl->setMinimumSize(QSize(36, 18));
    RippeControl->setMaximumSize(QSize(36, 18));
    RippeControl->setFocusPolicy(Qt::NoFocus);
    RippeControl->setCheckable(true);
    RippeControl->setAutoRaise(false);
    label_5 = WhiteLabel(LightPage, "label_5", QRect(68, 425, 161, 61));
    label_5->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    label_5->setWordWrap(true);

    frameClose = new StopCloseTime(LightPage);
    frameClose->setObjectName(QStringLiteral("frameClose"));
    frameClose->setGeometry(QRect(235, 420, 145, 35));
    frameClose->setFrameShape(QFrame::StyledPanel);
    frameClose->setFrameShadow(QFrame::Raised);

    retranslateUi(page);
    QMetaObject::connectSlotsByName(page);
}

void Ui_LampLight::retranslateUi(QWidget* page)
{
    page->setWindowTitle(QStringLiteral("Form"));
    retranslateLightControls();
    label_4->setText(QString::fromUtf8("移动时关灯"));
    RippeControl->setText(QString());
    label_5->setText(QString::fromUtf8("静止关灯时间"));
}
