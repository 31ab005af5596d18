#pragma once

#include "pages/buttons/UnsentMacroSaves.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
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
// only once a download reached it there, or once it was shown with the macro
// on none of its keys (it has no older copy then). When a device's record is
// shown, the keys that show a macro the shown profile lacks are queued for a
// download instead (see WhatShownCopyGets). A profile change while a download
// waits leaves that download to the profile it was saved on, when it is
// shown again.
//
// What each profile holds is kept on disk (UnsentMacroSaves), written as the
// save arrives, right after its file, and again whenever a profile receives
// it; a save that every profile holds is forgotten. So a save the device
// missed because it slept, was unplugged or changed profile, or because the
// program ended without its shutdown, reaches the device when it is shown
// after a later start.
//
// A save is kept for the device model it was made on. Another model's device
// that shows a macro of that name keeps its own copy and does not rebuild the
// file: its copy is no older save of this one, and the file is the user's
// last save, which that model's device must not receive unasked either.
//
// The profile shown is unknown from the opening of a device until the device
// reports it: nothing is sent or counted as held meanwhile. GUI thread only.
class MacroDownloads : public QObject
{
public:
    // keysShowing gives the keys whose selector shows a macro now: a key
    // given another function during the spacing gets nothing. tellSavedHere
    // shows the user that a save waits on this computer for the device;
    // noted is false when the note of it could not be written, so that it
    // waits only while the program runs.
    using KeysShowing = std::function<QList<int>(const QString& name)>;
    using TellSavedHere = std::function<void(bool noted)>;
    MacroDownloads(KeysShowing keysShowing, TellSavedHere tellSavedHere, QObject* parent);

    // The events of macro name were saved: its block goes to keys after the
    // spacing (the macro page builds it from the rows last saved). When the
    // device does not take it then (asleep, gone, being read), the user is
    // told once that it waits on this computer.
    void QueueSave(const QString& name, const QList<int>& keys);
    // The loop value of macro name was saved: sent to keys at once, or told
    // to wait as above.
    void SendLoop(const QString& name, const QList<int>& keys);

    // What a key that shows macro name on a device's record does with it.
    enum class ShownCopy {
        RebuildsFile, // the profile holds the last save, or none is kept: the file follows the device
        GetsLastSave, // the profile shown lacks the last save: the key gets the saved file (QueueKey)
        StaysApart,   // the last save was made for another model: neither the file nor the key changes
    };
    // A kept save whose file is no longer whole (missing, emptied, cut, not
    // a regular file) cannot go to the device: it is forgotten, and the
    // device's copy stays and rebuilds the file.
    ShownCopy WhatShownCopyGets(const QString& name);
    // key shows macro name, whose last save the device lacks: it gets the
    // saved macro after the spacing.
    void QueueKey(const QString& name, int key);

    // Sends every waiting download that the device takes now.
    void SendWaiting();
    // The pages are being left: what waits is sent now, and what cannot be
    // sent, or is saved after this, stays unsent until a device is opened.
    void SendBeforeLeaving();
    // A device is opened: downloads may go out again, once it has told its
    // active profile.
    void PagesShown();
    // The device reports its active profile among profileCount. Downloads
    // waiting for the keys of another profile are dropped: that profile still
    // lacks their saves.
    void ProfileShown(int profile, int profileCount);
    // The page shows a record: devicesOwn when it is the device's own record
    // of the profile (not an offline copy, nor the factory look). A kept save
    // that none of the keys of the device's record shows is held by that
    // profile: it has no older copy.
    void RecordShown(bool devicesOwn);

    // The macro was renamed: whatever waits for it, or was not sent, goes
    // under the new name. True when the profile shown lacks its last save.
    bool Rename(const QString& oldName, const QString& newName);
    // The macro was deleted: nothing of it is sent any more.
    void Forget(const QString& name);

private:
    // While the pages are left nothing is queued: the macro stays unsent.
    void Queue(const QString& name, const QList<int>& keys);
    // A new save of macro name on the model shown: no profile holds it yet.
    void Saved(const QString& name);
    // The profile shown holds the last save of name; forgotten once every
    // profile of the device holds it.
    void Held(const QString& name);
    // Held, for each of names that no key shows while the page shows the
    // device's record of the profile.
    void HeldWhereNotShown(const QStringList& names);
    // False, with the save forgotten, when the file of a kept save is not
    // whole: its remains never replace the device's copy.
    bool KeptFileWhole(const QString& name);
    // Sends one macro's download; false when the device would not take it.
    bool Send(const QString& name, const QList<int>& keys);
    // Tells the user, once the handler that found it has returned, unless
    // the pages are left by then or a notice of it is open.
    void TellLater();
    // Writes the kept saves when they changed.
    void Store();
    // The file keeps every save the device lacks: a later start sends each,
    // and rebuilds none from a profile that lacks it.
    bool UnsentSavesStored() const;

    KeysShowing m_KeysShowing;
    TellSavedHere m_TellSavedHere;
    QMap<QString, QList<int>> m_Waiting; // macro name -> keys, in the order queued
    QSet<QString> m_Untold;              // saves waiting whose missed download was not told yet
    UnsentMacroSaves m_Unsent;           // as on disk, changed first here
    UnsentMacroSaves m_Stored;           // what the file holds
    int m_Profile = -1;                  // -1: not reported since the device was opened
    int m_ProfileCount = 0;
    bool m_DeviceRecordShown = false;    // the page shows the device's record of m_Profile
    bool m_Left = false;
    bool m_Telling = false;
    QTimer m_Spacing;
};
