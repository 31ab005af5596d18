#include "pages/macro/Ui_Macro.h"

#include "pages/buttons/ValueDialogForm.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMetaObject>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr int kPageWidth = 883;
constexpr int kPageHeight = 630;

// The frame's own scroll bars: a thin grey track with a rounded handle.
const char* const kMacroPageSheet =
    "#MacroPage{}"
    "QScrollBar:vertical{width:13px;margin:2px 0px 2px 0px;background:rgb(30,30,30);}"
    "QScrollBar::handle:vertical{background:rgb(117,117,117);border-radius:3px;min-height:30px;}"
    "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:25px;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;}";

QLabel* Label(QFrame* frame, const char* name, const QRect& rect, int pointSize)
{
    auto* label = new QLabel(frame);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFont(FormFont(pointSize));
    return label;
}

// The labels that carry the text of the check box to their left.
QLabel* BoxLabel(QFrame* frame, const char* name, int y)
{
    QLabel* label = Label(frame, name, QRect(660, y, 201, 41), 10);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QCheckBox* CheckBox(QFrame* frame, const char* name, const QRect& rect, int pointSize)
{
    auto* box = new QCheckBox(frame);
    box->setObjectName(name);
    box->setGeometry(rect);
    box->setFont(FormFont(pointSize));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

void SetWhitePalette(QWidget* widget)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, Qt::white);
    widget->setPalette(palette);
}

QListWidget* List(QFrame* frame, const char* name, int x)
{
    auto* list = new QListWidget(frame);
    list->setObjectName(name);
    list->setGeometry(x, 87, 261, 421);
    list->setFont(FormFont(11));
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QToolButton* ToolButton(QFrame* frame, const char* name, int x, int y)
{
    auto* button = new QToolButton(frame);
    button->setObjectName(name);
    button->setGeometry(x, y, 116, 30);
    button->setFixedSize(116, 30);
    button->setFont(FormFont(11));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

QPushButton* RecordButton(QFrame* frame, const char* name)
{
    auto* button = new QPushButton(frame);
    button->setObjectName(name);
    button->setGeometry(637, 57, 190, 32);
    button->setFixedSize(190, 32);
    button->setFont(FormFont(9));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QSpinBox* CountBox(QFrame* frame, const char* name, int y, int minimum, int maximum)
{
    QSpinBox* box = AddNumberBox(frame, name, QRect(660, y, 76, 30), 12, minimum, maximum);
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

} // namespace

void Ui_Macro::setupUi(QWidget* Macro)
{
    if (Macro->objectName().isEmpty())
        Macro->setObjectName("Macro");
    Macro->resize(kPageWidth, kPageHeight);
    Macro->setFixedSize(kPageWidth, kPageHeight);
    Macro->setFont(FormFont(11));

    gridLayout = new QGridLayout(Macro);
    gridLayout->setObjectName("gridLayout");
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    MacroPage = new QFrame(Macro);
    MacroPage->setObjectName("MacroPage");
    MacroPage->setFixedSize(kPageWidth, kPageHeight);
    MacroPage->setFrameShape(QFrame::StyledPanel);
    MacroPage->setFrameShadow(QFrame::Raised);
    MacroPage->setStyleSheet(QString::fromLatin1(kMacroPageSheet));
    gridLayout->addWidget(MacroPage, 0, 0);

    label_2 = Label(MacroPage, "label_2", QRect(350, 60, 201, 17), 11);
    listWidgetKey = List(MacroPage, "listWidgetKey", 350);
    listWidgetKey->setFocusPolicy(Qt::NoFocus);
    label = Label(MacroPage, "label", QRect(70, 60, 141, 17), 11);
    listWidgetHong = List(MacroPage, "listWidgetHong", 70);
    listWidgetHong->setFocusPolicy(Qt::ClickFocus);
    listWidgetHong->setContextMenuPolicy(Qt::CustomContextMenu);
    listWidgetHong->setAutoScroll(true);

    ChooseEvent = new MyConmboBox(MacroPage);
    ChooseEvent->setObjectName("ChooseEvent");
    ChooseEvent->setGeometry(640, 432, 181, 30);
    ChooseEvent->setMinimumSize(40, 30);
    ChooseEvent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    ChooseEvent->setFont(FormFont(11));
    ChooseEvent->setFocusPolicy(Qt::NoFocus);

    ReUntilClick = CheckBox(MacroPage, "ReUntilClick", QRect(640, 257, 21, 20), 11);
    ReUntilClick->setMinimumHeight(20);
    SetWhitePalette(ReUntilClick);
    AutoInsertDelay = CheckBox(MacroPage, "AutoInsertDelay", QRect(640, 100, 20, 20), 11);
    AutoInsertDelay->setMinimumSize(20, 10);
    ReNumber = CheckBox(MacroPage, "ReNumber", QRect(640, 337, 191, 17), 10);
    ReNumber->setChecked(true);
    SetWhitePalette(ReNumber);

    NewHong = ToolButton(MacroPage, "NewHong", 70, 530);
    DeleteHong = ToolButton(MacroPage, "DeleteHong", 200, 530);
    Amend = ToolButton(MacroPage, "Amend", 350, 530);
    DeleteKey = ToolButton(MacroPage, "DeleteKey", 485, 530);

    DefaultDelay = CheckBox(MacroPage, "DefaultDelay", QRect(640, 142, 211, 20), 10);
    DefaultDelay->setMinimumHeight(20);
    SetWhitePalette(DefaultDelay);

    StartRecord = RecordButton(MacroPage, "StartRecord");
    StopRecord = RecordButton(MacroPage, "StopRecord");
    label_3 = Label(MacroPage, "label_3", QRect(640, 407, 181, 16), 11);
    DelayTime = CountBox(MacroPage, "DelayTime", 167, 10, 99999);
    NumberEdit = CountBox(MacroPage, "NumberEdit", 362, 1, 250);

    ReUntil = CheckBox(MacroPage, "ReUntil", QRect(640, 297, 16, 17), 11);
    SetWhitePalette(ReUntil);
    Save = ToolButton(MacroPage, "Save", 640, 477);

    AutoInsertDelayLabel = BoxLabel(MacroPage, "AutoInsertDelayLabel", 100);
    ReUntilLabel = BoxLabel(MacroPage, "ReUntilLabel", 295);
    ReUntilClickLabel = BoxLabel(MacroPage, "ReUntilClickLabel", 255);
    ReUntilLoose = new QCheckBox(MacroPage);
    ReUntilLoose->setObjectName("ReUntilLoose");
    ReUntilLoose->setGeometry(640, 217, 21, 20);
    ReUntilLooseLabel = BoxLabel(MacroPage, "ReUntilLooseLabel", 215);

    retranslateUi(Macro);
    QMetaObject::connectSlotsByName(Macro);
}

void Ui_Macro::retranslateUi(QWidget* Macro)
{
    Macro->setWindowTitle("Form");
    label_2->setText(QString::fromUtf8("按键列表"));
    label->setText(QString::fromUtf8("宏列表"));
    ChooseEvent->clear();
    ChooseEvent->addItems({QString(), QString::fromUtf8("按键按下"), QString::fromUtf8("按键释放"),
                           QString::fromUtf8("延时"), QString::fromUtf8("左键"), QString::fromUtf8("右键"),
                           QString::fromUtf8("中键"), QString::fromUtf8("前进键"), QString::fromUtf8("后退键")});
    for (QCheckBox* box : {ReUntilClick, AutoInsertDelay, ReUntil, ReUntilLoose})
        box->setText(QString());
    ReNumber->setText(QString::fromUtf8("循环次数"));
    NewHong->setText(QString::fromUtf8("新建宏"));
    DeleteHong->setText(QString::fromUtf8("删除"));
    Amend->setText(QString::fromUtf8("修改"));
    DeleteKey->setText(QString::fromUtf8("删除"));
    DefaultDelay->setText(QString::fromUtf8("默认延时"));
    StartRecord->setText(QString::fromUtf8("开始录制宏"));
    StopRecord->setText(QString::fromUtf8("停止录制宏"));
    label_3->setText(QString::fromUtf8("插入事件"));
    Save->setText(QString::fromUtf8("删除"));
    for (QLabel* boxLabel : {AutoInsertDelayLabel, ReUntilLabel, ReUntilClickLabel, ReUntilLooseLabel})
        boxLabel->setText(QString::fromUtf8("按键列表"));
}
