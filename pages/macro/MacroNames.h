#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Macros are stored one text file per macro in the per-user macro folder,
// named after the macro with the extension ".ini"; the folder's file list is
// the list of macros. A macro name comes from the user (the name prompt), from
// an imported file or from the device, and becomes part of a path, so every
// name is checked before a file is touched.

// UserDataFolder() + "/usersetting/MacroPage", without a trailing slash.
QString MacroFolder();

// folder + "/" + name + ".ini"; empty when the name could leave the folder
// (empty, ".", "..", or holding a path separator or a NUL), so that such a
// name never reaches the file system.
QString MacroFilePath(const QString& folder, const QString& name);

// The macro names of a folder in list order: its files (no links), sorted by
// name ignoring case; names containing "xml" are skipped, and every ".ini" is
// removed from the rest. A missing folder lists nothing.
QStringList ListMacroNames(const QString& folder);

// Why a name cannot become a new macro.
enum class MacroNameProblem {
    None,
    Empty,
    ForbiddenCharacter, // \ / : * ? " < > | or a control character
    DotsOnly,           // "." or ".."
    EndsInDotOrSpace,   // Windows drops them, so two names would share a file
    ReservedDeviceName, // CON, PRN, AUX, NUL, COM1..9, LPT1..9
    NotListed,          // holds "xml" or ".ini": it would not come back from the folder as itself
};

// The check for a name that a new, renamed or imported macro is to take. It
// accepts only names whose file can exist on every system the program runs
// on and that the folder listing gives back unchanged.
MacroNameProblem CheckMacroName(const QString& name);

// A short message for the user.
QString MacroNameProblemText(MacroNameProblem problem);

// Whether names already holds name, ignoring letter case: on a file system
// that ignores case the two would share one file.
bool MacroNameTaken(const QStringList& names, const QString& name);
