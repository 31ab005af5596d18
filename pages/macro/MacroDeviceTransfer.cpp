#include "pages/macro/MacroDeviceTransfer.h"

#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "device/KeyCodes.h"
#include "device/Senders.h"
#include "pages/macro/MacroBlock.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroFiles.h"
#include "pages/macro/MacroPageContext.h"

#include <QDebug>
#include <QListWidget>

#include <algorithm>

namespace {

bool IsButtonIndex(int index)
{
    return index >= 0 && index < ButtonCount;
}

QString EventName(const DeviceEvent& event)
{
    if (event.Kind == EventKindMouseButton)
        return MouseButtonName(event.Code);
    return MacroKeyName(event.Code, event.Kind);
}

} // namespace

MacroDeviceTransfer::MacroDeviceTransfer(MacroPageContext& context, MacroFiles& files)
    : m_Context(context)
    , m_Files(files)
{
}

void MacroDeviceTransfer::SlotMacroDownLoadData(QString MacroName, int index)
{
    MacroName.remove(QChar(0));
    if (!g_SendEnabled || !IsButtonIndex(index))
        return;
    QList<MacroRow> rows;
    const auto saved = m_Context.SavedRows.constFind(MacroName);
    if (saved != m_Context.SavedRows.constEnd()) {
        rows = *saved;
    } else {
        // A save of an earlier run that the device missed is in its file.
        const MacroFileContent file = ReadMacroFile(m_Context.FilePathOf(MacroName));
        if (!file.opened)
            return;
        rows = file.rows;
    }
    const MacroBlock block = BuildMacroBlock(MacroName, rows);
    const ButtonFunction function = g_FlashData.Snapshot().Buttons[index];
    if (SendButtonMacro(index, &function, &block))
        return;
    // The device did not take it (asleep, or its configuration being read
    // again; the user has been told): the save is still to be made, so that
    // the next one sends the macro.
    if (m_Context.ShownMacro == MacroName) {
        m_Context.EventsChanged = true;
        m_Context.SetSaveActive(true);
    }
}

void MacroDeviceTransfer::SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer)
{
    if (!IsButtonIndex(KeyNumer))
        return;
    const MacroBlock& block = DataMap.Macros[KeyNumer];
    const QString name = QString::fromLocal8Bit(block.Name, MacroNameBytes).remove(QChar(0));
    QListWidget* macros = m_Context.ui.listWidgetHong;
    QListWidget* events = m_Context.ui.listWidgetKey;
    events->clear();
    // The rows filled in here are the device's, not the file's: the macro
    // they belong to is made current without being shown.
    const QSignalBlocker quietList(macros);

    // The button page decided by the same test whether to write the loop line.
    if (DeviceMacroMayRebuildFile(name, m_Context.MacroDir)) {
        const QList<QListWidgetItem*> found = macros->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        const int current = macros->currentRow();
        if (!found.isEmpty()) {
            macros->setCurrentItem(found.first());
        } else if (current >= 0) {
            macros->insertItem(current + 1, name);
        } else {
            macros->addItem(name);
            macros->setCurrentRow(macros->count() - 1);
        }
        const int count = std::min<int>(block.EventCount, MacroEventsPerBlock);
        for (int i = 0; i < count; ++i) {
            const DeviceEvent& event = block.Events[i];
            AppendKeyItem(macros, events, EventName(event), event.Direction == 0);
            if (i + 1 < count)
                AppendDelayItem(macros, events, event.DelayMs);
        }
        if (!m_Files.AppendMacroFile(name))
            qWarning() << "The device's macro" << name << "could not be added to its file";
    }

    macros->setCurrentRow(-1);
    PostMsg::GetInstance()->EmitAddMacroButton();
    events->clear();
    m_Context.ShownMacro.clear();
}
