#pragma once

#include <QString>

class MacroFiles;
class MacroPageContext;
class QMenu;
class QObject;
class QPoint;

// The macro page's editing commands. They keep the event list alternating
// (event, delay, event ...): an inserted event comes with a "10ms" delay, a
// deletion takes an event together with one neighbouring delay. Save tells
// the button page that a save comes (SigMacroSaving), writes the macro's file
// and tells the button page what changed since the last save
// (SigUpDataMacro: 0 the events, 1 the loop value). The commands work on
// the macro whose rows are shown. While a recording runs every command
// refuses with a notice.
class MacroEditor
{
public:
    MacroEditor(MacroPageContext& context, MacroFiles& files);

    // A click on a macro: shows it; unsaved rows of the macro shown before are
    // dropped, the change trackers keep their values.
    void ShowClickedMacro();
    // The list's current row moved (arrow keys, type-ahead, a click): shows
    // the macro it moved to when it is highlighted and not shown already, so
    // that what is highlighted is what Save, recording and editing work on.
    void ShowCurrentMacro();

    // An item of the insert-event chooser: 1 key press, 2 key release (the
    // key dialog), 3 delay (the delay dialog, next to the current row), 4 to
    // 8 a click of the left, right, middle, forward or back mouse button.
    // An event beyond what the device's macro block holds is refused with a
    // notice, so that nothing the user made is cut off on the device.
    void ChooseEvent(int item);

    // Insert at the current row of the event list (or at its end when none
    // is current); the current row stays.
    void InsertKeyEvent(const QString& name, bool down);
    void InsertMouseButtonEvent(const QString& name);
    // Sets the delay before the current event, or replaces the current delay.
    void InsertDelayItem(double milliseconds);

    // Changes the current row: a delay through the delay dialog, a key
    // through the key dialog (a press stays a press, a release a release).
    void Amend();
    // Deletes the current row with its neighbouring delay; a list of fewer
    // than four rows is cleared.
    void DeleteKey();
    // Writes the shown rows to the macro's file and has the keys that show
    // the macro sent again, with what changed since the last save taken when
    // it starts. A macro of more events than the device keeps, one whose name
    // no macro may take now, and a file that cannot be written are refused
    // with a notice: the file stays as it was, nothing is sent, Save stays
    // active and the changes wait for the next save.
    void Save();
    // Asks for a name and adds an empty macro of that name, selected; when its
    // file cannot be created the user is told and nothing is added.
    void NewMacro();
    // Asks for confirmation, removes the selected macro and its file, and
    // tells the button page (SigDeleteMacroButton with the macro's label).
    void DeleteMacro();

    // The change trackers: a row's text changed; the loop mode or the repeat
    // count changed (this also makes Save active).
    void MarkEventsChanged();
    void MarkLoopChanged();

    // A mouse press at pos (page coordinates) outside the two spin boxes
    // takes the focus from them to the page.
    void TakeFocusFromSpinBoxes(const QPoint& pos);

    // The context menu of the macro list for a right click at pos (list
    // coordinates): over a macro Export, Rename and Delete, elsewhere New and
    // Import, triggering receiver's slots ExPortMacro(), RenameMacro(),
    // DeleteMacro(), CreateMewMacro() and InPortMacro().
    void FillMacroListMenu(QMenu& menu, const QPoint& pos, QObject* receiver) const;
    // Runs that menu at the mouse pointer, after showing the macro under pos
    // when another one is shown.
    void ShowMacroListMenu(const QPoint& pos, QObject* receiver);

private:
    // Whether added more events still fit the device's block; a notice when not.
    bool RoomForEvents(int added) const;

    MacroPageContext& m_Context;
    MacroFiles& m_Files;
};
