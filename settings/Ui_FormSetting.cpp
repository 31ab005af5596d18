#include "settings/Ui_FormSetting.h"

#include "lighting/FormParts.h"
#include "pages/sensor/StopCloseTime.h"
#include "widgets/MyButton.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QScrollArea>
#include <QSizePolicy>
#include <QTextEdit>
#include <QToolButton>

namespace {

const char* const kPageScrollBarStyle =
    "#FormSetting{}"
    "QScrollArea{background-color:transparent;}"
    "QScrollBar:vertical{width:13px;border:none;background:rgb(30,30,30);color:rgb(30,30,30);"
    "margin:2px 0px 2px 0px;}"
    "QScrollBar::handle:vertical{background:qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 rgb(117, 117, 117), "
    "stop:1 rgb(117, 117, 117));border-radius:3px;min-height:30px;margin:0px 2px 0px 2px;}"
    "QScrollBar::handle:vertical:pressed{background:rgb(117, 117, 117);}"
    "QScrollBar::add-line:vertical{height:25px;background:rgb(30,30,30);}"
    "QScrollBar::sub-line:vertical{height:25px;background:rgb(30,30,30);}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;border:none;}"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;border:none;}";

const char* const kSectionMarkerStyle = "border-image: url(:/sensor/Source/SensorImage/Title.png);";
const char* const kWhiteLabelStyle = "color: rgb(255, 255, 255);";

QString Translate(const char* text)
{
    return QCoreApplication::translate("FormSetting", text);
}

// The explanation texts' default: one paragraph in the form's font at 9 points.
QString RichTextParagraph(const QString& text)
{
    return QStringLiteral(
               "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
               "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
               "p, li { white-space: pre-wrap; }\n"
               "</style></head><body style=\" font-family:'%1'; font-size:9pt; font-weight:400; "
               "font-style:normal;\">\n"
               "<p style=\" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; "
               "-qt-block-indent:0; text-indent:0px;\">%2</p></body></html>")
        .arg(FormFont().family(), text);
}

template <typename Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QToolButton* SectionMarker(QWidget* parent, const char* name, int x, int y)
{
    auto* marker = Place(new QToolButton(parent), name, QRect(x, y, 16, 10));
    marker->setEnabled(false);
    marker->setFixedSize(16, 10);
    marker->setFocusPolicy(Qt::NoFocus);
    marker->setStyleSheet(kSectionMarkerStyle);
    marker->setAutoRaise(true);
    return marker;
}

QLabel* Label(QWidget* parent, const char* name, const QRect& geometry, int pointSize)
{
    auto* label = Place(new QLabel(parent), name, geometry);
    label->setFont(FormFont(pointSize));
    label->setStyleSheet(kWhiteLabelStyle);
    return label;
}

QTextEdit* Explanation(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* edit = Place(new QTextEdit(parent), name, geometry);
    edit->setEnabled(false);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QFont font = FormFont(9);
    font.setWeight(QFont::Normal);
    edit->setFont(font);
    return edit;
}

QFrame* Separator(QWidget* parent, const char* name, int y)
{
    auto* line = Place(new QFrame(parent), name, QRect(40, y, 781, 1));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet("background-color:  rgb(53, 53, 53);");
    return line;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const QRect& geometry, int pointSize)
{
    auto* box = Place(new QCheckBox(parent), name, geometry);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFont(FormFont(pointSize));
    return box;
}

template <typename Button>
Button* TextButton(QWidget* parent, const char* name, const QRect& geometry, int pointSize)
{
    auto* button = Place(new Button(parent), name, geometry);
    button->setFont(FormFont(pointSize));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// A link-like button: the form's font at 11 points, underlined or not.
MyButton* LinkButton(QWidget* parent, const char* name, const QRect& geometry, bool underlined)
{
    auto* button = TextButton<MyButton>(parent, name, geometry, 11);
    QFont font = button->font();
    font.setUnderline(underlined);
    button->setFont(font);
    return button;
}

QToolButton* ResultMark(QWidget* parent, const char* name, int y)
{
    auto* mark = Place(new QToolButton(parent), name, QRect(460, y, 14, 14));
    mark->setEnabled(false);
    QFont font;
    font.setFamily("Arial");
    font.setPointSize(11);
    mark->setFont(font);
    mark->setFocusPolicy(Qt::NoFocus);
    return mark;
}

} // namespace

void Ui_FormSetting::setupUi(QWidget* FormSetting)
{
    if (FormSetting->objectName().isEmpty())
        FormSetting->setObjectName("FormSetting");
    FormSetting->resize(883, 630);
    FormSetting->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    FrameSetting = Place(new QFrame(FormSetting), "FrameSetting", QRect(0, 0, 883, 630));
    FrameSetting->setFrameShape(QFrame::StyledPanel);
    FrameSetting->setFrameShadow(QFrame::Raised);
    FrameSetting->setStyleSheet(kPageScrollBarStyle);

    scrollArea = Place(new QScrollArea(FrameSetting), "scrollArea", QRect(0, 0, 880, 630));
    scrollArea->setFixedSize(880, 630);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidgetResizable(true);

    QWidget* contents = Place(new QWidget(), "scrollAreaWidgetContents", QRect(0, 0, 880, 860));
    scrollAreaWidgetContents = contents;
    contents->setMinimumSize(880, 860);
    contents->setMaximumSize(881, 860);

    TitleButton_2 = SectionMarker(contents, "TitleButton_2", 40, 20);
    label_2 = Label(contents, "label_2", QRect(70, 13, 131, 21), 11);
    comboBox = TextButton<MyConmboBox>(contents, "comboBox", QRect(40, 50, 142, 30), 10);
    comboBox->setFixedSize(142, 30);
    TitleButton_3 = SectionMarker(contents, "TitleButton_3", 40, 120);
    label_3 = Label(contents, "label_3", QRect(70, 113, 261, 21), 11);
    label_4 = Label(contents, "label_4", QRect(40, 155, 231, 21), 9);
    label_5 = Label(contents, "label_5", QRect(230, 155, 51, 21), 11);
    label_6 = Label(contents, "label_6", QRect(40, 185, 231, 20), 9);
    label_7 = Label(contents, "label_7", QRect(230, 185, 51, 21), 11);
    TitleButton_4 = SectionMarker(contents, "TitleButton_4", 40, 260);
    label_8 = Label(contents, "label_8", QRect(70, 253, 341, 21), 11);
    pushButton_2 = TextButton<QPushButton>(contents, "pushButton_2", QRect(40, 290, 112, 26), 10);
    pushButton_2->setFixedSize(112, 26);
    TitleButton_5 = SectionMarker(contents, "TitleButton_5", 40, 430);
    label_9 = Label(contents, "label_9", QRect(70, 423, 301, 21), 11);
    label_10 = Label(contents, "label_10", QRect(70, 460, 351, 16), 11);
    toolButton = Place(new QToolButton(contents), "toolButton", QRect(40, 500, 14, 20));
    toolButton->setFocusPolicy(Qt::NoFocus);
    pushButton = LinkButton(contents, "pushButton", QRect(60, 500, 291, 21), true);
    TitleButton_6 = SectionMarker(contents, "TitleButton_6", 40, 560);
    label_11 = Label(contents, "label_11", QRect(70, 553, 221, 21), 11);
    textEdit = Explanation(contents, "textEdit", QRect(65, 585, 701, 51));
    label = Label(contents, "label", QRect(600, 20, 251, 20), 11);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pushButton_4 = LinkButton(contents, "pushButton_4", QRect(490, 830, 371, 23), false);
    checkBox = CheckBox(contents, "checkBox", QRect(40, 460, 21, 17), 11);
    checkBox_2 = CheckBox(contents, "checkBox_2", QRect(40, 590, 21, 17), 11);
    toolButton_2 = ResultMark(contents, "toolButton_2", 160);
    toolButton_3 = ResultMark(contents, "toolButton_3", 190);
    TitleButton_7 = SectionMarker(contents, "TitleButton_7", 40, 640);
    label_14 = Label(contents, "label_14", QRect(70, 633, 501, 21), 11);
    ReUntil = CheckBox(contents, "ReUntil", QRect(70, 660, 16, 31), 9);
    ReUntil_2 = CheckBox(contents, "ReUntil_2", QRect(70, 700, 16, 31), 9);
    ReUntil_3 = CheckBox(contents, "ReUntil_3", QRect(70, 740, 16, 31), 9);
    textEdit_2 = Explanation(contents, "textEdit_2", QRect(90, 660, 731, 41));
    textEdit_3 = Explanation(contents, "textEdit_3", QRect(90, 700, 731, 41));
    textEdit_4 = Explanation(contents, "textEdit_4", QRect(90, 740, 731, 41));
    line = Separator(contents, "line", 95);
    line_2 = Separator(contents, "line_2", 250);
    line_3 = Separator(contents, "line_3", 325);
    line_4 = Separator(contents, "line_4", 455);
    line_5 = Separator(contents, "line_5", 705);
    NewLabel = Explanation(contents, "NewLabel", QRect(37, 213, 821, 37));
    NewLabel->setStyleSheet("color: rgb(255, 106, 0);");
    pushButton_3 = LinkButton(contents, "pushButton_3", QRect(610, 810, 251, 23), false);
    pushButton_3->setStyleSheet("text-align:right;");
    Receive_2 = TextButton<QToolButton>(contents, "Receive_2", QRect(230, 170, 128, 26), 10);
    Receive_2->setFixedSize(128, 26);
    TitleButton_8 = SectionMarker(contents, "TitleButton_8", 40, 335);
    label_12 = Label(contents, "label_12", QRect(70, 328, 301, 21), 11);
    label_13 = Label(contents, "label_13", QRect(70, 370, 161, 61), 11);
    label_13->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_13->setWordWrap(true);
    frameClose = Place(new StopCloseTime(contents), "frameClose", QRect(250, 365, 145, 35));
    frameClose->setFrameShape(QFrame::StyledPanel);
    frameClose->setFrameShadow(QFrame::Raised);

    scrollArea->setWidget(contents);

    retranslateUi(FormSetting);
    QMetaObject::connectSlotsByName(FormSetting);
}

void Ui_FormSetting::retranslateUi(QWidget* FormSetting)
{
    FormSetting->setWindowTitle(Translate("Form"));
    for (QToolButton* marker : {TitleButton_2, TitleButton_3, TitleButton_4, TitleButton_5, TitleButton_6,
                                TitleButton_7, TitleButton_8, toolButton_2, toolButton_3})
        marker->setText(QString());
    for (QLabel* value : {label_5, label_7})
        value->setText(QString());
    for (QCheckBox* box : {checkBox, checkBox_2, ReUntil, ReUntil_2, ReUntil_3})
        box->setText(QString());
    label_2->setText(Translate("语言"));
    comboBox->clear();
    comboBox->insertItems(0, {Translate("English"), Translate("Polish")});
    label_3->setText(Translate("设备信息"));
    label_4->setText(Translate("接收器固件版本: "));
    label_6->setText(Translate("鼠标固件版本:"));
    label_8->setText(Translate("配对工具"));
    pushButton_2->setText(Translate("配对"));
    label_9->setText(Translate("其他"));
    label_10->setText(Translate("开机自动启动"));
    toolButton->setText(Translate("..."));
    pushButton->setText(Translate("鼠标属性"));
    label_11->setText(Translate("高级设置"));
    const QString explanation = RichTextParagraph(
        Translate("远距离模式（远距离模式下，距离会更远抗干扰能力更强，相应工作电流会加大，使用时间减少）"));
    for (QTextEdit* edit : {textEdit, textEdit_2, textEdit_3, textEdit_4, NewLabel})
        edit->setHtml(explanation);
    label->setText(Translate("驱动版本: v1.0.0.1"));
    pushButton_4->setText(Translate("Quorvane"));
    label_14->setText(Translate("选择接收器上的LED指示灯所传达的信息"));
    pushButton_3->setText(Translate("https://quorvane.example"));
    Receive_2->setText(Translate("up-to-date"));
    label_12->setText(Translate("休眠模式"));
    label_13->setText(Translate("静止关灯时间"));
}
