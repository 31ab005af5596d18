#include "pages/buttons/Buttoninterface.h"

#include "core/ConfigIni.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/DeviceCache.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/DpiCodes.h"
#include "device/KeyCodes.h"
#include "device/Senders.h"
#include "device/Worker.h"
#include "pages/buttons/ButtonFunctionTables.h"
#include "pages/buttons/ButtonMacroFiles.h"
#include "pages/buttons/MacroDownloads.h"
#include "pages/buttons/SelectorRestore.h"
#include "pages/buttons/Ui_Buttoninterface.h"
#include "pages/sensor/DebounceFrames.h"
#include "platform/UserDataFolder.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyToolButton.h"

#include <QButtonGroup>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>

#include <algorithm>

int g_OpenedModelMid = 0;

namespace {

// A model's number of keys, from its "KeyNumber"; at most the record's sixteen.
int ModelKeyCount()
{
    const QString group = ModelGroup(g_CurrentDevice.Snapshot().ModelIndex);
    const int count = ConfigIni::GetInstance()->Value(group, "KeyNumber").toInt();
    return std::clamp(count, 0, ButtonCount);
}

// The language texts of the page in element order; k is the index of an element.
const char* const kTextTargets[] = {
    nullptr,        "Reset",         "ImportData",   "OutputData",    "FireKey",       "RightKey",
    "BackKey",      "StartPause",    "TopMusic",     "BackMusic",     "LeftKey_3",     "RightKey_3",
    "MidKey",       "BackKey_2",     "ForWardKey",   "DPI_2",         "DPI_3",         "DPI_6",
    "DPI_8",        "DPI_5",         "DPI_13",       "DPI_11",        "DPI_10",        "DPI_9",
    "DPI_7",        "DPI_12",        "DPI_4",        "Player",        "StartPause_2",  "BackMusic_2",
    "TopMusic_2",   "Mute",          "VolumeUp",     "VolumeDown",    "VolumeDown_4",  "VolumeDown_5",
    "VolumeDown_6", "VolumeDown_3",  "VolumeDown_8", "VolumeDown_9",  "VolumeDown_7",  "VolumeDown_10",
    "VolumeDown_12", "VolumeDown_13", "VolumeDown_11", "VolumeUp_4",  "VolumeUp_5",    "VolumeUp_6",
    "VolumeUp_7",   "label_3",       "VolumeUp_2",   "VolumeDown_2",  "VolumeUp_8",    "VolumeUp_14",
    "VolumeDown_14",
};
constexpr int kMacroPrefixText = 55;
constexpr int kConfigPrefixText = 56;
constexpr int kDebounceUnitText = 57;

const char* const kCategoryNames[] = {"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey", "DPI_2",
                                      "DPI_3",     "DPI_4",      "DPI_5",  "DPI_6",     "DPI_7",      "DPI_8",
                                      "DPI_9",     "DPI_10",     "DPI_11", "DPI_12",    "DPI_13"};

QString TransparentSheet()
{
    return "background-color:transparent;border:none;";
}

QString FunctionPageSheet(const QString& p, const QString& b)
{
    return "QToolButton{color: rgb(" + b + ";);border-image: " + StyleUrl(p + "CMenuTitle.png") + ";}"
           "QToolButton:checked{color: rgb(" + b + ";);border-image: " + StyleUrl(p + "CMenuTitleChecked.png")
           + "; }";
}

QString CategorySheet(const QString& p, const QString& picture, const QString& checkedPicture)
{
    return "QToolButton{border:0px;color: rgb(255,255,255);background-position:center;background-repeat:no-repeat;"
           "background-image: " + StyleUrl(p + picture) + ";}"
           "QToolButton:checked{color: rgb(255,255,255);background-image: " + StyleUrl(p + checkedPicture) + ";}";
}

} // namespace

Buttoninterface::Buttoninterface(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui_Buttoninterface)
    , m_SensorDefines(ReadSensorHeader(SensorHeaderPath(), SwitchNamedDefines::Drop).defines)
    , m_MacroDownloads(new MacroDownloads(
          {[this](const QString& name) { return KeysShowingMacro(name); },
           [this](int key) { RebuildMacroFileFromKey(key, m_ShownRecord.Buttons[key].Param2, m_ShownRecord); },
           [this](const QString& name, int key) { SelectorOfKey(key)->setText(MacroPrefix + name); },
           [this](bool noted) { TellMacroSavedHere(noted); }},
          this))
{
    ui->setupUi(this);
    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));
    connect(hub, SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this, SLOT(SlotDeviceChosen()));
    PicturePath = PictureFolder("Buttoninterface");
    MainPagePath = UserDataFolder() + "/usersetting/MainPage";
    QDir().mkpath(MainPagePath);
    SelectorGroup = new QButtonGroup(this);
    CategoryGroup = new QButtonGroup(this);
    FunctionGroup = new QButtonGroup(this);
    BuildButtonGroups();
    ButtonColorText = OptionColorText("ButtonColor");
    BuildMacroButtons();
    // Profile switching and the lighting toggles are not offered as categories.
    ui->DPI_3->hide();
    ui->DPI_9->hide();
    LayStyleSheets();
    ConnectFunctionButtons();

    connect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotUpDataButtonUIButton(FlashDataMap)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataConfigUI(int, int, bool)), this, SLOT(SlotUpDataConfigUI(int, int, bool)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this, SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigAddMacroButton()), this, SLOT(SlotAddMacroButton()));
    connect(hub, SIGNAL(SigDeleteMacroButton(QString)), this, SLOT(SlotDeleteMacroButton(QString)));
    connect(hub, SIGNAL(SigMacroSaving(QString)), this, SLOT(SlotMacroSaving(QString)));
    connect(hub, SIGNAL(SigUpDataMacro(QString, int)), this, SLOT(SlotUpDataMacro(QString, int)));
    connect(hub, SIGNAL(SigMacroRename(QString, QString)), this, SLOT(SlotMacroRename(QString, QString)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetButton()), Qt::BlockingQueuedConnection);

    m_Worker = new Worker();
    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
}

Buttoninterface::~Buttoninterface()
{
    // The Worker's destructor ends the device thread, serving the blocking
    // emissions a pass under way waits for, so this cannot wait forever.
    delete m_Worker;
    StopUsbChanged();
    delete ui;
}

void Buttoninterface::LayStyleSheets()
{
    const QString& p = PicturePath;
    const QString& b = ButtonColorText;
    const QString functionSheet = FunctionPageSheet(p, b);
    const QList<QPair<QWidget*, QWidget*>> functionPages = {
        {ui->scrollAreaWidgetContents_3, ui->page_3}, {ui->scrollAreaWidgetContents_4, ui->page_9},
        {ui->scrollAreaWidgetContents_6, ui->page_4}, {ui->scrollAreaWidgetContents_8, ui->page_6},
        {ui->scrollAreaWidgetContents_9, ui->page_7}, {ui->scrollAreaWidgetContents_12, ui->page_10},
        {ui->scrollAreaWidgetContents_10, ui->page_8},
    };
    for (const auto& pair : functionPages) {
        pair.first->setStyleSheet(TransparentSheet());
        pair.second->setStyleSheet(functionSheet);
    }
    ui->scrollAreaWidgetContents_11->setStyleSheet(
        "#scrollAreaWidgetContents_11{background-color:transparent;border:none;}"
        "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(" + b + ";);"
        "background-image: " + StyleUrl(p + "AMenuTitle.png") + ";}"
        "QToolButton:checked{background-image: " + StyleUrl(p + "AMenuTitleChecked.png") + "; }"
        "QToolButton:unchecked{background-image: " + StyleUrl(p + "AMenuTitle.png") + "; }"
        "QLabel{color: rgb(255, 255, 255);border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: " + StyleUrl(p + "LabelNumber.png") + ";}");
    ui->scrollArea_11->setFrameShape(QFrame::NoFrame);
    StyleComboBox(ui->ProjectChoose, p, OptionComboBoxColors());
    ui->label_3->setStyleSheet(LabelStyle(OptionColorText("LabelColor")));

    const QString pageButtonSheet =
        ColoredButtonStyle("QToolButton", PictureProperty::Border, p, b, {"Reset.png", "ResetHover.png", "ResetClick.png", {}});
    for (QToolButton* button : {ui->Reset, ui->ImportData, ui->OutputData})
        button->setStyleSheet(pageButtonSheet);
    const QString badgeSheet =
        "QToolButton{color: rgb(255, 255, 255);border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: " + StyleUrl(p + "NumberOrigin.png") + ";}"
        "QToolButton:hover{background-image: " + StyleUrl(p + "NumberHover.png") + ";}"
        "QToolButton:pressed{padding-left: 0px;background-image: " + StyleUrl(p + "NumberClick.png") + ";}";
    for (QToolButton* badge : {ui->Number1, ui->Number2, ui->Number3, ui->Number4, ui->Number5, ui->Number6})
        badge->setStyleSheet(badgeSheet);
    const QString assigningSheet = CategorySheet(p, "BMenuTitle.png", "BMenuTitleChecked.png");
    for (QToolButton* button : std::initializer_list<QToolButton*>{ui->LeftKey_3, ui->RightKey_3, ui->MidKey, ui->BackKey_2, ui->ForWardKey, ui->DPI_2,
                                ui->DPI_3, ui->DPI_6, ui->DPI_8,
                                ui->DPI_5})
        button->setStyleSheet(assigningSheet);
    const QString openingSheet = CategorySheet(p, "BMenuTitleB.png", "BMenuTitleCheckedB.png");
    for (QToolButton* button : {ui->DPI_13, ui->DPI_11, ui->DPI_10, ui->DPI_9, ui->DPI_7, ui->DPI_12, ui->DPI_4})
        button->setStyleSheet(openingSheet);
    ui->label->setStyleSheet("#label{border:0px;color: rgb(255, 255, 255);background-position:center;"
                             "background-repeat:no-repeat;background-image: " + StyleUrl(p + "Config.png") + ";}");
    ui->groupBox->setStyleSheet("#groupBox {border: 0;background-image: " + StyleUrl(p + "TiltleBack.png") + ";}");
    for (QWidget* frame : std::initializer_list<QWidget*>{
             ui->groupBox_4, ui->groupBox_2, ui->scrollArea_4, ui->scrollArea_3, ui->scrollArea_7, ui->scrollArea_8,
             ui->scrollArea_10, ui->scrollArea_6, ui->scrollArea_9, ui->scrollArea_12})
        frame->setStyleSheet("#" + frame->objectName() + " {border: 0;}");
}

void Buttoninterface::BuildButtonGroups()
{
    for (QButtonGroup* group : {SelectorGroup, CategoryGroup, FunctionGroup})
        group->setExclusive(true);
    for (const char* name : kSelectorNames)
        SelectorGroup->addButton(Button(name));
    for (const char* name : kCategoryNames)
        CategoryGroup->addButton(Button(name));
    for (const MultimediaKey& key : kMultimediaKeys)
        FunctionGroup->addButton(Button(key.button));
    for (const FixedFunction& function : kSubPageFunctions)
        FunctionGroup->addButton(Button(function.button));
    for (const DpiLockButton& lock : kDpiLockButtons)
        FunctionGroup->addButton(Button(lock.button));
}

QToolButton* Buttoninterface::Button(const char* objectName) const
{
    return findChild<QToolButton*>(QString::fromLatin1(objectName));
}

QToolButton* Buttoninterface::SelectorOfKey(int key) const
{
    const char* name = SelectorNameOfKey(key);
    return name ? Button(name) : nullptr;
}

void Buttoninterface::StoreKeyAssignment(int key, int type, int code, int extra)
{
    if (key < 0 || key >= ButtonCount)
        return;
    for (QVector<int>* entries : {&KeyTypes, &KeyCodes, &KeyExtras})
        if (entries->size() <= key)
            entries->resize(key + 1);
    KeyTypes[key] = type;
    KeyCodes[key] = code;
    KeyExtras[key] = extra;
}

int Buttoninterface::KeyEntry(const QVector<int>& entries, int key) const
{
    return key >= 0 && key < entries.size() ? entries.at(key) : -1;
}

void Buttoninterface::UncheckAllFunctions()
{
    FunctionGroup->setExclusive(false);
    for (QAbstractButton* button : FunctionGroup->buttons())
        button->setChecked(false);
    for (QToolButton* button : MacroButtons)
        button->setChecked(false);
    FunctionGroup->setExclusive(true);
}

void Buttoninterface::UncheckCategories()
{
    CategoryGroup->setExclusive(false);
    for (QAbstractButton* button : CategoryGroup->buttons())
        button->setChecked(false);
    CategoryGroup->setExclusive(true);
}

void Buttoninterface::BackToIdle(QWidget* scrollAreaOfBar)
{
    auto* area = static_cast<QScrollArea*>(scrollAreaOfBar ? scrollAreaOfBar : ui->scrollArea_11);
    ui->stackedWidget->setCurrentWidget(ui->page);
    area->verticalScrollBar()->setStyleSheet("QScrollBar {width:10px;}");
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
}

void Buttoninterface::DeselectSelectors()
{
    SelectorGroup->setExclusive(false);
    for (const char* name : kSelectorNames)
        Button(name)->setChecked(false);
    SelectorGroup->setExclusive(true);
}

void Buttoninterface::SlotDeviceChosen()
{
    m_MacroDownloads->PagesShown();
    DeselectSelectors();
    UncheckCategories();
    UncheckAllFunctions();
    BackToIdle();
}

void Buttoninterface::SlotMouseIndex(int index)
{
    ui->widget->setStyleSheet("#widget{border:0px;background-position:center;background-repeat:no-repeat;"
                              "background-image: " + StyleUrl(PicturePath + "mouse" + QString::number(index) + ".png")
                              + ";}");
    const bool fiveKeys = QList<int>{3, 6, 7, 8, 9}.contains(g_OpenedModelMid);
    ui->Number6->setVisible(!fiveKeys);
    ui->label_13->setVisible(!fiveKeys);
    ui->BackMusic->setVisible(!fiveKeys);
    const struct { QWidget* label; QWidget* selector; int sixKeyY; int fiveKeyY; } rows[] = {
        {ui->label_9, ui->RightKey, 40, 47},
        {ui->label_15, ui->BackKey, 75, 89},
        {ui->label_11, ui->StartPause, 109, 130},
        {ui->label_12, ui->TopMusic, 144, 168},
    };
    for (const auto& row : rows) {
        const int y = fiveKeys ? row.fiveKeyY : row.sixKeyY;
        row.label->move(0, y + 1);
        row.selector->move(30, y);
    }
}

void Buttoninterface::SlotUpDataButtonUIButton(FlashDataMap DataMap)
{
    ShowRecord(DataMap, true);
}

void Buttoninterface::SlotUpDataButtonUIB(FlashDataMap DataMap)
{
    ShowRecord(DataMap, false);
}

void Buttoninterface::ShowRecord(const FlashDataMap& record, bool fullRead)
{
    if (fullRead)
        g_ButtonPageUpdated = false;
    g_ButtonPageLoading = true;
    m_ShownRecord = record;
    if (fullRead)
        PostMsg::GetInstance()->EmitLightToFrom(record.SleepTime * 10);
    m_SensorName = ConfigIni::GetInstance()->Value(ModelGroup(g_CurrentDevice.Snapshot().ModelIndex), "Sensor");
    OfferKeptDpiLocks();
    if (!fullRead)
        PostMsg::GetInstance()->EmitLightToFrom(record.SleepTime * 10);
    const int keys = ModelKeyCount();
    KeyTypes.clear();
    KeyCodes.clear();
    KeyExtras.clear();
    for (int k = 0; k < keys; ++k) {
        KeyTypes << record.Buttons[k].Type;
        KeyCodes << record.Buttons[k].Param1;
        KeyExtras << record.Buttons[k].Param2;
    }
    for (int k = 0; k < keys; ++k)
        ShowKeyAssignment(k, KeyTypes.at(k), KeyCodes.at(k), KeyExtras.at(k), record);
    ui->DebunceButton->SetCurrentIndexSilently(record.ButtonDebounce);
    // The offline copy shown while the device is away is not what it holds now.
    m_MacroDownloads->RecordShown(DeviceTakesChanges());
    if (fullRead)
        g_ButtonPageUpdated = true;
    g_ButtonPageLoading = false;
}

void Buttoninterface::ShowKeyAssignment(int key, int type, int code, int extra, FlashDataMap record)
{
    QToolButton* selector = SelectorOfKey(key);
    if (!selector)
        return;
    if (type == 5) {
        const KeyEventRecord& events = record.KeyEvents[key];
        if (events.Events[0].Kind == EventKindConsumer) {
            if (const MultimediaKey* media = MultimediaKeyByLowByte(events.Events[0].Code & 0xFF))
                selector->setText(Button(media->button)->text());
        } else {
            selector->setText(KeyCombinationText(events));
        }
    } else if (type == 6) {
        const QString name = MacroBlockName(record.Macros[key]);
        selector->setText(MacroPrefix + name);
        // A copy of a macro whose last save a mouse lacks is decided on once
        // the mouse and its profile are known.
        if (!m_MacroDownloads->IsKept(name))
            RebuildMacroFileFromKey(key, extra, record);
    } else if (type == 10) {
        selector->setText(ui->DPI_4->text() + "-"
                          + QString::number(SensorCodeToDpi(m_SensorName, m_SensorDefines, code)));
    } else if (const char* name = FunctionButtonName(type, code)) {
        selector->setText(Button(name)->text());
    }
}

void Buttoninterface::RebuildMacroFileFromKey(int key, int loop, const FlashDataMap& record)
{
    WriteMacroLoopFile(MacroBlockName(record.Macros[key]), QString::number(loop));
    PostMsg::GetInstance()->EmitButtonToMacro(record, key);
}

void Buttoninterface::SlotFormResetButton()
{
    g_ButtonPageLoading = true;
    m_ShownRecord = FlashDataMap{};
    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    KeyTypes = {1, 1, 1, 1, 1, 2};
    KeyCodes = {1, 2, 4, 8, 16, 1};
    KeyExtras = {0, 0, 0, 0, 0, 0};
    // Every selector names the factory function, whatever the device shown
    // before had on it.
    for (int k = 0; k < KeyTypes.size(); ++k)
        ShowKeyAssignment(k, KeyTypes.at(k), KeyCodes.at(k), KeyExtras.at(k), m_ShownRecord);
    ui->DebunceButton->SetCurrentIndexSilently(g_OpenedModelMid == 3 ? 0 : 8);
    m_MacroDownloads->RecordShown(false);
    PostMsg::GetInstance()->EmitLightToFrom(60);
    g_ButtonPageLoading = false;
}

void Buttoninterface::SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable)
{
    MyConmboBox* box = ui->ProjectChoose;
    box->clear();
    box->blockSignals(true);
    const int items = ToTalItem == 0 ? 1 : std::max(ToTalItem, 0);
    for (int j = 0; j < items; ++j)
        box->insertItem(j, ConfigPrefix + QString::number(j + 1));
    box->blockSignals(false);
    box->setEnabled(ItemEnable);
    if (ToTalItem > 0)
        box->setCurrentIndex(SelectIndex);
    m_MacroDownloads->ProfileShown(ToTalItem > 0 ? SelectIndex : 0, std::max(ToTalItem, 1));
}

void Buttoninterface::SlotAllLanguage(int index)
{
    const auto text = [index](int k, const QString& current) {
        return LanguageTextInRow(g_LangTextsButtoninterface, index, k, current);
    };
    QFont categoryFont("微软雅黑");
    categoryFont.setPointSize(index == 4 ? 7 : 9);
    for (const char* name : kCategoryNames)
        Button(name)->setFont(categoryFont);
    const int lastTarget = int(sizeof kTextTargets / sizeof kTextTargets[0]) - 1;
    for (int k = 1; k <= lastTarget; ++k) {
        QWidget* target = findChild<QWidget*>(kTextTargets[k]);
        if (auto* label = qobject_cast<QLabel*>(target)) {
            label->setText(text(k, label->text()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
            if (k == 2 || k == 3)
                button->setToolTip(index == 5 ? text(k, button->text()) : QString());
            button->setText(text(k, button->text()));
        }
    }
    MacroPrefix = text(kMacroPrefixText, MacroPrefix);
    ConfigPrefix = text(kConfigPrefixText, ConfigPrefix);
    const QString unit = text(kDebounceUnitText, QString());
    for (int i = 0; i <= 20; ++i)
        ui->DebunceButton->SetItemNumberText(i, unit);

    // The keys refill from what the other pages show: online the record held
    // (once the model has its offline copy), offline the model's own record.
    FlashDataMap source{};
    if (g_DeviceOnline) {
        if (!LoadDeviceCache(g_DeviceCacheName.Snapshot(), source))
            return;
        source = g_FlashData.Snapshot();
    } else if (!TakeOfflineRecord(source)) {
        return;
    }
    const int keys = ModelKeyCount();
    KeyTypes.clear();
    KeyCodes.clear();
    KeyExtras.clear();
    for (int k = 0; k < keys; ++k) {
        KeyTypes << source.Buttons[k].Type;
        KeyCodes << source.Buttons[k].Param1;
        KeyExtras << source.Buttons[k].Param2;
    }
    for (int k = 0; k < keys; ++k)
        ShowKeyAssignment(k, KeyTypes.at(k), KeyCodes.at(k), KeyExtras.at(k), source);

    MyConmboBox* box = ui->ProjectChoose;
    const int count = box->count();
    const int current = box->currentIndex();
    box->blockSignals(true);
    box->clear();
    for (int j = 0; j < count; ++j)
        box->insertItem(j, ConfigPrefix + QString::number(j + 1));
    box->setCurrentIndex(current);
    box->blockSignals(false);
}

void Buttoninterface::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    const int current = ui->ProjectChoose->currentIndex();
    ui->ProjectChoose->blockSignals(true);
    ui->retranslateUi(this);
    ui->ProjectChoose->setCurrentIndex(current);
    ui->ProjectChoose->blockSignals(false);
}

void Buttoninterface::mousePressEvent(QMouseEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress || event->button() != Qt::LeftButton)
        return;
    // The page compares its own coordinates with the rectangles of nested
    // widgets in their parents' coordinates; the category stack lies 340
    // pixels lower on the page than its rectangle says.
    const QPoint at = event->pos();
    const QPoint raised(at.x(), at.y() - 340);
    const auto inside = [](const QWidget* widget, const QPoint& point) { return widget->geometry().contains(point); };
    const auto categoryShown = [this] { return ui->stackedWidget->currentIndex() != 0; };
    const auto functionShown = [this] { return ui->stackedWidget_2->currentIndex() != 4; };

    if (categoryShown() && functionShown()) {
        if (!inside(ui->groupBox, at))
            BackToIdle();
    } else if (categoryShown() && !functionShown()) {
        if (!inside(ui->scrollArea_11, at) && !inside(ui->stackedWidget, raised))
            BackToIdle();
    }
    if (!categoryShown() && !functionShown()) {
        if (!inside(ui->scrollArea_11, at) || inside(ui->stackedWidget, raised)) {
            DeselectSelectors();
            BackToIdle();
        }
    } else if (categoryShown() && !functionShown()) {
        if (!inside(ui->groupBox, at)) {
            DeselectSelectors();
            BackToIdle();
        }
    } else if (categoryShown() && functionShown()) {
        if (!inside(ui->scrollArea_11, at) && !inside(ui->stackedWidget, at) && !inside(ui->stackedWidget_2, at)) {
            DeselectSelectors();
            BackToIdle();
        }
    }
    if (inside(ui->widget, at)) {
        DeselectSelectors();
        BackToIdle();
    }
}

void Buttoninterface::on_stackedWidget_currentChanged(int index)
{
    if (index == 0)
        return;
    CategoryGroup->setExclusive(false);
    CategoryGroup->setExclusive(true);
}

void Buttoninterface::RestoreSelector2() { RestoreSelectorFromFile(this, 2); }
void Buttoninterface::RestoreSelector3() { RestoreSelectorFromFile(this, 3); }
void Buttoninterface::RestoreSelector4() { RestoreSelectorFromFile(this, 4); }
void Buttoninterface::RestoreSelector5() { RestoreSelectorFromFile(this, 5); }
void Buttoninterface::RestoreSelector6() { RestoreSelectorFromFile(this, 6); }
