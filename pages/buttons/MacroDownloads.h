#pragma once

#include "pages/buttons/KeptMacroSaves.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <functional>

struct MacroFileSave;

// Saved macros on their way to the mouse buttons that show them. A save's
// download waits a short spacing first; the keys it goes to are taken when
// the save arrives, so choosing or renaming macros meanwhile changes nothing.
// Leaving the pages sends what still waits, while the device listens.
//
// Each profile of a mouse keeps its own copy of a macro. A save is kept
// (KeptMacroSave, on disk before the macro's file is written) for the mouse
// shown when it was made, until the profiles that may hold an older copy
// have it: the profile shown, when a key there shows the macro; else every
// profile, each counted as it is shown without the macro on a key. While a
// save is kept, no copy of that mouse that lacks it rebuilds the file: a key
// that shows such a copy gets the saved file instead, under the macro's name
// now, and a profile whose copy is the save already is sent nothing. A
// profile known to hold the save rebuilds the file from its copy, as every
// copy does once nothing of its macro is kept: the file follows the mouse.
//
// The mouse and the profile decide, so the keys that show a kept macro wait
// for both: the profile shown is unknown from the opening of a device until
// the device reports it, and the page may show an offline copy meanwhile.
// Nothing is sent or counted for them before (Settle). Another mouse, of the
// same model or not, neither receives a kept save nor rebuilds its file, and
// a mouse the program cannot tell from others of its model changes nothing
// that is kept. GUI thread only.
class MacroDownloads : public QObject
{
public:
    // What the downloads do on the button page.
    struct PageHooks
    {
        // The keys whose selector shows macro name now: a key given another
        // function during the spacing gets nothing.
        std::function<QList<int>(const QString& name)> keysShowing;
        // The key's macro on the device's record shown rebuilds its file.
        std::function<void(int key)> rebuildFile;
        // The key's selector shows macro name, which the key has just received.
        std::function<void(const QString& name, int key)> showOnKey;
        // Shows the user that a save waits on this computer for the device;
        // noted is false when the note of it could not be written, so that
        // it waits only while the program runs.
        std::function<void(bool noted)> tellSavedHere;
    };
    MacroDownloads(PageHooks hooks, QObject* parent);

    // A save of macro name is about to be written while keys show it: the
    // shown mouse lacks it from now on. Written down before the macro's
    // file, so that no end of the program leaves a saved file the mouse
    // lacks without its note; a note whose file stays the old one sends what
    // the mouse holds, or nothing.
    void NoteSave(const QString& name, const QList<int>& keys);
    // The events of macro name were saved, noted before (NoteSave): its
    // block goes to keys after the spacing (the macro page builds it from the
    // rows last saved). When the device does not take it then (asleep, gone,
    // being read), the user is told once that it waits on this computer.
    void QueueSave(const QString& name, const QList<int>& keys);
    // The loop value of macro name was saved, noted before: sent to keys at
    // once, or told to wait as above.
    void SendLoop(const QString& name, const QList<int>& keys);

    // A key shows a copy of macro name (by its name now or on a mouse that
    // missed its rename) whose last save is kept: what the key gets, and
    // whether the copy rebuilds the file, waits for Settle.
    bool IsKept(const QString& shownName) const;

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
    // of the profile (not an offline copy, nor the factory look).
    void RecordShown(bool devicesOwn);

    // The macro was renamed: whatever waits for it, or is kept, goes under
    // the new name; the mouse's copies keep the name they bear until they
    // receive the save. True when the shown mouse keeps a save of it that
    // the profile shown is not known to hold: keys, which show the macro
    // under its new name now, get the save rather than their copies
    // renamed, and a mouse that is away is told of like a save.
    bool Rename(const QString& oldName, const QString& newName, const QList<int>& keys);
    // The macro was deleted: nothing of it is sent or kept any more.
    void Forget(const QString& name);

private:
    // While the pages are left nothing is queued: the macro stays unsent.
    void Queue(const QString& name, const QList<int>& keys);
    // The keys of the record shown that show a kept save of the shown mouse
    // get it, or count as holding it, or rebuild its file; once the device's
    // own record of a reported profile is shown and the mouse is known.
    void Settle();
    void SettleShownKeys(const QString& name);
    // The shown profile holds the last save of name; the save is forgotten
    // once no profile is waited for any more.
    void Credit(const QString& name);
    // The keys among keys whose copy is not the last save of name, with its
    // loop value: the keys that still lack it.
    QList<int> KeysLacking(const QString& name, const QList<int>& keys) const;
    // The keys that show a copy of the kept save.
    QList<int> KeysShowingSave(const KeptMacroSave& save) const;
    // The file of name (save, as read) may replace the device's copy: the
    // save was made in this run (the macro page sends the rows it saved), or
    // the file is whole.
    bool Sendable(const QString& name, const MacroFileSave& save) const;
    // A save whose file is missing or damaged is forgotten: its remains
    // never replace the device's copy.
    void ForgetUnsendable(const QString& name);
    void RemoveSaves(const QString& name);
    // The shown mouse's save of name is forgotten once no profile is waited
    // for any more.
    void DropIfHeldEverywhere(const QString& name);
    // Sends one macro's download; false when the device would not take it.
    bool Send(const QString& name, const QList<int>& keys);
    // Tells the user, once the handler that found it has returned, unless
    // the pages are left by then or a notice of it is open.
    void TellLater();
    // Writes the kept saves when they changed.
    void Store();
    // The file keeps every save the device lacks: a later start sends each,
    // and rebuilds none from a profile that lacks it.
    bool KeptSavesStored() const;

    // The shown mouse's kept save of name, if any.
    KeptMacroSave* ShownMouseSave(const QString& name);
    // A save kept before its mouse was known belongs to the first mouse of
    // its model shown.
    void AdoptSaves(const MouseIdentity& mouse);
    // Lists the profiles of a save that every profile lacks, once their
    // number is known.
    void ListLackingProfiles(KeptMacroSave& save) const;

    PageHooks m_Hooks;
    QMap<QString, QList<int>> m_Waiting; // macro name -> keys, in the order queued
    QSet<QString> m_Untold;              // saves waiting whose missed download was not told yet
    QSet<QString> m_SavedThisRun;        // the macro page holds the rows of their last save
    KeptMacroSaves m_Kept;               // as on disk, changed first here
    KeptMacroSaves m_Stored;             // what the file holds
    int m_Profile = -1;                  // -1: not reported since the device was opened
    int m_ProfileCount = 0;
    bool m_DeviceRecordShown = false;    // the page shows the device's record of m_Profile
    bool m_Left = false;
    bool m_Telling = false;
    QTimer m_Spacing;
};
