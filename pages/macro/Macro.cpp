#include "pages/macro/Macro.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/KeyCodes.h"
#include "pages/buttons/AddDelayTime.h"
#include "pages/buttons/addKey.h"
#include "pages/macro/Ui_Macro.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PageDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

bool g_MacroRecording = false;

namespace {

// The two lists: white rows on the page's background, the selected row in
// blue, and a scroll bar with arrow pictures.
QString ListStyle(const QString& objectName, const QString& pictureDir)
{
    const QString list = "#" + objectName;
    const QString bar = list + " QScrollBar";
    const QString selected = "{background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #005df9, stop:1 #005df9);"
                             "color: rgb(255, 255, 255);}";
    return list + "{background-color: transparent;color: rgb(255, 255, 255);outline: 0px;}"
           + list + "::item:selected:active" + selected + list + "::item:selected:!active" + selected
           + list + "::item:hover{background-color: transparent;}"
           + bar + ":vertical{width:20px;background:rgb(30,30,30);margin:22px 0px 22px 0px;}"
           + bar + "::handle:vertical{background:rgb(117,117,117);border-radius:3px;min-height:30px;"
                   "margin:2px 4px 2px 6px;}"
           + bar + "::add-line:vertical{height:25px;subcontrol-position:bottom;subcontrol-origin:margin;"
                   "background:rgb(30,30,30);}"
           + bar + "::sub-line:vertical{height:25px;subcontrol-position:top;subcontrol-origin:margin;"
                   "background:rgb(30,30,30);}"
           + bar + "::add-page:vertical," + bar + "::sub-page:vertical{background:transparent;}"
           + bar + "::up-arrow:vertical{border-image:" + StyleUrl(pictureDir + "Up.png") + ";width:15px;height:15px;"
                   "margin:1px 2px 1px 4px;}"
           + bar + "::down-arrow:vertical{border-image:" + StyleUrl(pictureDir + "Down.png")
           + ";width:15px;height:15px;"
                   "margin:1px 2px 1px 4px;}";
}

QString SpinBoxStyle(const QString& colorText)
{
    return "QSpinBox{background-color: rgb(63, 63, 63);color: rgb(" + colorText + ";);border: none;}";
}

// The insert-event chooser's items that name the mouse buttons.
enum { LeftButtonItem = 4 };

} // namespace

Macro::Macro(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui_Macro>())
    , m_Context(SetUpForm())
    , m_Files(m_Context)
    , m_Editor(m_Context, m_Files)
    , m_Recorder(m_Context)
    , m_Exchange(m_Context, m_Files)
    , m_Transfer(m_Context, m_Files)
{
    m_Context.AskKeyName = [this](QString& keyName) { return AskKeyName(keyName); };
    m_Context.AskDelay = [this](int& delayMs) { return AskDelay(delayMs); };

    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigButtonToMacro(FlashDataMap,int)), this, SLOT(SlotButtonToMacro(FlashDataMap,int)));
    connect(hub, SIGNAL(SigMacroDownLoadData(QString,int)), this, SLOT(SlotMacroDownLoadData(QString,int)));
    connect(hub, SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));

    m_Files.LoadMacroList();
    ui->StartRecord->setFocusPolicy(Qt::NoFocus);
    ui->StopRecord->hide();
    ui->AutoInsertDelay->setChecked(true);
    // Both the box that loses the check and the one that gains it report.
    connect(LoopModeGroup, &QButtonGroup::idToggled, this, [this](int, bool) { m_Editor.MarkLoopChanged(); });
    ApplyLooks();

    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
}

Macro::~Macro() = default;

MacroPageWidgets Macro::SetUpForm()
{
    ui->setupUi(this);
    DelayModeGroup = new QButtonGroup(this);
    DelayModeGroup->setExclusive(true);
    DelayModeGroup->addButton(ui->AutoInsertDelay);
    DelayModeGroup->addButton(ui->DefaultDelay);
    LoopModeGroup = new QButtonGroup(this);
    LoopModeGroup->setExclusive(true);
    for (QAbstractButton* box : {ui->ReUntilLoose, ui->ReUntilClick, ui->ReNumber, ui->ReUntil})
        LoopModeGroup->addButton(box);

    MacroPageWidgets widgets;
    widgets.page = this;
    widgets.listWidgetHong = ui->listWidgetHong;
    widgets.listWidgetKey = ui->listWidgetKey;
    widgets.LoopModeGroup = LoopModeGroup;
    widgets.ReUntilLoose = ui->ReUntilLoose;
    widgets.ReUntilClick = ui->ReUntilClick;
    widgets.ReUntil = ui->ReUntil;
    widgets.ReNumber = ui->ReNumber;
    widgets.NumberEdit = ui->NumberEdit;
    widgets.AutoInsertDelay = ui->AutoInsertDelay;
    widgets.DelayTime = ui->DelayTime;
    widgets.StartRecord = ui->StartRecord;
    widgets.StopRecord = ui->StopRecord;
    widgets.ChooseEvent = ui->ChooseEvent;
    widgets.Save = ui->Save;
    return widgets;
}

void Macro::ApplyLooks()
{
    const QString& pictures = m_Context.PictureDir;
    ui->listWidgetHong->setStyleSheet(ListStyle(ui->listWidgetHong->objectName(), pictures));
    ui->listWidgetKey->setStyleSheet(ListStyle(ui->listWidgetKey->objectName(), pictures));
    StyleComboBox(ui->ChooseEvent, pictures, OptionComboBoxColors());
    ui->ChooseEvent->setMaxVisibleItems(5);
    m_Context.SetSaveActive(false);

    const QString labelColor = OptionColorText("LabelColor");
    for (QLabel* label : {ui->label, ui->label_2, ui->label_3, ui->AutoInsertDelayLabel, ui->ReUntilLabel,
                          ui->ReUntilClickLabel, ui->ReUntilLooseLabel})
        label->setStyleSheet(LabelStyle(labelColor));
    for (QCheckBox* box : {ui->AutoInsertDelay, ui->DefaultDelay, ui->ReUntilLoose, ui->ReUntilClick, ui->ReUntil,
                           ui->ReNumber})
        box->setStyleSheet(CheckBoxStyle(pictures, labelColor));
    const QString& buttonColor = m_Context.ButtonTextColor;
    const QString toolButtonLook = ColoredButtonStyle("QToolButton", PictureProperty::Background, pictures,
                                                      buttonColor, {"Button.png", "ButtonHover.png", "ButtonClick.png", {}});
    for (QToolButton* button : {ui->NewHong, ui->DeleteHong, ui->Amend, ui->DeleteKey})
        button->setStyleSheet(toolButtonLook);
    // The pictures carry a dot at their left end: the text keeps to the right of it.
    const QString clearOfTheDot = "QPushButton{padding-left:24px;}";
    ui->StopRecord->setStyleSheet(ColoredButtonStyle("QPushButton", PictureProperty::Background, pictures,
                                                     buttonColor, {"Stop.png", "StopHover.png", {}, {}})
                                  + clearOfTheDot);
    ui->StartRecord->setStyleSheet(ColoredButtonStyle("QPushButton", PictureProperty::Background, pictures,
                                                      buttonColor, {"Record.png", "RecordHover.png", {}, {}})
                                   + clearOfTheDot);
    const QString numberColor = OptionColorText("LinEditColorSecond");
    ui->DelayTime->setStyleSheet(SpinBoxStyle(numberColor));
    ui->NumberEdit->setStyleSheet(SpinBoxStyle(numberColor));
}

bool Macro::AskKeyName(QString& keyName) const
{
    addKey dialog;
    m_Context.PlaceInputDialog(dialog);
    if (!RunPageDialog(dialog) || dialog.result() != QDialog::Accepted || !dialog.IsOk)
        return false;
    keyName = dialog.KeyText;
    return true;
}

bool Macro::AskDelay(int& delayMs) const
{
    AddDelayTime dialog;
    m_Context.PlaceInputDialog(dialog);
    // Ends as rejected even after OK.
    if (!RunPageDialog(dialog) || !dialog.IsOk)
        return false;
    delayMs = dialog.DelayValue;
    return true;
}

void Macro::SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer)
{
    m_Transfer.SlotButtonToMacro(DataMap, KeyNumer);
}

void Macro::SlotMacroDownLoadData(QString MacroName, int index)
{
    m_Transfer.SlotMacroDownLoadData(MacroName, index);
}

void Macro::SlotSetMacroPage()
{
    m_Recorder.ResetOnLeavingPages();
}

void Macro::on_NewHong_clicked()
{
    m_Editor.NewMacro();
}

void Macro::on_DeleteHong_clicked()
{
    m_Editor.DeleteMacro();
}

void Macro::on_Amend_clicked()
{
    m_Editor.Amend();
}

void Macro::on_ChooseEvent_activated(int index)
{
    m_Editor.ChooseEvent(index);
}

void Macro::on_DeleteKey_clicked()
{
    m_Editor.DeleteKey();
}

void Macro::on_StartRecord_clicked()
{
    m_Recorder.Start();
}

void Macro::on_StopRecord_clicked()
{
    m_Recorder.Stop();
}

void Macro::on_Save_clicked()
{
    m_Editor.Save();
}

// Each text falls back to row 0 and then to what the widget shows, so a short
// language row leaves the form's own text in place.
void Macro::SlotAllLanguage(int Index)
{
    const auto text = [Index](int k, const QString& current) {
        return LanguageTextInRow(g_LangTextsMacro, Index, k, current);
    };
    const std::pair<QLabel*, int> labels[] = {
        {ui->label, 0}, {ui->label_2, 1}, {ui->AutoInsertDelayLabel, 8}, {ui->ReUntilLooseLabel, 10},
        {ui->ReUntilClickLabel, 11}, {ui->ReUntilLabel, 12}, {ui->label_3, 14}};
    for (const auto& [label, k] : labels)
        label->setText(text(k, label->text()));
    const std::pair<QAbstractButton*, int> buttons[] = {
        {ui->NewHong, 2}, {ui->DeleteHong, 3}, {ui->Amend, 4}, {ui->DeleteKey, 5}, {ui->StartRecord, 6},
        {ui->StopRecord, 7}, {ui->DefaultDelay, 9}, {ui->ReNumber, 13}, {ui->Save, 23}};
    for (const auto& [button, k] : buttons)
        button->setText(text(k, button->text()));
    // Only a sixth language carries a tool tip for the new-macro button.
    constexpr int kToolTipRow = 5;
    ui->NewHong->setToolTip(Index == kToolTipRow ? text(2, QString()) : QString());
    // Items 1 to 3: key press, key release, delay; 4 to 8 the mouse buttons,
    // whose names the key tables use from now on.
    for (int item = 1; item < LeftButtonItem; ++item)
        ui->ChooseEvent->setItemText(item, text(14 + item, ui->ChooseEvent->itemText(item)));
    QString* const buttonNames[] = {&g_MouseButtonNameLeft, &g_MouseButtonNameRight, &g_MouseButtonNameMiddle,
                                    &g_MouseButtonNameForward, &g_MouseButtonNameBack};
    for (int button = 0; button < 5; ++button) {
        const int item = LeftButtonItem + button;
        *buttonNames[button] = text(18 + button, ui->ChooseEvent->itemText(item));
        ui->ChooseEvent->setItemText(item, *buttonNames[button]);
    }
    m_Context.MacroLabelPrefix = text(24, m_Context.MacroLabelPrefix);
    QString* const menuTexts[] = {&m_Context.MenuExportText, &m_Context.MenuRenameText, &m_Context.MenuDeleteText,
                                  &m_Context.MenuNewText, &m_Context.MenuImportText};
    for (int k = 0; k < 5; ++k)
        *menuTexts[k] = text(25 + k, *menuTexts[k]);
}

void Macro::on_listWidgetKey_itemChanged(QListWidgetItem* /*item*/)
{
    m_Editor.MarkEventsChanged();
}

void Macro::on_NumberEdit_valueChanged(int /*arg1*/)
{
    m_Editor.MarkLoopChanged();
}

void Macro::on_listWidgetHong_clicked(const QModelIndex& /*index: the current item is the clicked one*/)
{
    m_Editor.ShowClickedMacro();
}

void Macro::on_listWidgetHong_currentRowChanged(int /*currentRow*/)
{
    m_Editor.ShowCurrentMacro();
}

void Macro::on_listWidgetHong_customContextMenuRequested(const QPoint& pos)
{
    m_Editor.ShowMacroListMenu(pos, this);
}

void Macro::ExPortMacro()
{
    m_Exchange.ExPortMacro();
}

void Macro::RenameMacro()
{
    m_Files.RenameMacro();
}

void Macro::DeleteMacro()
{
    on_DeleteHong_clicked();
}

void Macro::CreateMewMacro()
{
    on_NewHong_clicked();
}

void Macro::InPortMacro()
{
    m_Exchange.InPortMacro();
}

void Macro::on_DelayTime_valueChanged(int arg1)
{
    m_Recorder.LimitDelayTime(arg1);
}

void Macro::mousePressEvent(QMouseEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        m_Editor.TakeFocusFromSpinBoxes(event->pos());
}

void Macro::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}

void Macro::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        const int chosen = ui->ChooseEvent->currentIndex();
        const int delay = ui->DelayTime->value();
        const int count = ui->NumberEdit->value();
        for (QWidget* widget : std::initializer_list<QWidget*>{ui->ChooseEvent, ui->DelayTime, ui->NumberEdit})
            widget->blockSignals(true);
        ui->retranslateUi(this);
        // The form's own texts would otherwise replace the chosen language.
        SlotAllLanguage(g_LanguageIndex);
        ui->ChooseEvent->setCurrentIndex(chosen);
        ui->DelayTime->setValue(delay);
        ui->NumberEdit->setValue(count);
        for (QWidget* widget : std::initializer_list<QWidget*>{ui->ChooseEvent, ui->DelayTime, ui->NumberEdit})
            widget->blockSignals(false);
    }
    QWidget::changeEvent(event);
}
