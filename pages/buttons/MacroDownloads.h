#pragma once

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <functional>

// Saved macros on their way to the mouse buttons that show them. A save's
// download waits a short spacing first; the keys it goes to are taken when
// the save arrives, so choosing or renaming macros meanwhile changes nothing.
// Leaving the pages sends what still waits, while the device listens.
//
// Each profile of the mouse keeps its own copy of a macro. From a save on,
// the file is newer than every copy that has not received that save, so the
// file must not be rebuilt from such a copy: a profile holds the last save
// only once a download reached it there. When a device's record is shown, the
// keys that show a macro the shown profile lacks are queued for a download
// instead (see QueueKey). A profile change while a download waits leaves
// that download to the profile it was saved on, when it is shown again.
// GUI thread only.
class MacroDownloads : public QObject
{
public:
    // keysShowing gives the keys whose selector shows a macro now: a key
    // given another function during the spacing gets nothing.
    using KeysShowing = std::function<QList<int>(const QString& name)>;
    MacroDownloads(KeysShowing keysShowing, QObject* parent);

    // The events of macro name were saved: its block goes to keys after the
    // spacing (the macro page builds it from the rows last saved).
    void QueueSave(const QString& name, const QList<int>& keys);
    // The loop value of macro name was saved: sent to keys at once.
    void SendLoop(const QString& name, const QList<int>& keys);

    // Whether the profile shown has not received the last save of macro
    // name: its download waits, could not be sent, or went to another profile.
    bool DeviceLacksLastSave(const QString& name) const
    {
        return m_Waiting.contains(name)
            || (m_Holding.contains(name) && !m_Holding.value(name).contains(m_Profile));
    }
    // key shows macro name, whose last save the device lacks: it gets the
    // saved macro after the spacing.
    void QueueKey(const QString& name, int key);

    // Sends every waiting download that the device takes now.
    void SendWaiting();
    // The pages are being left: what waits is sent now, and what cannot be
    // sent, or is saved after this, stays unsent until a device is opened.
    void SendBeforeLeaving();
    // A device is opened: downloads may go out again.
    void PagesShown() { m_Left = false; }
    // The device reports its active profile. Downloads waiting for the keys
    // of another profile are dropped: that profile still lacks their saves.
    void ProfileShown(int profile);

    // The macro was renamed: whatever waits for it, or was not sent, goes
    // under the new name. True when the profile shown lacks its last save.
    bool Rename(const QString& oldName, const QString& newName);
    // The macro was deleted: nothing of it is sent any more.
    void Forget(const QString& name);

private:
    // While the pages are left nothing is queued: the macro stays unsent.
    void Queue(const QString& name, const QList<int>& keys);
    // A new save of macro name: no profile holds it yet.
    void Saved(const QString& name) { m_Holding[name].clear(); }
    // Sends one macro's download; false when the device would not take it.
    bool Send(const QString& name, const QList<int>& keys);

    KeysShowing m_KeysShowing;
    QMap<QString, QList<int>> m_Waiting; // macro name -> keys, in the order queued
    QMap<QString, QSet<int>> m_Holding; // macro saved here -> profiles that received the last save
    int m_Profile = 0;
    bool m_Left = false;
    QTimer m_Spacing;
};
