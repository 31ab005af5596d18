#include "pages/buttons/MacroDownloads.h"

#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/buttons/ButtonMacroFiles.h"

#include <utility>

namespace {

bool SendLoopToKey(int key, int loop)
{
    const FlashDataMap record = g_FlashData.Snapshot();
    const ButtonFunction function{record.Buttons[key].Type, record.Buttons[key].Param1,
                                  static_cast<std::uint8_t>(loop)};
    return SendButtonMacro(key, &function, &record.Macros[key]);
}

} // namespace

MacroDownloads::MacroDownloads(KeysShowing keysShowing, QObject* parent)
    : QObject(parent)
    , m_KeysShowing(std::move(keysShowing))
{
    m_Spacing.setSingleShot(true);
    connect(&m_Spacing, &QTimer::timeout, this, &MacroDownloads::SendWaiting);
}

void MacroDownloads::QueueSave(const QString& name, const QList<int>& keys)
{
    Saved(name);
    if (!keys.isEmpty())
        Queue(name, keys);
}

void MacroDownloads::QueueKey(const QString& name, int key)
{
    Queue(name, {key});
}

void MacroDownloads::Queue(const QString& name, const QList<int>& keys)
{
    if (m_Left)
        return;
    QList<int>& queued = m_Waiting[name];
    for (int key : keys) {
        if (!queued.contains(key))
            queued << key;
    }
    if (!m_Spacing.isActive())
        m_Spacing.start(Timing().macroDownloadDelayMs);
}

void MacroDownloads::SendLoop(const QString& name, const QList<int>& keys)
{
    // The shown profile holds the whole save only when it held the events
    // already (a macro not saved here was just read from it).
    const bool eventsHeld = !m_Holding.contains(name) || m_Holding.value(name).contains(m_Profile);
    bool sent = !m_Left;
    if (sent) {
        const int loop = ReadMacroLoopValue(name);
        for (int key : keys)
            sent = SendLoopToKey(key, loop) && sent;
    }
    Saved(name);
    if (eventsHeld && sent)
        m_Holding[name].insert(m_Profile);
}

bool MacroDownloads::Send(const QString& name, const QList<int>& keys)
{
    if (m_Left || !g_SendEnabled || !DeviceTakesChanges())
        return false;
    // A loop value that did not reach the device goes with the events.
    const int loop = ReadMacroLoopValue(name);
    const QList<int> showing = m_KeysShowing(name);
    for (int key : keys) {
        if (!showing.contains(key))
            continue;
        if (g_FlashData.Snapshot().Buttons[key].Param2 != loop)
            SendLoopToKey(key, loop);
        PostMsg::GetInstance()->EmitMacroDownLoadData(name, key);
    }
    m_Holding[name].insert(m_Profile);
    return true;
}

void MacroDownloads::SendWaiting()
{
    m_Spacing.stop();
    const QMap<QString, QList<int>> waiting = std::exchange(m_Waiting, {});
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it) {
        if (!Send(it.key(), it.value()))
            m_Waiting.insert(it.key(), it.value());
    }
    // An absent device is asked again after the spacing; leaving ends that.
    if (!m_Waiting.isEmpty())
        m_Spacing.start(Timing().macroDownloadDelayMs);
}

void MacroDownloads::SendBeforeLeaving()
{
    SendWaiting();
    // What could not be sent stays lacking: its profile does not hold it.
    m_Spacing.stop();
    m_Waiting.clear();
    m_Left = true;
}

void MacroDownloads::ProfileShown(int profile)
{
    if (profile == m_Profile)
        return;
    m_Spacing.stop();
    m_Waiting.clear();
    m_Profile = profile;
}

bool MacroDownloads::Rename(const QString& oldName, const QString& newName)
{
    if (m_Waiting.contains(oldName))
        m_Waiting.insert(newName, m_Waiting.take(oldName));
    if (m_Holding.contains(oldName))
        m_Holding.insert(newName, m_Holding.take(oldName));
    return DeviceLacksLastSave(newName);
}

void MacroDownloads::Forget(const QString& name)
{
    m_Waiting.remove(name);
    m_Holding.remove(name);
}
