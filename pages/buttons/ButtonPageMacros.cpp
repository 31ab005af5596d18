// The button page's macro list and the keys bound to macros.

#include "pages/buttons/Buttoninterface.h"

#include "core/ConfigIni.h"
#include "core/PostMsg.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/buttons/ButtonFunctionTables.h"
#include "pages/buttons/ButtonMacroFiles.h"
#include "pages/buttons/MacroDownloads.h"
#include "pages/buttons/Ui_Buttoninterface.h"
#include "pages/macro/MacroNames.h"
#include "pages/macro/MacroNotice.h"
#include "widgets/FormStyles.h"

#include <QButtonGroup>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>

namespace {

// The list keeps room for seven rows: fewer macros are padded with hidden rows.
constexpr int kMacroListRows = 7;

// The device key of each default function button, in the order the key
// selectors are examined.
const char* const kDefaultButtonOfKey[] = {"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey",
                                           "VolumeUp_8"};

} // namespace

void Buttoninterface::BuildMacroButtons()
{
    m_MacroContainer = new QWidget(this);
    m_MacroContainer->setFixedSize(205, 220);
    m_MacroContainer->setStyleSheet("background-color:transparent;border:none;");
    m_MacroLayout = new QVBoxLayout(m_MacroContainer);
    m_MacroLayout->setSizeConstraint(QLayout::SetFixedSize);
    ui->scrollArea_7->setWidget(m_MacroContainer);
    ui->scrollAreaWidgetContents_7 = m_MacroContainer;
    FillMacroButtons();
}

void Buttoninterface::SlotAddMacroButton()
{
    qDeleteAll(MacroButtons);
    MacroButtons.clear();
    FillMacroButtons();
}

void Buttoninterface::FillMacroButtons()
{
    const QString sheet = "QToolButton{color: rgb(" + ButtonColorText + ";);border-image: " + StyleUrl(PicturePath
                          + "CMenuTitle.png") + ";}QToolButton:hover{background-image: none;}"
                          "QToolButton:checked{border-image: " + StyleUrl(PicturePath + "CMenuTitleChecked.png")
                          + ";}";
    QFont font("微软雅黑");
    font.setPointSize(9);
    const auto makeButton = [&](const QString& text, int height) {
        auto* button = new QToolButton(m_MacroContainer);
        button->setText(text);
        button->setStyleSheet(sheet);
        button->setFont(font);
        button->setMinimumSize(174, height);
        button->setCheckable(true);
        m_MacroLayout->addWidget(button);
        MacroButtons << button;
        return button;
    };
    const QStringList names = ListMacroNames(MacroFolder());
    for (const QString& name : names) {
        QToolButton* button = makeButton(name, 22);
        FunctionGroup->addButton(button);
        connect(button, SIGNAL(clicked(bool)), this, SLOT(slotButtonClicked(bool)));
    }
    if (!names.isEmpty()) {
        for (int i = names.size(); i < kMacroListRows; ++i) {
            QToolButton* placeholder = makeButton(QString(), 23);
            placeholder->setEnabled(false);
            placeholder->hide();
        }
    }
}

void Buttoninterface::slotButtonClicked(bool checked)
{
    if (!checked)
        return;
    auto* button = qobject_cast<QToolButton*>(sender());
    const int key = SelectedKey();
    if (key >= 0 && RefusedForLastLeftClick(key, false))
        return;
    MacroBlock block;
    const MacroBlockLoad load =
        button && key >= 0 && g_SendEnabled ? LoadMacroBlock(button->text(), &block) : MacroBlockLoad::Unreadable;
    if (load == MacroBlockLoad::TooManyEvents || load == MacroBlockLoad::Damaged) {
        MacroNotice notice(load == MacroBlockLoad::Damaged ? MacroMessage::FileDamaged : MacroMessage::TooManyEvents);
        RunNotice(notice);
    } else if (load == MacroBlockLoad::Loaded) {
        const QString name = button->text();
        const int loop = ReadMacroLoopValue(name);
        const ButtonFunction function{6, static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(loop)};
        if (SendButtonMacro(key, &function, &block)) {
            SelectorOfKey(key)->setText(MacroPrefix + name);
            StoreKeyAssignment(key, 6, key, loop);
        }
    }
    BackToIdle();
}

QString Buttoninterface::MacroNameOfLabel(const QString& label) const
{
    QString name = QString(label).remove(QChar(0));
    if (MacroPrefix.isEmpty())
        return name;
    return name.startsWith(MacroPrefix) ? name.mid(MacroPrefix.size()) : QString();
}

QList<int> Buttoninterface::KeysShowingMacro(const QString& name) const
{
    QList<int> keys;
    if (name.isEmpty())
        return keys;
    for (int row = 0; row < SelectorCount; ++row) {
        if (MacroNameOfLabel(Button(kSelectorNames[row])->text()) == name)
            keys << kSelectorKeys[row];
    }
    return keys;
}

void Buttoninterface::SlotDeleteMacroButton(QString MacroName)
{
    const QString deleted = MacroNameOfLabel(MacroName);
    m_MacroDownloads->Forget(deleted);
    const QString group = ModelGroup(g_CurrentDevice.Snapshot().ModelIndex);
    for (int key : KeysShowingMacro(deleted)) {
        QToolButton* selector = SelectorOfKey(key);
        selector->setChecked(true);
        Button(kDefaultButtonOfKey[key])->setChecked(true);
        {
            auto flash = g_FlashData.Lock();
            std::memset(&flash->KeyEvents[key], 0, sizeof(KeyEventRecord));
        }
        const QStringList defaults = ConfigIni::GetInstance()->ValueList(group, "KeyParam" + QString::number(key + 1));
        if (!defaults.isEmpty() && defaults.first() == "0x05") {
            if (defaults.size() == 3)
                AssignConsumerKey(key, defaults.at(2).toInt(nullptr, 16));
            else if (defaults.size() == 4)
                AssignKeyCombination(key, defaults.at(3));
        } else {
            AssignBuiltInDefault(key);
        }
    }
    DeselectSelectors();
    BackToIdle();
    SendFlashData();
}

void Buttoninterface::SlotMacroRename(QString MacroName, QString NewName)
{
    const QList<int> keys = KeysShowingMacro(MacroName);
    for (int key : keys)
        SelectorOfKey(key)->setText(MacroPrefix + NewName);
    // A save the device has not received yet goes now, under the new name:
    // renaming the device's older block would bring its rows back.
    if (m_MacroDownloads->Rename(MacroName, NewName, keys))
        return;
    for (int key : keys) {
        const FlashDataMap record = g_FlashData.Snapshot();
        MacroBlock block = record.Macros[key];
        SetMacroBlockName(&block, NewName);
        SendButtonMacro(key, &record.Buttons[key], &block);
    }
}

void Buttoninterface::SlotMacroSaving(QString MacroName)
{
    m_MacroDownloads->NoteSave(MacroName, KeysShowingMacro(MacroName));
}

void Buttoninterface::SlotUpDataMacro(QString MacroName, int index)
{
    // The keys are taken now: the user may choose, rename or leave before
    // the download goes out.
    if (index == 0)
        m_MacroDownloads->QueueSave(MacroName, KeysShowingMacro(MacroName));
    else if (index == 1)
        m_MacroDownloads->SendLoop(MacroName, KeysShowingMacro(MacroName));
}

void Buttoninterface::SendMacrosBeforeLeaving()
{
    m_MacroDownloads->SendBeforeLeaving();
}

void Buttoninterface::TellMacroSavedHere(bool noted)
{
    MacroNotice notice(noted ? MacroMessage::SavedHereForTheMouse : MacroMessage::SavedHereWhileOpen);
    RunNotice(notice);
}
