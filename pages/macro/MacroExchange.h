#pragma once

#include <QString>

class MacroFiles;
class MacroPageContext;

// The export and import commands of the macro list's context menu. Both file
// dialogs start in the folder last used, at first the home folder.
class MacroExchange
{
public:
    MacroExchange(MacroPageContext& context, MacroFiles& files);

    // Asks for a file with the save dialog and exports the shown macro with
    // the loop controls and the event list as they are now.
    void ExPortMacro();
    // The file keeps the ".ini" the import looks for: it is added to a path
    // that does not end in it. A file that cannot be written is reported.
    void ExportTo(const QString& path);

    // Asks for a file with the open dialog and imports it as a new macro:
    // the macro is added at the end of the list and shown, with the loop
    // value and the rows of the file, and its text file is written. A file
    // that is no export or a damaged one is refused with a notice, and so are
    // a name that cannot be a macro's and more events than the device keeps;
    // a name longer than a macro name is cut. A refused import changes
    // nothing.
    void InPortMacro();
    void ImportFrom(const QString& path);

private:
    QString AskForFile(bool save);

    MacroPageContext& m_Context;
    MacroFiles& m_Files;
    QString m_Folder; // where the file dialogs start
};
