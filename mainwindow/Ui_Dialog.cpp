#include "mainwindow/Ui_Dialog.h"
#include "widgets/FormStyles.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFrame* Panel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

QToolButton* ToolButton(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

// A checkable 30 x 30 button of one page.
QToolButton* PageButton(QWidget* parent, const char* name, int x)
{
    QToolButton* button = ToolButton(parent, name, QRect(x, 60, 30, 30));
    button->setMinimumSize(30, 30);
    button->setMaximumSize(30, 30);
    button->setCheckable(true);
    return button;
}

QToolButton* WindowButton(QWidget* parent, const char* name, const QRect& geometry)
{
    QToolButton* button = ToolButton(parent, name, geometry);
    button->setIconSize(QSize(30, 30));
    return button;
}

QFrame* VerticalLine(QWidget* parent, const char* name, int x)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setGeometry(x, 65, 3, 21);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet("background-color: rgb(75, 75, 75);");
    return line;
}

} // namespace

void Ui_Dialog::setupUi(QWidget* Dialog)
{
    if (Dialog->objectName().isEmpty())
        Dialog->setObjectName("Dialog");
    Dialog->resize(1020, 700);

    frame_2 = Panel(Dialog, "frame_2", QRect(0, 0, 1020, 700));
    frame_2->setFixedSize(1020, 700);

    frame_3 = Panel(frame_2, "frame_3", QRect(-10, 106, 144, 581));
    frame_3->setMaximumSize(150, 617);
    UpArrow = ToolButton(frame_3, "UpArrow", QRect(60, 30, 34, 30));
    UpArrow->setFixedSize(34, 30);
    UpArrow->setIconSize(QSize(12, 6));

    frame = Panel(frame_2, "frame", QRect(0, 0, 1020, 111));
    BatteryButtonC = new QLabel(frame);
    BatteryButtonC->setObjectName("BatteryButtonC");
    BatteryButtonC->setGeometry(957, 60, 43, 20);
    BatteryButtonC->setMaximumSize(43, 20);
    ButtonMain = PageButton(frame, "ButtonMain", 248);
    SensorButton = PageButton(frame, "SensorButton", 323);
    MacroButton = PageButton(frame, "MacroButton", 396);
    SetButton = WindowButton(frame, "SetButton", QRect(910, 10, 22, 22));
    SetButton->setFixedSize(22, 22);
    CloseButton = WindowButton(frame, "CloseButton", QRect(980, 20, 20, 20));
    CloseButton->setFixedSize(20, 20);
    MinButton = WindowButton(frame, "MinButton", QRect(940, 20, 20, 20));
    MinButton->setMinimumSize(20, 20);
    MinButton->setMaximumSize(32, 32);

    progressBar = new QProgressBar(frame);
    progressBar->setObjectName("progressBar");
    progressBar->setGeometry(958, 61, 38, 18);
    progressBar->setRange(0, 100);
    progressBar->setValue(100);
    progressBar->setTextVisible(false);
    progressBar->setStyleSheet("#progressBar{border: none;background-color: transparent;}"
                               "#progressBar::chunk {background-color: rgb(191, 191, 191);}");

    label = new QLabel(frame);
    label->setObjectName("label");
    label->setGeometry(968, 67, 17, 7);
    label_2 = new QLabel(frame);
    label_2->setObjectName("label_2");
    label_2->setGeometry(908, 61, 41, 16);
    label_2->setFont(FamilyFont(QString::fromUtf8("微软雅黑"), 10));
    label_2->setAlignment(Qt::AlignCenter);

    FormSetting = PageButton(frame, "FormSetting", 470);
    label_3 = new QLabel(frame);
    label_3->setObjectName("label_3");
    label_3->setGeometry(240, 10, 171, 51);
    label_3->setFont(FamilyFont("Arial", 16, true));
    label_3->setStyleSheet("#label_3\n{\ncolor: rgb(192, 255, 0);\n}");
    LightsButton = PageButton(frame, "LightsButton", 470);

    line = VerticalLine(frame, "line", 225);
    line_2 = VerticalLine(frame, "line_2", 301);
    line_3 = VerticalLine(frame, "line_3", 374);
    line_4 = VerticalLine(frame, "line_4", 447);
    line_5 = VerticalLine(frame, "line_5", 520);
    line_6 = VerticalLine(frame, "line_6", 593);

    frame_4 = Panel(frame_2, "frame_4", QRect(140, 90, 881, 615));
    frame_4->setMaximumSize(890, 630);
    verticalLayout_4 = new QVBoxLayout(frame_4);
    verticalLayout_4->setObjectName("verticalLayout_4");
    verticalLayout_4->setContentsMargins(0, 0, 0, 0);
    verticalLayout_4->setSpacing(0);
    stackedWidgetDialog = new QStackedWidget(frame_4);
    stackedWidgetDialog->setObjectName("stackedWidgetDialog");
    stackedWidgetDialog->setMaximumSize(883, 605);
    verticalLayout_4->addWidget(stackedWidgetDialog);

    retranslateUi(Dialog);
    stackedWidgetDialog->setCurrentIndex(-1);
    QMetaObject::connectSlotsByName(Dialog);
}

void Ui_Dialog::retranslateUi(QWidget* Dialog)
{
    Dialog->setWindowTitle("Dialog");
    for (QToolButton* button : {UpArrow, ButtonMain, SensorButton, MacroButton, SetButton, CloseButton, MinButton,
                                FormSetting, LightsButton})
        button->setText(QString());
    BatteryButtonC->setText(QString());
    label->setText(QString());
    label_2->setText("100%");
    label_3->setText(QString());
}
