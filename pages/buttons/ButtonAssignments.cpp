// The button page's key selection and assignments: selector clicks, the
// category and function buttons, fire key, multimedia keys and combinations.

#include "pages/buttons/Buttoninterface.h"

#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/DpiCodes.h"
#include "device/KeyCodes.h"
#include "device/Senders.h"
#include "pages/buttons/ButtonFunctionTables.h"
#include "pages/buttons/FireKey.h"
#include "pages/buttons/GroupKey.h"
#include "pages/buttons/Ui_Buttoninterface.h"
#include "widgets/DialogFamily.h"
#include "widgets/MyToolButton.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/PageDialogs.h"

#include <QButtonGroup>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>

namespace {

// Rows of the category list are 15 pixels of scrolling apart.
constexpr int kRowScroll = 15;

// Where a selector click shows a function type: the function page, the
// category button to mark and its row in the category list.
struct ShownFunction
{
    int type;
    const char* page;
    const char* category;
    int row;
};

const ShownFunction kShownFunctions[] = {
    {0, "page_9", "DPI_5", 9},   {2, "page_7", "DPI_7", 13},  {3, "page_4", "DPI_11", 10},
    {4, "page_9", "DPI_6", 7},   {6, "page_5", "DPI_10", 15}, {7, "page_9", "DPI_2", 5},
    {8, "page_6", "DPI_9", 12},  {9, "page_9", "DPI_3", 6},   {10, "page_8", "DPI_4", 15},
    {11, "page_10", "DPI_13", 10},
};

const int kMultimediaCategoryRow = 16;
const int kCombinationCategoryRow = 8;

QString WithoutNul(QString text)
{
    return text.remove(QChar(0));
}

} // namespace

int Buttoninterface::SelectedKey() const
{
    for (int row = 0; row < SelectorCount; ++row)
        if (Button(kSelectorNames[row])->isChecked())
            return kSelectorKeys[row];
    return -1;
}

void Buttoninterface::ScrollTo(QWidget* scrollArea, int position)
{
    static_cast<QScrollArea*>(scrollArea)->verticalScrollBar()->setSliderPosition(position);
}

template <typename Dialog>
void Buttoninterface::ShowNotice()
{
    Dialog notice;
    RunNotice(notice);
}

void Buttoninterface::RunNotice(QDialog& notice)
{
    PlaceDialog(&notice, this, -50, -70);
    RunPageDialog(notice);
}

void Buttoninterface::on_FireKey_clicked() { SelectorClicked(0); }
void Buttoninterface::on_RightKey_clicked() { SelectorClicked(1); }
void Buttoninterface::on_BackKey_clicked() { SelectorClicked(2); }
void Buttoninterface::on_StartPause_clicked() { SelectorClicked(3); }
void Buttoninterface::on_TopMusic_clicked() { SelectorClicked(4); }
void Buttoninterface::on_BackMusic_clicked() { SelectorClicked(5); }

bool Buttoninterface::IsLastLeftClickKey(int key) const
{
    int leftKeys = 0;
    for (int k = 0; k < KeyTypes.size(); ++k)
        leftKeys += KeyTypes.at(k) == 1 && KeyEntry(KeyCodes, k) == 1 ? 1 : 0;
    return leftKeys == 1 && KeyEntry(KeyTypes, key) == 1 && KeyEntry(KeyCodes, key) == 1;
}

bool Buttoninterface::RefusedForLastLeftClick(int key, bool leftClick)
{
    // The mouse always keeps a left button, however its key was chosen.
    if (leftClick || !IsLastLeftClickKey(key))
        return false;
    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    DeselectSelectors();
    ShowNotice<LeftButtonOnly>();
    return true;
}

void Buttoninterface::SelectorClicked(int row)
{
    if (RefusedForLastLeftClick(kSelectorKeys[row], false))
        return;
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(row == 0 ? "QScrollBar {width:10px;}"
                                                                   : "QScrollBar {width:0px;}");
    ShowKeyFunction(kSelectorKeys[row]);
}

void Buttoninterface::ShowKeyFunction(int key)
{
    // Only the key's own function is marked: a mark left by another key, a
    // dialog given up or another device goes.
    UncheckCategories();
    UncheckAllFunctions();
    const int type = KeyEntry(KeyTypes, key);
    const int code = KeyEntry(KeyCodes, key);
    if (type < 0) {
        // Nothing shown for this key yet: the category list, nothing marked.
        ui->stackedWidget->setCurrentWidget(ui->page_2);
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
        ScrollTo(ui->scrollArea_4, 0);
        return;
    }
    if (type == 5) {
        const DeviceEvent first = g_FlashData.Snapshot().KeyEvents[key].Events[0];
        const MultimediaKey* media =
            first.Kind == EventKindConsumer ? MultimediaKeyByLowByte(first.Code & 0xFF) : nullptr;
        ui->stackedWidget->setCurrentWidget(ui->page_2);
        if (media) {
            Button(media->button)->setChecked(true);
            ui->DPI_12->setChecked(true);
            ui->stackedWidget_2->setCurrentWidget(ui->page_3);
            ScrollTo(ui->scrollArea_3, media->scrollRow * kRowScroll);
            ScrollTo(ui->scrollArea_4, kMultimediaCategoryRow * kRowScroll);
        } else {
            ui->stackedWidget_2->setCurrentWidget(ui->page_9);
            ui->DPI_8->setChecked(true);
            ScrollTo(ui->scrollArea_3, 0);
            ScrollTo(ui->scrollArea_4, kCombinationCategoryRow * kRowScroll);
        }
        return;
    }

    int row = 0;
    int dpiLockRow = 0;
    if (type == 1) {
        ui->stackedWidget->setCurrentWidget(ui->page_2);
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
        for (int i = 0; i < 5; ++i)
            if (kCategoryFunctions[i].code == code) {
                Button(kCategoryFunctions[i].button)->setChecked(true);
                row = i;
            }
    }
    for (const ShownFunction& shown : kShownFunctions) {
        if (shown.type != type)
            continue;
        ui->stackedWidget->setCurrentWidget(ui->page_2);
        ui->stackedWidget_2->setCurrentWidget(findChild<QWidget*>(shown.page));
        Button(shown.category)->setChecked(true);
        row = shown.row;
        if (type == 6) {
            const QString shownText = WithoutNul(SelectorOfKey(key)->text());
            int position = 0;
            for (QToolButton* macro : MacroButtons) {
                position += kRowScroll;
                if (MacroPrefix + macro->text() == shownText) {
                    macro->setChecked(true);
                    ScrollTo(ui->scrollArea_7, position);
                }
            }
        } else if (type == 10) {
            dpiLockRow = DpiLockIndex(SensorCodeToDpi(m_SensorName, m_SensorDefines, code));
            if (dpiLockRow >= 0)
                Button(kDpiLockButtons[dpiLockRow].button)->setChecked(true);
            dpiLockRow = qMax(dpiLockRow, 0);
        } else if (type != 0 && type != 4 && type != 7 && type != 9) {
            if (const char* function = FunctionButtonName(type, code))
                Button(function)->setChecked(true);
        }
    }
    ScrollTo(ui->scrollArea_10, dpiLockRow * kRowScroll);
    ScrollTo(ui->scrollArea_4, row * kRowScroll);
}

void Buttoninterface::ShowSelectedKeyAgain()
{
    const int key = SelectedKey();
    if (key >= 0)
        ShowKeyFunction(key);
    else
        UncheckCategories();
}

void Buttoninterface::on_Number1_clicked() { CheckDeviceOnline(); ui->FireKey->setChecked(true); }
void Buttoninterface::on_Number2_clicked() { CheckDeviceOnline(); ui->RightKey->setChecked(true); }
void Buttoninterface::on_Number3_clicked() { CheckDeviceOnline(); ui->BackKey->setChecked(true); }
void Buttoninterface::on_Number4_clicked() { CheckDeviceOnline(); ui->StartPause->setChecked(true); }
void Buttoninterface::on_Number5_clicked() { CheckDeviceOnline(); ui->TopMusic->setChecked(true); }
void Buttoninterface::on_Number6_clicked() { CheckDeviceOnline(); ui->BackMusic->setChecked(true); }

void Buttoninterface::on_DPI_13_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_10); }
void Buttoninterface::on_DPI_11_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_4); }
void Buttoninterface::on_DPI_4_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_8); }
void Buttoninterface::on_DPI_9_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_6); }
void Buttoninterface::on_DPI_7_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_7); }
void Buttoninterface::on_DPI_12_clicked() { ui->stackedWidget_2->setCurrentWidget(ui->page_3); }

void Buttoninterface::on_DPI_10_clicked()
{
    if (!MacroButtons.isEmpty()) {
        ui->stackedWidget_2->setCurrentWidget(ui->page_5);
        return;
    }
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    ShowNotice<MakeMacro>();
}

void Buttoninterface::ConnectFunctionButtons()
{
    for (const FixedFunction& function : kCategoryFunctions) {
        QToolButton* button = Button(function.button);
        const bool left = qstrcmp(function.button, "LeftKey_3") == 0;
        connect(button, &QAbstractButton::clicked, this, [this, function, button, left](bool checked) {
            if (left)
                ui->stackedWidget_2->setCurrentWidget(ui->page_9);
            AssignFixedFunction(checked, function.type, function.code, 0, button->text(), true);
        });
    }
    for (const FixedFunction& function : kSubPageFunctions) {
        QToolButton* button = Button(function.button);
        QWidget* bar = function.type == 11 ? ui->scrollArea_12 : nullptr;
        connect(button, &QAbstractButton::clicked, this, [this, function, button, bar](bool checked) {
            AssignFixedFunction(checked, function.type, function.code, 0, button->text(), false, bar);
        });
    }
    for (const DpiLockButton& lock : kDpiLockButtons) {
        QToolButton* button = Button(lock.button);
        connect(button, &QAbstractButton::clicked, this, [this, lock, button](bool checked) {
            const int code = DpiToSensorCode(m_SensorName, m_SensorDefines, lock.dpi);
            AssignFixedFunction(checked, 10, code, 0, ui->DPI_4->text() + "-" + button->text(), false);
        });
    }
    for (int i = 0; i < 18; ++i)
        connect(Button(kMultimediaKeys[i].button), &QAbstractButton::clicked, this,
                [this, i](bool checked) { AssignMultimediaKey(checked, i); });
}

void Buttoninterface::OfferKeptDpiLocks()
{
    for (const DpiLockButton& lock : kDpiLockButtons)
        Button(lock.button)->setVisible(DpiLockFitsRecord(m_SensorName, m_SensorDefines, lock.dpi));
}

void Buttoninterface::AssignFixedFunction(bool checked, int type, int code, int extra, const QString& label,
                                          bool fromCategory, QWidget* scrollAreaOfBar)
{
    if (!checked)
        return;
    if (fromCategory)
        UncheckAllFunctions();
    const int key = SelectedKey();
    if (key >= 0 && RefusedForLastLeftClick(key, type == 1 && code == 1))
        return;
    if (key >= 0 && SendButtonFunction(key, type, code, extra)) {
        SelectorOfKey(key)->setText(label);
        StoreKeyAssignment(key, type, code, extra);
    }
    BackToIdle(scrollAreaOfBar);
}

void Buttoninterface::AssignBuiltInDefault(int key)
{
    // Left, right, middle, back and forward for keys 0 to 4, DPI cycle for key 5.
    if (key >= 0 && key < 5) {
        const FixedFunction& function = kCategoryFunctions[key];
        AssignFixedFunction(true, function.type, function.code, 0, Button(function.button)->text(), true);
    } else if (key == 5) {
        AssignFixedFunction(true, 2, 1, 0, ui->VolumeUp_8->text(), false);
    }
}

void Buttoninterface::on_DPI_6_clicked()
{
    if (!UsbFinderC_GetDeviceOnLine(g_DevicePathC.Snapshot().constData()) && !g_ButtonPageLoading) {
        ui->stackedWidget->setCurrentWidget(ui->page);
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
        return;
    }
    const int key = SelectedKey();
    if (key >= 0 && RefusedForLastLeftClick(key, false))
        return;
    const bool preset = key >= 0 && SelectorOfKey(key)->text() == ui->DPI_6->text();
    FireKey dialog;
    dialog.SetTime(preset ? KeyEntry(KeyCodes, key) : 10);
    dialog.SetCount(preset ? qMax(KeyEntry(KeyExtras, key), 0) : 3);
    PlaceDialog(&dialog, this, -50, -70);
    // Closed because the device left: its values go nowhere.
    if (!RunPageDialog(dialog))
        return;
    if (!dialog.IsOk) {
        ShowSelectedKeyAgain();
        return;
    }
    FireInterval = dialog.TimeValue;
    FireCount = dialog.CountValue;
    on_DPI_6_clicked(true);
}

void Buttoninterface::on_DPI_6_clicked(bool checked)
{
    AssignFixedFunction(checked, 4, FireInterval, FireCount, ui->DPI_6->text(), true);
}

bool Buttoninterface::SendConsumerKey(int key, int usage)
{
    const ButtonFunction function{5, 0, 0};
    const KeyEventRecord record = BuildConsumerKeyRecord(usage >> 8, usage & 0xFF);
    return SendButtonKeyEvents(key, &function, &record);
}

bool Buttoninterface::SendCombination(int key, const QString& text)
{
    const ButtonFunction function{5, 0, 0};
    const KeyEventRecord record = KeyEventRecordFromText(text);
    return SendButtonKeyEvents(key, &function, &record);
}

void Buttoninterface::AssignMultimediaKey(bool checked, int index)
{
    if (!checked)
        return;
    const MultimediaKey& media = kMultimediaKeys[index];
    const int key = SelectedKey();
    if (key >= 0 && RefusedForLastLeftClick(key, false))
        return;
    if (key >= 0 && SendConsumerKey(key, media.usage)) {
        StoreKeyAssignment(key, 5, 0, 0);
        SelectorOfKey(key)->setText(Button(media.button)->text());
    }
    BackToIdle();
}

void Buttoninterface::AssignConsumerKey(int key, int lowByte)
{
    const MultimediaKey* media = MultimediaKeyByLowByte(lowByte);
    QToolButton* selector = SelectorOfKey(key);
    if (!media || !selector)
        return;
    if (SendConsumerKey(key, media->usage)) {
        StoreKeyAssignment(key, 5, 0, 0);
        selector->setText(Button(media->button)->text());
    }
}

void Buttoninterface::AssignKeyCombination(int key, const QString& text)
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    UncheckAllFunctions();
    if (QToolButton* selector = SelectorOfKey(key)) {
        if (SendCombination(key, text)) {
            StoreKeyAssignment(key, 5, 0, 0);
            selector->setText(text);
        }
    }
    BackToIdle();
    ui->stackedWidget->setCurrentWidget(ui->page_2);
}

void Buttoninterface::on_DPI_8_clicked()
{
    const int key = SelectedKey();
    if (key >= 0 && RefusedForLastLeftClick(key, false))
        return;
    GroupKey dialog;
    PlaceDialog(&dialog, this, -50, -70);
    if (!RunPageDialog(dialog))
        return;
    if (!dialog.IsOk) {
        ShowSelectedKeyAgain();
        return;
    }
    AssignKeyCombination(key, dialog.KeyText);
}
