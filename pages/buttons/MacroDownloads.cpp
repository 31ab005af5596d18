#include "pages/buttons/MacroDownloads.h"

#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/buttons/ButtonMacroFiles.h"

#include <QDebug>

#include <algorithm>
#include <utility>

namespace {

bool SendLoopToKey(int key, int loop)
{
    const FlashDataMap record = g_FlashData.Snapshot();
    const ButtonFunction function{record.Buttons[key].Type, record.Buttons[key].Param1,
                                  static_cast<std::uint8_t>(loop)};
    return SendButtonMacro(key, &function, &record.Macros[key]);
}

MouseIdentity ShownMouse()
{
    const DeviceAllInfo device = g_CurrentDevice.Snapshot();
    MouseIdentity mouse;
    mouse.model = device.Identity;
    if (device.ReceiverId.size() == kReceiverIdentityBytes)
        mouse.receiver = device.ReceiverId;
    return mouse;
}

void AddKeys(QList<int>* keys, const QList<int>& more)
{
    for (int key : more) {
        if (!keys->contains(key))
            *keys << key;
    }
}

} // namespace

MacroDownloads::MacroDownloads(PageHooks hooks, QObject* parent)
    : QObject(parent)
    , m_Hooks(std::move(hooks))
    , m_Kept(ReadKeptMacroSaves())
    , m_Stored(m_Kept)
{
    m_Spacing.setSingleShot(true);
    connect(&m_Spacing, &QTimer::timeout, this, &MacroDownloads::SendWaiting);
}

void MacroDownloads::Store()
{
    if (m_Kept == m_Stored)
        return;
    // Kept in memory either way: this run still sends what the file missed.
    if (WriteKeptMacroSaves(m_Kept))
        m_Stored = m_Kept;
}

bool MacroDownloads::KeptSavesStored() const
{
    // A later start rebuilds the file only from a profile the file says
    // holds the save, and sends it to the others.
    return std::all_of(m_Kept.cbegin(), m_Kept.cend(), [this](const KeptMacroSave& save) {
        return std::any_of(m_Stored.cbegin(), m_Stored.cend(), [&save](const KeptMacroSave& stored) {
            return stored.mouse == save.mouse && stored.name == save.name && stored.nameOnMouse == save.nameOnMouse
                   && save.holding.contains(stored.holding);
        });
    });
}

KeptMacroSave* MacroDownloads::ShownMouseSave(const QString& name)
{
    const MouseIdentity mouse = ShownMouse();
    for (KeptMacroSave& save : m_Kept) {
        if (save.name == name && save.mouse == mouse)
            return &save;
    }
    return nullptr;
}

void MacroDownloads::AdoptSaves(const MouseIdentity& mouse)
{
    for (int i = m_Kept.size() - 1; i >= 0; --i) {
        const MouseIdentity& kept = m_Kept.at(i).mouse;
        if (kept.Known() || kept.model != mouse.model)
            continue;
        KeptMacroSave adopted = m_Kept.takeAt(i);
        adopted.mouse = mouse;
        KeptMacroSave* own = ShownMouseSave(adopted.name);
        if (!own) {
            m_Kept.insert(i, adopted);
            continue;
        }
        own->everyProfileLacks = own->everyProfileLacks || adopted.everyProfileLacks;
        own->lacking = own->everyProfileLacks ? QSet<int>() : own->lacking + adopted.lacking;
        own->holding.intersect(adopted.holding);
    }
}

void MacroDownloads::ListLackingProfiles(KeptMacroSave& save) const
{
    if (!save.everyProfileLacks || m_ProfileCount <= 0)
        return;
    save.everyProfileLacks = false;
    save.lacking.clear();
    for (int profile = 0; profile < m_ProfileCount; ++profile) {
        if (!save.holding.contains(profile))
            save.lacking.insert(profile);
    }
}

bool MacroDownloads::IsKept(const QString& shownName) const
{
    return std::any_of(m_Kept.cbegin(), m_Kept.cend(), [&shownName](const KeptMacroSave& save) {
        return save.name == shownName || save.nameOnMouse == shownName;
    });
}

QList<int> MacroDownloads::KeysShowingSave(const KeptMacroSave& save) const
{
    QList<int> keys = m_Hooks.keysShowing(save.name);
    if (save.nameOnMouse != save.name)
        AddKeys(&keys, m_Hooks.keysShowing(save.nameOnMouse));
    return keys;
}

QList<int> MacroDownloads::KeysLacking(const QString& name, const QList<int>& keys) const
{
    const MacroFileSave save = ReadMacroFileSave(name);
    const FlashDataMap record = g_FlashData.Snapshot();
    QList<int> lacking;
    for (int key : keys) {
        if (!save.HeldBy(record, key))
            lacking << key;
    }
    return lacking;
}

bool MacroDownloads::Sendable(const QString& name, const MacroFileSave& save) const
{
    return m_SavedThisRun.contains(name) || save.whole;
}

void MacroDownloads::ForgetUnsendable(const QString& name)
{
    qWarning() << "The saved file of macro" << name << "is missing or damaged: the device keeps its own copy";
    m_Waiting.remove(name);
    m_Untold.remove(name);
    RemoveSaves(name);
    Store();
}

void MacroDownloads::RemoveSaves(const QString& name)
{
    m_Kept.erase(std::remove_if(m_Kept.begin(), m_Kept.end(),
                                [&name](const KeptMacroSave& save) { return save.name == name; }),
                 m_Kept.end());
}

void MacroDownloads::DropIfHeldEverywhere(const QString& name)
{
    const MouseIdentity mouse = ShownMouse();
    m_Kept.erase(std::remove_if(m_Kept.begin(), m_Kept.end(),
                                [&](const KeptMacroSave& save) {
                                    return save.name == name && save.mouse == mouse && !save.everyProfileLacks
                                           && save.lacking.isEmpty();
                                }),
                 m_Kept.end());
}

void MacroDownloads::Credit(const QString& name)
{
    if (m_Profile < 0 || !ShownMouse().Known())
        return;
    KeptMacroSave* save = ShownMouseSave(name);
    if (!save)
        return;
    save->holding.insert(m_Profile);
    save->lacking.remove(m_Profile);
    ListLackingProfiles(*save);
    DropIfHeldEverywhere(name);
}

void MacroDownloads::NoteSave(const QString& name, const QList<int>& keys)
{
    const MouseIdentity mouse = ShownMouse();
    KeptMacroSave* save = ShownMouseSave(name);
    if (!save) {
        KeptMacroSave made;
        made.mouse = mouse;
        made.name = name;
        made.nameOnMouse = name;
        m_Kept << made;
        save = &m_Kept.last();
    }
    // Every copy of every mouse is older than this save now.
    for (KeptMacroSave& kept : m_Kept) {
        if (kept.name == name)
            kept.holding.clear();
    }
    if (m_Profile >= 0 && !keys.isEmpty()) {
        // The profile shown is the one whose keys show the macro.
        if (!save->everyProfileLacks)
            save->lacking.insert(m_Profile);
    } else {
        // Any profile may hold an older copy; the one shown has none.
        save->everyProfileLacks = true;
        save->lacking.clear();
        if (m_Profile >= 0)
            save->holding.insert(m_Profile);
        ListLackingProfiles(*save);
        DropIfHeldEverywhere(name);
    }
    Store();
}

void MacroDownloads::QueueSave(const QString& name, const QList<int>& keys)
{
    m_SavedThisRun.insert(name);
    if (!keys.isEmpty() && !m_Left) {
        m_Untold.insert(name);
        Queue(name, keys);
    }
}

void MacroDownloads::Queue(const QString& name, const QList<int>& keys)
{
    if (m_Left)
        return;
    AddKeys(&m_Waiting[name], keys);
    if (!m_Spacing.isActive())
        m_Spacing.start(Timing().macroDownloadDelayMs);
}

void MacroDownloads::SendLoop(const QString& name, const QList<int>& keys)
{
    // Asked quietly first: the user hears that the save waits here, not
    // that the device is away.
    const bool away = !DeviceTakesChanges();
    bool sent = keys.isEmpty() || (!m_Left && m_Profile >= 0 && !away);
    if (sent && !keys.isEmpty()) {
        const int loop = ReadMacroLoopValue(name);
        for (int key : keys)
            sent = SendLoopToKey(key, loop) && sent;
    }
    // The profile holds the whole save when it held the events already.
    if (sent && !m_Waiting.contains(name) && KeysLacking(name, keys).isEmpty())
        Credit(name);
    Store();
    if (!sent && !m_Left && away)
        TellLater();
}

bool MacroDownloads::Send(const QString& name, const QList<int>& keys)
{
    if (m_Left || !g_SendEnabled || m_Profile < 0 || !DeviceTakesChanges())
        return false;
    const MacroFileSave save = ReadMacroFileSave(name);
    if (!Sendable(name, save)) {
        ForgetUnsendable(name);
        return true;
    }
    const QList<int> showingName = m_Hooks.keysShowing(name);
    QList<int> showing = showingName;
    if (const KeptMacroSave* kept = ShownMouseSave(name))
        AddKeys(&showing, KeysShowingSave(*kept));
    // The keys taken for the download, and any other key of the profile
    // that shows an older copy of the macro: the profile holds the save
    // once none is left. A loop value that did not reach the device goes
    // with the events; a key whose copy is the save already is sent nothing.
    for (int key : showing) {
        const FlashDataMap record = g_FlashData.Snapshot();
        if (!keys.contains(key) && save.HeldBy(record, key))
            continue;
        if (record.Buttons[key].Param2 != save.loop)
            SendLoopToKey(key, save.loop);
        if (!save.whole || !SameMacroBlock(record.Macros[key], save.block))
            PostMsg::GetInstance()->EmitMacroDownLoadData(name, key);
        if (!showingName.contains(key))
            m_Hooks.showOnKey(name, key);
    }
    // A device that left during the downloads may have missed one: all go
    // again after the spacing.
    if (!DeviceTakesChanges())
        return false;
    m_Untold.remove(name);
    Credit(name);
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
        if (!m_Left && m_Hooks.tellSavedHere)
            m_Hooks.tellSavedHere(KeptSavesStored());
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
    Settle();
}

void MacroDownloads::RecordShown(bool devicesOwn)
{
    m_DeviceRecordShown = devicesOwn;
    Settle();
}

void MacroDownloads::Settle()
{
    // A record shown while the device is read again may be another
    // profile's than the one reported.
    if (!m_DeviceRecordShown || m_Profile < 0 || !DeviceTakesChanges())
        return;
    const MouseIdentity mouse = ShownMouse();
    if (!mouse.Known())
        return;
    AdoptSaves(mouse);
    QStringList names;
    for (const KeptMacroSave& save : m_Kept) {
        if (save.mouse == mouse && !m_Waiting.contains(save.name))
            names << save.name;
    }
    for (const QString& name : names)
        SettleShownKeys(name);
    Store();
}

void MacroDownloads::SettleShownKeys(const QString& name)
{
    KeptMacroSave* save = ShownMouseSave(name);
    if (!save)
        return;
    ListLackingProfiles(*save);
    const QList<int> keys = KeysShowingSave(*save);
    if (keys.isEmpty()) {
        // The profile has no copy to lack the save.
        Credit(name);
        return;
    }
    if (save->holding.contains(m_Profile)) {
        for (int key : keys)
            m_Hooks.rebuildFile(key);
        return;
    }
    if (!Sendable(name, ReadMacroFileSave(name))) {
        ForgetUnsendable(name);
        for (int key : keys)
            m_Hooks.rebuildFile(key);
        return;
    }
    const QList<int> lacking = KeysLacking(name, keys);
    if (lacking.isEmpty()) {
        Credit(name);
        return;
    }
    if (!save->everyProfileLacks)
        save->lacking.insert(m_Profile);
    Queue(name, lacking);
}

bool MacroDownloads::Rename(const QString& oldName, const QString& newName, const QList<int>& keys)
{
    if (m_Waiting.contains(oldName))
        m_Waiting.insert(newName, m_Waiting.take(oldName));
    if (m_Untold.remove(oldName))
        m_Untold.insert(newName);
    if (m_SavedThisRun.remove(oldName))
        m_SavedThisRun.insert(newName);
    RemoveSaves(newName);
    for (KeptMacroSave& save : m_Kept) {
        if (save.name == oldName)
            save.name = newName;
    }
    Store();
    const KeptMacroSave* save = ShownMouseSave(newName);
    if (!save || !ShownMouse().Known() || (m_Profile >= 0 && save->holding.contains(m_Profile)))
        return false;
    // Told like the save itself when the mouse is away.
    m_Untold.insert(newName);
    Queue(newName, keys);
    SendWaiting();
    return true;
}

void MacroDownloads::Forget(const QString& name)
{
    m_Waiting.remove(name);
    m_Untold.remove(name);
    m_SavedThisRun.remove(name);
    RemoveSaves(name);
    Store();
}
