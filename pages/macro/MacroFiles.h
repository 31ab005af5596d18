#pragma once

#include "pages/macro/MacroRows.h"

#include <QList>
#include <QString>

#include <functional>

class MacroPageContext;

// The macro page's file operations: the macro list from the folder, loading
// the selected macro into the loop controls and the event list, creating,
// saving and appending macro files, and renaming a macro.
class MacroFiles
{
public:
    explicit MacroFiles(MacroPageContext& context);

    // Appends the folder's macros to the macro list.
    void LoadMacroList();

    // Shows the selected macro's file, which makes it the shown macro: the
    // loop controls from line 1 (without their change signals, so loading is
    // no change) and the rows in the event list, none of them current. A
    // missing or empty file leaves the list empty and the loop controls as
    // they are.
    void LoadMacroFile();

    // Creates, or empties, the file of macro name; false when it cannot be
    // written (see ReplaceMacroFile).
    bool CreateMacroFile(const QString& name);

    // Stores rows under name: waits waitMs while handling events, calls
    // beforeWriting (when given) without handling events after it, then
    // replaces the file whole by the loop line and the rows (creating it).
    // The rows are the caller's copy, so whatever the user does during the
    // wait cannot change what this macro's file receives. False, with the old
    // file kept, when it cannot be written (see ReplaceMacroFile).
    bool SaveMacroFile(const QString& name, const QString& loopText, const QList<MacroRow>& rows, int waitMs,
                       const std::function<void()>& beforeWriting = {});

    // Appends the event list's rows to name's file when that file exists;
    // false when nothing was written.
    bool AppendMacroFile(const QString& name);

    // Asks for a new name for the selected macro and renames its row and
    // file; the button page is told through SigMacroRename (old, new). A
    // name that is taken or cannot be a file name is refused with a notice.
    // When the file exists but cannot be renamed, nothing changes and the
    // user is told.
    void RenameMacro();

private:
    MacroPageContext& m_Context;
};
