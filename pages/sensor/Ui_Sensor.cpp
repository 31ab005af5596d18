#include "pages/sensor/Ui_Sensor.h"

#include "pages/sensor/DpiLedFrames.h"
#include "pages/sensor/LiftOffFrames.h"
#include "pages/sensor/OnOffFrames.h"
#include "pages/sensor/ReportRateFrames.h"
#include "pages/sensor/SensorDpiFrame.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QMetaObject>
#include <QToolButton>

namespace {

const char* const kScrollBarStyle =
    "QScrollBar:vertical{width:13px;background:rgb(30,30,30);margin:25px 0px 25px 0px;}"
    "QScrollBar::handle:vertical{background:rgb(117, 117, 117);border-radius:3px;min-height:30px;}"
    "QScrollBar::add-line:vertical{height:25px;background:rgb(30,30,30);"
    "subcontrol-position:bottom;subcontrol-origin:margin;}"
    "QScrollBar::sub-line:vertical{height:25px;background:rgb(30,30,30);"
    "subcontrol-position:top;subcontrol-origin:margin;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;}";

// The small section markers left of the titles: pictures only, never used.
QToolButton* TitleMarker(QWidget* parent, const char* name, int x, int y)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(QRect(x, y, 16, 10));
    button->setFixedSize(16, 10);
    button->setEnabled(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

MyConmboBox* FixedCombo(QWidget* parent, const char* name, int x, int y)
{
    auto* combo = new MyConmboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setGeometry(QRect(x, y, 130, 30));
    combo->setFixedSize(130, 30);
    combo->setEnabled(false);
    combo->setFont(FormFont(11));
    combo->setFocusPolicy(Qt::NoFocus);
    return combo;
}

template <typename Frame>
Frame* PlaceFrame(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* frame = new Frame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

} // namespace

void Ui_Sensor::setupUi(QWidget* Sensor)
{
    if (Sensor->objectName().isEmpty())
        Sensor->setObjectName(QStringLiteral("Sensor"));
    Sensor->setFixedSize(883, 630);

    gridLayout = new QGridLayout(Sensor);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);

    SenSorPage = new QFrame(Sensor);
    SenSorPage->setObjectName(QStringLiteral("SenSorPage"));
    SenSorPage->setFixedSize(883, 630);
    SenSorPage->setFrameShape(QFrame::StyledPanel);
    SenSorPage->setFrameShadow(QFrame::Raised);
    SenSorPage->setStyleSheet(QString::fromLatin1(kScrollBarStyle));

    Performance = new QCheckBox(SenSorPage);
    Performance->setObjectName(QStringLiteral("Performance"));
    Performance->setGeometry(QRect(430, 360, 201, 31));
    Performance->setMinimumHeight(17);
    Performance->setFont(FormFont(11));
    Performance->setFocusPolicy(Qt::NoFocus);

    PerformanceOpen = FixedCombo(SenSorPage, "PerformanceOpen", 430, 390);
    PerformanceOpen->setEditable(false);
    PerformanceOpen->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);

    label_11 = new QLabel(SenSorPage);
    label_11->setObjectName(QStringLiteral("label_11"));
    label_11->setGeometry(QRect(80, 360, 171, 17));
    label_11->setFont(FormFont(11));
    label_11->setStyleSheet(QStringLiteral("#label_11{\ncolor: rgb(255, 255, 255);\n}"));
    label_11->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    TitleButton_3 = TitleMarker(SenSorPage, "TitleButton_3", 40, 463);
    TitleButton_4 = TitleMarker(SenSorPage, "TitleButton_4", 40, 323);

    label_5 = new QLabel(SenSorPage);
    label_5->setObjectName(QStringLiteral("label_5"));
    label_5->setGeometry(QRect(80, 316, 211, 21));
    label_5->setFont(FormFont(11));
    label_5->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    TitleButton_2 = TitleMarker(SenSorPage, "TitleButton_2", 40, 220);
    TitleButton = TitleMarker(SenSorPage, "TitleButton", 40, 33);

    frame = PlaceFrame<RippeControl>(SenSorPage, "frame", QRect(640, 340, 204, 31));
    frame_3 = PlaceFrame<MotionSync>(SenSorPage, "frame_3", QRect(640, 400, 204, 31));
    frame_4 = PlaceFrame<StraightLine>(SenSorPage, "frame_4", QRect(640, 370, 204, 31));
    frameLOD = PlaceFrame<SensorLOD>(SenSorPage, "frameLOD", QRect(255, 360, 131, 61));
    frameEffect = PlaceFrame<SensorEffect>(SenSorPage, "frameEffect", QRect(80, 456, 439, 96));
    frameRate = PlaceFrame<SensorRate>(SenSorPage, "frameRate", QRect(80, 208, 725, 82));
    frameDpi = PlaceFrame<SensorDPI>(SenSorPage, "frameDpi", QRect(65, 26, 728, 194));

    ModelChoose = FixedCombo(SenSorPage, "ModelChoose", 80, 390);

    gridLayout->addWidget(SenSorPage, 0, 0, 1, 1);

    retranslateUi(Sensor);
    QMetaObject::connectSlotsByName(Sensor);
}

void Ui_Sensor::retranslateUi(QWidget* Sensor)
{
    Sensor->setWindowTitle(QStringLiteral("Form"));
    Performance->setText(QStringLiteral("性能全开"));
    PerformanceOpen->clear();
    PerformanceOpen->addItems({QStringLiteral("30秒"), QStringLiteral("1分钟"), QStringLiteral("2分钟"),
                               QStringLiteral("5分钟"), QStringLiteral("10分钟"), QStringLiteral("15分钟")});
    label_11->setToolTip(QStringLiteral("LP:普通模式; HP:高性能模式; corded:超性能模式"));
    label_11->setText(QStringLiteral("模式选择"));
    label_5->setText(QStringLiteral("Sensor设置"));
    for (QToolButton* marker : {TitleButton_3, TitleButton_4, TitleButton_2, TitleButton})
        marker->setText(QString());
    ModelChoose->clear();
    ModelChoose->addItems({QStringLiteral("LP"), QStringLiteral("HP"), QStringLiteral("Corded")});
}
