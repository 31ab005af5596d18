#include "pages/buttons/Ui_Buttoninterface.h"

#include "pages/sensor/DebounceFrames.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyToolButton.h"

#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMetaObject>
#include <QScrollArea>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kYaHei = "微软雅黑";

void FixSize(QWidget* widget, int width, int height)
{
    widget->setMinimumSize(width, height);
    widget->setMaximumSize(width, height);
}

// A tool button of one of the page's families: fixed size, auto-raise, never
// takes the focus.
template <typename Button = QToolButton>
Button* FamilyButton(QWidget* parent, const char* name, int width, int height, const QFont& font, bool checkable)
{
    auto* button = new Button(parent);
    button->setObjectName(name);
    FixSize(button, width, height);
    button->setFont(font);
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QScrollArea* ScrollArea(QWidget* parent, const char* name)
{
    auto* area = new QScrollArea(parent);
    area->setObjectName(name);
    area->setFocusPolicy(Qt::NoFocus);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    return area;
}

QWidget* Contents(const char* name, int width, int height)
{
    auto* contents = new QWidget();
    contents->setObjectName(name);
    FixSize(contents, width, height);
    return contents;
}

QVBoxLayout* ButtonColumn(QWidget* contents, const char* name)
{
    auto* layout = new QVBoxLayout(contents);
    layout->setObjectName(name);
    int left, top, right, bottom;
    layout->getContentsMargins(&left, &top, &right, &bottom);
    layout->setContentsMargins(7, top, right, bottom);
    return layout;
}

QGridLayout* TightGrid(QWidget* parent, const char* name)
{
    auto* grid = new QGridLayout(parent);
    grid->setObjectName(name);
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    return grid;
}

const char* const kFramedScrollArea = "QFrame{border:2px solid rgb(119,119,119);}";

// A function page: page, grid, scroll area, contents and button column.
struct FunctionPage
{
    QWidget* page;
    QGridLayout* grid;
    QScrollArea* area;
    QWidget* contents;
    QVBoxLayout* column;

    // Hands the parts to the form's members of the same roles.
    void AssignTo(QWidget*& pageMember, QGridLayout*& gridMember, QScrollArea*& areaMember,
                  QWidget*& contentsMember, QVBoxLayout*& columnMember) const
    {
        pageMember = page;
        gridMember = grid;
        areaMember = area;
        contentsMember = contents;
        columnMember = column;
    }
};

FunctionPage MakeFunctionPage(QStackedWidget* stack, const char* pageName, const char* gridName,
                              const char* areaName, const char* contentsName, int contentsHeight,
                              const char* columnName)
{
    FunctionPage parts;
    parts.page = new QWidget();
    parts.page->setObjectName(pageName);
    FixSize(parts.page, 205, 240);
    parts.grid = TightGrid(parts.page, gridName);
    parts.area = ScrollArea(parts.page, areaName);
    FixSize(parts.area, 205, 220);
    parts.area->setStyleSheet(kFramedScrollArea);
    parts.contents = Contents(contentsName, 205, contentsHeight);
    parts.column = ButtonColumn(parts.contents, columnName);
    parts.area->setWidget(parts.contents);
    parts.grid->addWidget(parts.area, 0, 0, 1, 1);
    stack->addWidget(parts.page);
    return parts;
}

QToolButton* FunctionButton(QWidget* contents, QVBoxLayout* column, const char* name)
{
    QToolButton* button = FamilyButton(contents, name, 174, 22, FamilyFont(kYaHei, 9), true);
    column->addWidget(button);
    return button;
}

QSpacerItem* Spacer(QVBoxLayout* column)
{
    auto* spacer = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    column->addItem(spacer);
    return spacer;
}

const char* const kMainWindowSheet =
    "#MainWindow{}"
    "QScrollArea{background:transparent;}"
    "QScrollBar:vertical{border:none;background:rgb(28,28,28);color:rgb(28,28,28);width:10px;margin:2px 0px 2px 0px;}"
    "QScrollBar::handle:vertical{border:none;background:qlineargradient(x1:0,y1:0,x2:1,y2:0,stop:0 rgb(63,63,63),"
    "stop:1 rgb(63,63,63));border-radius:3px;min-height:30px;margin:0px 2px 0px 2px;}"
    "QScrollBar::handle:pressed{background:qlineargradient(x1:0,y1:0,x2:1,y2:0,stop:0 rgb(63,63,63),"
    "stop:1 rgb(63,63,63));}"
    "QScrollBar::add-line:vertical{border:none;height:25px;background:rgb(28,28,28);subcontrol-position:bottom;"
    "subcontrol-origin:margin;}"
    "QScrollBar::sub-line:vertical{border:none;height:25px;background:rgb(28,28,28);subcontrol-position:top;"
    "subcontrol-origin:margin;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical,QScrollBar::up-arrow:vertical,"
    "QScrollBar::down-arrow:vertical{background:transparent;border:none;}";

} // namespace

void Ui_Buttoninterface::setupUi(QWidget* Buttoninterface)
{
    if (Buttoninterface->objectName().isEmpty())
        Buttoninterface->setObjectName("Buttoninterface");
    Buttoninterface->resize(883, 630);
    Buttoninterface->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Buttoninterface->setMaximumSize(883, 660);
    Buttoninterface->setStyleSheet(QString());

    gridLayout_9 = new QGridLayout(Buttoninterface);
    gridLayout_9->setObjectName("gridLayout_9");
    gridLayout_9->setContentsMargins(0, 0, 0, 0);
    MainWindow = new QFrame(Buttoninterface);
    MainWindow->setObjectName("MainWindow");
    MainWindow->setMaximumSize(883, 630);
    MainWindow->setFrameShape(QFrame::StyledPanel);
    MainWindow->setFrameShadow(QFrame::Raised);
    MainWindow->setStyleSheet(kMainWindowSheet);
    gridLayout_9->addWidget(MainWindow, 0, 0, 1, 1);

    label = new QLabel(MainWindow);
    label->setObjectName("label");
    label->setGeometry(30, 30, 20, 14);

    widget = new QWidget(MainWindow);
    widget->setObjectName("widget");
    widget->setGeometry(220, 0, 432, 356);
    FixSize(widget, 432, 356);
    const struct { QToolButton** button; const char* name; int x, y; } badges[] = {
        {&Number1, "Number1", 140, 60}, {&Number2, "Number2", 250, 60}, {&Number3, "Number3", 198, 60},
        {&Number4, "Number4", 95, 110}, {&Number5, "Number5", 95, 165}, {&Number6, "Number6", 198, 145},
    };
    for (const auto& badge : badges) {
        *badge.button = FamilyButton(widget, badge.name, 38, 38, FamilyFont(QString(), 16), false);
        (*badge.button)->move(badge.x, badge.y);
    }

    OutputData = FamilyButton(MainWindow, "OutputData", 90, 26, FamilyFont(kYaHei, 10), false);
    OutputData->move(780, 350);
    ImportData = FamilyButton(MainWindow, "ImportData", 90, 26, FamilyFont(kYaHei, 10), false);
    ImportData->move(680, 350);

    groupBox = new QGroupBox(MainWindow);
    groupBox->setObjectName("groupBox");
    groupBox->setGeometry(7, 380, 862, 216);

    scrollArea_11 = ScrollArea(groupBox, "scrollArea_11");
    scrollArea_11->setGeometry(150, 2, 480, 212);
    FixSize(scrollArea_11, 480, 212);
    scrollAreaWidgetContents_11 = Contents("scrollAreaWidgetContents_11", 510, 212);
    const struct { QLabel** label; const char* labelName; QToolButton** selector; const char* selectorName; int y; }
        rows[] = {
            {&label_14, "label_14", &FireKey, "FireKey", 5},       {&label_9, "label_9", &RightKey, "RightKey", 40},
            {&label_15, "label_15", &BackKey, "BackKey", 75},      {&label_11, "label_11", &StartPause, "StartPause", 109},
            {&label_12, "label_12", &TopMusic, "TopMusic", 144},   {&label_13, "label_13", &BackMusic, "BackMusic", 179},
        };
    for (const auto& row : rows) {
        *row.label = new QLabel(scrollAreaWidgetContents_11);
        (*row.label)->setObjectName(row.labelName);
        (*row.label)->setGeometry(0, row.y + 1, 24, 24);
        FixSize(*row.label, 24, 24);
        (*row.label)->setFont(FamilyFont("Microsoft YaHei UI Light", 16));
        (*row.label)->setAlignment(Qt::AlignCenter);
        *row.selector = FamilyButton(scrollAreaWidgetContents_11, row.selectorName, 262, 26, FamilyFont(kYaHei, 11), true);
        (*row.selector)->move(30, row.y);
    }
    scrollArea_11->setWidget(scrollAreaWidgetContents_11);

    stackedWidget = new QStackedWidget(groupBox);
    stackedWidget->setObjectName("stackedWidget");
    stackedWidget->setGeometry(445, -11, 201, 241);
    stackedWidget->setMinimumSize(192, 230);
    stackedWidget->setMaximumSize(230, 1111);
    page = new QWidget();
    page->setObjectName("page");
    FixSize(page, 195, 240);
    gridLayout_3 = TightGrid(page, "gridLayout_3");
    stackedWidget->addWidget(page);
    page_2 = new QWidget();
    page_2->setObjectName("page_2");
    gridLayout = TightGrid(page_2, "gridLayout");
    scrollArea_4 = ScrollArea(page_2, "scrollArea_4");
    FixSize(scrollArea_4, 195, 220);
    scrollArea_4->setFrameShape(QFrame::StyledPanel);
    scrollArea_4->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    scrollArea_4->setStyleSheet(kFramedScrollArea);
    scrollAreaWidgetContents_4 = Contents("scrollAreaWidgetContents_4", 195, 420);
    verticalLayout_9 = ButtonColumn(scrollAreaWidgetContents_4, "verticalLayout_9");
    const struct { QToolButton** button; const char* name; int pointSize; bool custom; } categories[] = {
        {&LeftKey_3, "LeftKey_3", 8, false}, {&RightKey_3, "RightKey_3", 8, false}, {&MidKey, "MidKey", 8, false},
        {&BackKey_2, "BackKey_2", 8, false}, {&ForWardKey, "ForWardKey", 8, false}, {&DPI_2, "DPI_2", 8, false},
        {&DPI_3, "DPI_3", 8, false},         {nullptr, "DPI_6", 8, true},           {nullptr, "DPI_8", 8, true},
        {&DPI_5, "DPI_5", 8, false},         {&DPI_13, "DPI_13", 6, false},         {&DPI_11, "DPI_11", 6, false},
        {&DPI_4, "DPI_4", 6, false},         {&DPI_9, "DPI_9", 6, false},           {&DPI_7, "DPI_7", 6, false},
        {&DPI_12, "DPI_12", 7, false},       {&DPI_10, "DPI_10", 8, false},
    };
    for (const auto& category : categories) {
        QToolButton* button;
        const QFont font = FamilyFont(kYaHei, category.pointSize);
        if (category.custom) {
            MyToolButton* custom = FamilyButton<MyToolButton>(scrollAreaWidgetContents_4, category.name, 164, 22, font, true);
            (qstrcmp(category.name, "DPI_6") == 0 ? DPI_6 : DPI_8) = custom;
            button = custom;
        } else {
            button = FamilyButton(scrollAreaWidgetContents_4, category.name, 164, 22, font, true);
            *category.button = button;
        }
        verticalLayout_9->addWidget(button);
    }
    scrollArea_4->setWidget(scrollAreaWidgetContents_4);
    gridLayout->addWidget(scrollArea_4, 0, 0, 1, 1);
    stackedWidget->addWidget(page_2);

    groupBox_4 = new QGroupBox(groupBox);
    groupBox_4->setObjectName("groupBox_4");
    groupBox_4->setGeometry(643, -11, 211, 241);
    stackedWidget_2 = new QStackedWidget(groupBox_4);
    stackedWidget_2->setObjectName("stackedWidget_2");
    stackedWidget_2->setGeometry(0, 0, 213, 238);
    stackedWidget_2->setMinimumSize(213, 200);
    stackedWidget_2->setMaximumSize(213, 1111111);

    FunctionPage multimedia = MakeFunctionPage(stackedWidget_2, "page_3", "gridLayout_2", "scrollArea_3",
                                               "scrollAreaWidgetContents_3", 500, "verticalLayout_4");
    multimedia.AssignTo(page_3, gridLayout_2, scrollArea_3, scrollAreaWidgetContents_3, verticalLayout_4);
    const struct { QToolButton** button; const char* name; } media[] = {
        {&Player, "Player"},           {&StartPause_2, "StartPause_2"},   {&BackMusic_2, "BackMusic_2"},
        {&TopMusic_2, "TopMusic_2"},   {&Mute, "Mute"},                   {&VolumeUp, "VolumeUp"},
        {&VolumeDown, "VolumeDown"},   {&VolumeDown_4, "VolumeDown_4"},   {&VolumeDown_5, "VolumeDown_5"},
        {&VolumeDown_6, "VolumeDown_6"}, {&VolumeDown_3, "VolumeDown_3"}, {&VolumeDown_8, "VolumeDown_8"},
        {&VolumeDown_9, "VolumeDown_9"}, {&VolumeDown_7, "VolumeDown_7"}, {&VolumeDown_10, "VolumeDown_10"},
        {&VolumeDown_12, "VolumeDown_12"}, {&VolumeDown_13, "VolumeDown_13"}, {&VolumeDown_11, "VolumeDown_11"},
    };
    for (const auto& entry : media)
        *entry.button = FunctionButton(scrollAreaWidgetContents_3, verticalLayout_4, entry.name);
    verticalSpacer_3 = Spacer(verticalLayout_4);

    FunctionPage macros = MakeFunctionPage(stackedWidget_2, "page_5", "gridLayout_5", "scrollArea_7",
                                           "scrollAreaWidgetContents_7", 220, "verticalLayout_6");
    macros.AssignTo(page_5, gridLayout_5, scrollArea_7, scrollAreaWidgetContents_7, verticalLayout_6);

    FunctionPage lighting = MakeFunctionPage(stackedWidget_2, "page_6", "gridLayout_6", "scrollArea_8",
                                             "scrollAreaWidgetContents_8", 220, "verticalLayout_10");
    lighting.AssignTo(page_6, gridLayout_6, scrollArea_8, scrollAreaWidgetContents_8, verticalLayout_10);
    VolumeUp_4 = FunctionButton(scrollAreaWidgetContents_8, verticalLayout_10, "VolumeUp_4");
    VolumeUp_5 = FunctionButton(scrollAreaWidgetContents_8, verticalLayout_10, "VolumeUp_5");
    VolumeUp_6 = FunctionButton(scrollAreaWidgetContents_8, verticalLayout_10, "VolumeUp_6");
    VolumeUp_7 = FunctionButton(scrollAreaWidgetContents_8, verticalLayout_10, "VolumeUp_7");
    verticalSpacer = Spacer(verticalLayout_10);

    FunctionPage dpiLock = MakeFunctionPage(stackedWidget_2, "page_8", "gridLayout_8", "scrollArea_10",
                                            "scrollAreaWidgetContents_10", 400, "verticalLayout_12");
    dpiLock.AssignTo(page_8, gridLayout_8, scrollArea_10, scrollAreaWidgetContents_10, verticalLayout_12);
    const struct { QToolButton** button; const char* name; } locks[] = {
        {&VolumeUp_11, "VolumeUp_11"}, {&VolumeUp_12, "VolumeUp_12"}, {&VolumeUp_13, "VolumeUp_13"},
        {&VolumeUp_16, "VolumeUp_16"}, {&VolumeUp_15, "VolumeUp_15"}, {&VolumeUp_19, "VolumeUp_19"},
        {&VolumeUp_20, "VolumeUp_20"}, {&VolumeUp_22, "VolumeUp_22"}, {&VolumeUp_18, "VolumeUp_18"},
        {&VolumeUp_24, "VolumeUp_24"}, {&VolumeUp_23, "VolumeUp_23"}, {&VolumeUp_21, "VolumeUp_21"},
    };
    for (const auto& entry : locks)
        *entry.button = FunctionButton(scrollAreaWidgetContents_10, verticalLayout_12, entry.name);

    page_9 = new QWidget();
    page_9->setObjectName("page_9");
    groupBox_2 = new QGroupBox(page_9);
    groupBox_2->setObjectName("groupBox_2");
    groupBox_2->setGeometry(10, 0, 200, 241);
    groupBox_2->setStyleSheet("#groupBox_2{border:2px solid rgb(119, 119, 119);}");
    label_3 = new QLabel(groupBox_2);
    label_3->setObjectName("label_3");
    label_3->setGeometry(0, 20, 201, 31);
    label_3->setFont(FamilyFont(kYaHei, 11));
    label_3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label_3->setStyleSheet("color: rgb(255, 255, 255);");
    DebunceButton = new DebounceTime(groupBox_2);
    DebunceButton->setObjectName("DebunceButton");
    DebunceButton->setGeometry(35, 50, 165, 37);
    DebunceButton->setFrameShape(QFrame::StyledPanel);
    DebunceButton->setFrameShadow(QFrame::Raised);
    stackedWidget_2->addWidget(page_9);

    FunctionPage tilt = MakeFunctionPage(stackedWidget_2, "page_4", "gridLayout_4", "scrollArea_6",
                                         "scrollAreaWidgetContents_6", 220, "verticalLayout_5");
    tilt.AssignTo(page_4, gridLayout_4, scrollArea_6, scrollAreaWidgetContents_6, verticalLayout_5);
    VolumeUp_2 = FunctionButton(scrollAreaWidgetContents_6, verticalLayout_5, "VolumeUp_2");
    VolumeDown_2 = FunctionButton(scrollAreaWidgetContents_6, verticalLayout_5, "VolumeDown_2");
    verticalSpacer_2 = Spacer(verticalLayout_5);

    FunctionPage dpiSwitch = MakeFunctionPage(stackedWidget_2, "page_7", "gridLayout_7", "scrollArea_9",
                                              "scrollAreaWidgetContents_9", 220, "verticalLayout_11");
    dpiSwitch.AssignTo(page_7, gridLayout_7, scrollArea_9, scrollAreaWidgetContents_9, verticalLayout_11);
    VolumeUp_8 = FunctionButton(scrollAreaWidgetContents_9, verticalLayout_11, "VolumeUp_8");
    VolumeUp_9 = FunctionButton(scrollAreaWidgetContents_9, verticalLayout_11, "VolumeUp_9");
    VolumeUp_10 = FunctionButton(scrollAreaWidgetContents_9, verticalLayout_11, "VolumeUp_10");
    verticalSpacer_4 = Spacer(verticalLayout_11);

    FunctionPage wheel = MakeFunctionPage(stackedWidget_2, "page_10", "gridLayout_10", "scrollArea_12",
                                          "scrollAreaWidgetContents_12", 220, "verticalLayout_7");
    wheel.AssignTo(page_10, gridLayout_10, scrollArea_12, scrollAreaWidgetContents_12, verticalLayout_7);
    VolumeUp_14 = FunctionButton(scrollAreaWidgetContents_12, verticalLayout_7, "VolumeUp_14");
    VolumeDown_14 = FunctionButton(scrollAreaWidgetContents_12, verticalLayout_7, "VolumeDown_14");
    verticalSpacer_5 = Spacer(verticalLayout_7);

    ProjectChoose = new MyConmboBox(MainWindow);
    ProjectChoose->setObjectName("ProjectChoose");
    ProjectChoose->setGeometry(60, 25, 128, 24);
    FixSize(ProjectChoose, 128, 24);
    ProjectChoose->setFont(FamilyFont(kYaHei, 11));
    ProjectChoose->setFocusPolicy(Qt::NoFocus);

    Reset = FamilyButton(MainWindow, "Reset", 90, 26, FamilyFont(kYaHei, 10), false);
    Reset->move(580, 350);

    retranslateUi(Buttoninterface);
    stackedWidget->setCurrentIndex(1);
    stackedWidget_2->setCurrentIndex(4);
    QMetaObject::connectSlotsByName(Buttoninterface);
}

void Ui_Buttoninterface::retranslateUi(QWidget* Buttoninterface)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("Buttoninterface", text); };
    Buttoninterface->setWindowTitle(tr("Form"));
    label->setText(QString());
    QToolButton* const badges[] = {Number1, Number2, Number3, Number4, Number5, Number6};
    for (int i = 0; i < 6; ++i)
        badges[i]->setText(QString::number(i + 1));
    OutputData->setText(tr("导出"));
    ImportData->setText(tr("导入"));
    groupBox->setTitle(QString());
    QLabel* const numberLabels[] = {label_14, label_9, label_15, label_11, label_12, label_13};
    for (int i = 0; i < 6; ++i)
        numberLabels[i]->setText(QString::number(i + 1));
    FireKey->setText(tr("左键"));
    RightKey->setText(tr("右键"));
    BackKey->setText(tr("中键"));
    StartPause->setText(tr("后退键"));
    TopMusic->setText(tr("前进键"));
    BackMusic->setText(tr("下一曲"));
    LeftKey_3->setText(tr("左键"));
    RightKey_3->setText(tr("右键"));
    MidKey->setText(tr("中键"));
    BackKey_2->setText(tr("后退键"));
    ForWardKey->setText(tr("前进键"));
    DPI_2->setText(tr("切换报告率"));
    DPI_3->setText(tr("配置切换"));
    DPI_6->setText(tr("火力键"));
    DPI_8->setText(tr("组合键"));
    DPI_5->setText(tr("待定义按键"));
    DPI_13->setText(tr("鼠标上/下滚"));
    DPI_11->setText(tr("鼠标左/右滚"));
    DPI_4->setText(tr("DPI锁定"));
    DPI_9->setText(tr("开关装饰灯"));
    DPI_7->setText(tr("DPI切换"));
    DPI_12->setText(tr("多媒体功能"));
    DPI_10->setText(tr("宏定义"));
    groupBox_4->setTitle(QString());
    Player->setText(tr("播放器"));
    StartPause_2->setText(tr("播放/暂停"));
    BackMusic_2->setText(tr("下一曲"));
    TopMusic_2->setText(tr("上一曲"));
    Mute->setText(tr("停止播放"));
    VolumeUp->setText(tr("静音"));
    VolumeDown->setText(tr("音量加"));
    VolumeDown_4->setText(tr("音量减"));
    VolumeDown_5->setText(tr("邮件"));
    VolumeDown_6->setText(tr("计算器"));
    VolumeDown_3->setText(tr("我的电脑"));
    VolumeDown_8->setText(tr("主页"));
    VolumeDown_9->setText(tr("搜索"));
    VolumeDown_7->setText(tr("前进"));
    VolumeDown_10->setText(tr("后退"));
    VolumeDown_12->setText(tr("停止网页"));
    VolumeDown_13->setText(tr("刷新"));
    VolumeDown_11->setText(tr("收藏夹"));
    VolumeUp_4->setText(tr("开/关所有装饰灯"));
    VolumeUp_5->setText(tr("开/关DPI指示灯"));
    VolumeUp_6->setText(tr("开/关灯带"));
    VolumeUp_7->setText(tr("循环切换灯带效果"));
    QToolButton* const locks[] = {VolumeUp_11, VolumeUp_12, VolumeUp_13, VolumeUp_16, VolumeUp_15, VolumeUp_19,
                                  VolumeUp_20, VolumeUp_22, VolumeUp_18, VolumeUp_24, VolumeUp_23, VolumeUp_21};
    for (int i = 0; i < 12; ++i)
        locks[i]->setText(QString::number((i + 1) * 100));
    groupBox_2->setTitle(QString());
    label_3->setText(tr("按钮防抖时间"));
    VolumeUp_2->setText(tr("左滚"));
    VolumeDown_2->setText(tr("右滚"));
    VolumeUp_8->setText(tr("DPI循环"));
    VolumeUp_9->setText(tr("DPI+"));
    VolumeUp_10->setText(tr("DPI-"));
    VolumeUp_14->setText(tr("上滚"));
    VolumeDown_14->setText(tr("下滚"));
    Reset->setText(tr("恢复出厂"));
}
