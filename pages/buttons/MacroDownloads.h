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
// A download that could not reach the device leaves its macro "unsent": the
// device holds an older copy than the file, so the file must not be rebuilt
// from the device. When a device's record is shown again, the keys that show
// an unsent macro are queued for a download instead (see QueueKey).
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

    // Whether the device has not received the last save of macro name: its
    // download waits, or could not be sent.
    bool DeviceLacksLastSave(const QString& name) const
    {
        return m_Waiting.contains(name) || m_Unsent.contains(name);
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

    // The macro was renamed: whatever waits for it, or was not sent, goes
    // under the new name. True when something did.
    bool Rename(const QString& oldName, const QString& newName);
    // The macro was deleted: nothing of it is sent any more.
    void Forget(const QString& name);

private:
    // While the pages are left nothing is queued: the macro stays unsent.
    void Queue(const QString& name, const QList<int>& keys);
    // Sends one macro's download; false when the device would not take it.
    bool Send(const QString& name, const QList<int>& keys);

    KeysShowing m_KeysShowing;
    QMap<QString, QList<int>> m_Waiting; // macro name -> keys, in the order queued
    QSet<QString> m_Unsent;
    bool m_Left = false;
    QTimer m_Spacing;
};
