#include "pages/buttons/MacroDownloads.h"

#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/buttons/ButtonMacroFiles.h"

#include <QDebug>

#include <utility>

namespace {

bool SendLoopToKey(int key, int loop)
{
    const FlashDataMap record = g_FlashData.Snapshot();
    const ButtonFunction function{record.Buttons[key].Type, record.Buttons[key].Param1,
                                  static_cast<std::uint8_t>(loop)};
    return SendButtonMacro(key, &function, &record.Macros[key]);
}

std::uint16_t ShownModel()
{
    return g_CurrentDevice.Snapshot().Identity;
}

} // namespace

MacroDownloads::MacroDownloads(KeysShowing keysShowing, TellSavedHere tellSavedHere, QObject* parent)
    : QObject(parent)
    , m_KeysShowing(std::move(keysShowing))
    , m_TellSavedHere(std::move(tellSavedHere))
    , m_Unsent(ReadUnsentMacroSaves())
    , m_Stored(m_Unsent)
{
    m_Spacing.setSingleShot(true);
    connect(&m_Spacing, &QTimer::timeout, this, &MacroDownloads::SendWaiting);
}

void MacroDownloads::Store()
{
    if (m_Unsent == m_Stored)
        return;
    // Kept in memory either way: this run still sends what the file missed.
    if (WriteUnsentMacroSaves(m_Unsent))
        m_Stored = m_Unsent;
}

bool MacroDownloads::UnsentSavesStored() const
{
    for (auto it = m_Unsent.cbegin(); it != m_Unsent.cend(); ++it) {
        const auto stored = m_Stored.constFind(it.key());
        if (stored == m_Stored.constEnd() || stored->model != it->model
            || !it->holdingProfiles.contains(stored->holdingProfiles))
            return false;
    }
    return true;
}

void MacroDownloads::Saved(const QString& name)
{
    m_Unsent.insert(name, {ShownModel(), {}});
}

void MacroDownloads::Held(const QString& name)
{
    const auto kept = m_Unsent.find(name);
    if (m_Profile < 0 || kept == m_Unsent.end() || kept->model != ShownModel())
        return;
    kept->holdingProfiles.insert(m_Profile);
    if (m_ProfileCount <= 0)
        return;
    for (int profile = 0; profile < m_ProfileCount; ++profile) {
        if (!kept->holdingProfiles.contains(profile))
            return;
    }
    m_Unsent.erase(kept);
}

void MacroDownloads::HeldWhereNotShown(const QStringList& names)
{
    // A record shown while the device is read again may be another
    // profile's than the one reported.
    if (!m_DeviceRecordShown || m_Profile < 0 || !DeviceTakesChanges())
        return;
    for (const QString& name : names) {
        if (!m_Waiting.contains(name) && m_KeysShowing(name).isEmpty())
            Held(name);
    }
}

bool MacroDownloads::KeptFileWhole(const QString& name)
{
    if (MacroFileIsWhole(name))
        return true;
    qWarning() << "The saved file of macro" << name << "is missing or damaged: the device keeps its own copy";
    m_Waiting.remove(name);
    m_Untold.remove(name);
    m_Unsent.remove(name);
    Store();
    return false;
}

MacroDownloads::ShownCopy MacroDownloads::WhatShownCopyGets(const QString& name)
{
    if (m_Waiting.contains(name))
        return ShownCopy::GetsLastSave;
    const auto kept = m_Unsent.constFind(name);
    if (kept == m_Unsent.constEnd())
        return ShownCopy::RebuildsFile;
    if (kept->model != ShownModel())
        return ShownCopy::StaysApart;
    if (kept->holdingProfiles.contains(m_Profile) || !KeptFileWhole(name))
        return ShownCopy::RebuildsFile;
    return ShownCopy::GetsLastSave;
}

void MacroDownloads::QueueSave(const QString& name, const QList<int>& keys)
{
    Saved(name);
    if (keys.isEmpty()) {
        HeldWhereNotShown({name});
    } else if (!m_Left) {
        m_Untold.insert(name);
        Queue(name, keys);
    }
    Store();
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
    const bool eventsHeld = WhatShownCopyGets(name) == ShownCopy::RebuildsFile;
    // Asked quietly first: the user hears that the save waits here, not
    // that the device is away.
    const bool away = !DeviceTakesChanges();
    bool sent = keys.isEmpty() || (!m_Left && m_Profile >= 0 && !away);
    if (sent && !keys.isEmpty()) {
        const int loop = ReadMacroLoopValue(name);
        for (int key : keys)
            sent = SendLoopToKey(key, loop) && sent;
    }
    Saved(name);
    if (eventsHeld && sent)
        Held(name);
    Store();
    if (!sent && !m_Left && away)
        TellLater();
}

bool MacroDownloads::Send(const QString& name, const QList<int>& keys)
{
    if (m_Left || !g_SendEnabled || m_Profile < 0 || !DeviceTakesChanges())
        return false;
    if (!KeptFileWhole(name))
        return true;
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
    // A device that left during the downloads may have missed one: all go
    // again after the spacing.
    if (!DeviceTakesChanges())
        return false;
    m_Untold.remove(name);
    Held(name);
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
    Store();
    // A save the device missed because it is away is told once; one that
    // waits for the profile to be reported is not.
    bool untold = false;
    if (!m_Left && g_SendEnabled && !DeviceTakesChanges()) {
        for (auto it = m_Waiting.cbegin(); it != m_Waiting.cend(); ++it)
            untold = m_Untold.remove(it.key()) || untold;
    }
    if (untold)
        TellLater();
    // An absent device is asked again after the spacing; leaving ends that.
    if (!m_Waiting.isEmpty())
        m_Spacing.start(Timing().macroDownloadDelayMs);
}

void MacroDownloads::TellLater()
{
    if (m_Telling)
        return;
    m_Telling = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_Left && m_TellSavedHere)
            m_TellSavedHere(UnsentSavesStored());
        m_Telling = false;
    });
}

void MacroDownloads::SendBeforeLeaving()
{
    SendWaiting();
    // What could not be sent stays lacking: its profile does not hold it.
    m_Spacing.stop();
    m_Waiting.clear();
    m_Untold.clear();
    m_Left = true;
}

void MacroDownloads::PagesShown()
{
    m_Left = false;
    m_Profile = -1;
    m_ProfileCount = 0;
    m_DeviceRecordShown = false;
}

void MacroDownloads::ProfileShown(int profile, int profileCount)
{
    m_ProfileCount = profileCount;
    if (m_Profile < 0) {
        // The first report since the opening: it names the profile whose
        // record the page shows, or is about to show.
        m_Profile = profile;
    } else if (profile != m_Profile) {
        m_Spacing.stop();
        m_Waiting.clear();
        m_Untold.clear();
        m_Profile = profile;
        m_DeviceRecordShown = false;
        return;
    }
    HeldWhereNotShown(m_Unsent.keys());
    Store();
}

void MacroDownloads::RecordShown(bool devicesOwn)
{
    m_DeviceRecordShown = devicesOwn;
    HeldWhereNotShown(m_Unsent.keys());
    Store();
}

bool MacroDownloads::Rename(const QString& oldName, const QString& newName)
{
    if (m_Waiting.contains(oldName))
        m_Waiting.insert(newName, m_Waiting.take(oldName));
    if (m_Untold.remove(oldName))
        m_Untold.insert(newName);
    if (m_Unsent.contains(oldName))
        m_Unsent.insert(newName, m_Unsent.take(oldName));
    Store();
    return WhatShownCopyGets(newName) == ShownCopy::GetsLastSave;
}

void MacroDownloads::Forget(const QString& name)
{
    m_Waiting.remove(name);
    m_Untold.remove(name);
    m_Unsent.remove(name);
    Store();
}
