#pragma once

#include "device/DeviceRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

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
    TooLong,            // more than kMacroNameMaxBytes: the device would keep it cut
};

// The check for a name that a new, renamed or imported macro is to take. It
// accepts only names whose file can exist on every system the program runs
// on, that the folder listing gives back unchanged and that the device keeps
// whole.
MacroNameProblem CheckMacroName(const QString& name);

// What a macro's path names on disk.
enum class MacroPathState {
    Free,         // nothing
    MacroFile,    // a regular file: a macro of that name exists
    NotMacroFile, // a link (even a broken one), a folder, a FIFO or a device
};
MacroPathState StateOfMacroPath(const QString& path);

// The longest macro name, in bytes of the local 8-bit encoding: the device's
// name field holds no more.
constexpr int kMacroNameMaxBytes = MacroNameBytes;

enum class TextEncoding { Local8Bit, Utf8 };
// The longest start of text that takes at most maxBytes in the encoding, cut
// between characters: no encoded character is split, a surrogate pair stays
// whole.
QString CutToEncodedBytes(const QString& text, int maxBytes, TextEncoding encoding);
// The longest start of name that fits kMacroNameMaxBytes.
QString CutToMacroNameBytes(const QString& name);
// The name as a device block holds it: cut to fit, in the local encoding.
QByteArray MacroNameDeviceBytes(const QString& name);

// Whether a name read from a device block may be what the block's field left
// of another, longer macro name among names (cut to the field whole
// characters at a time, or byte-wise as older programs did). The macro of
// such a device name may not be that name's macro, so it must not write
// that macro's file.
bool DeviceNameMayStandForAnother(const QString& deviceName, const QStringList& names);

// Whether the macro a device block names may rebuild the file of that name in
// folder: a name a macro may take (CheckMacroName) that stands for no longer
// macro of the folder as it is now. The button page, which writes the loop
// line, and the macro page, which adds the rows, both decide by this.
bool DeviceMacroMayRebuildFile(const QString& deviceName, const QString& folder);

// Whether names already holds name, ignoring letter case: on a file system
// that ignores case the two would share one file.
bool MacroNameTaken(const QStringList& names, const QString& name);
