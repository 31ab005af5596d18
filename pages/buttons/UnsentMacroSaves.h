#pragma once

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>

#include <cstdint>

// The saved macros that a mouse has not received in full, kept in the
// button page's per-user folder so that the fact outlives the program: a
// later start sends such a macro's file to the keys that show it instead of
// rebuilding the file from the device's older copy.
//
// The file is the program's own, but it lies in the user's folder: it is
// read as data. A line that is not one the program writes is skipped, a
// name is taken only when a macro may bear it (CheckMacroName), and nothing
// but a regular file is opened or replaced.
//
// One line per macro, UTF-8:
//   <model>\t<profiles>\t<name>
// model: the device identity the save was made for (CID in the low byte,
// MID in the high one) as four hexadecimal digits; profiles: the profiles
// of that device that hold the save, in decimal, separated by commas (none
// yet: empty). Lines beginning with '#' are comments.

struct UnsentMacroSave
{
    std::uint16_t model = 0;
    QSet<int> holdingProfiles;

    bool operator==(const UnsentMacroSave& other) const
    {
        return model == other.model && holdingProfiles == other.holdingProfiles;
    }
};

// Macro name -> what is known of its last save.
using UnsentMacroSaves = QMap<QString, UnsentMacroSave>;

// UserDataFolder() + "/usersetting/MainPage/UnsentMacroSaves.txt".
QString UnsentMacroSavesPath();

// The lines of a file; what does not fit is skipped, the first line of a
// name counts.
UnsentMacroSaves ParseUnsentMacroSaves(const QByteArray& bytes);
QByteArray FormatUnsentMacroSaves(const UnsentMacroSaves& saves);

// The file as it is; none when it is missing, is not a regular file or is
// far larger than the program ever writes it.
UnsentMacroSaves ReadUnsentMacroSaves();
// Replaces the file whole (WriteWholeFile); false, with the old file kept
// and a line in the log, when it cannot be written.
bool WriteUnsentMacroSaves(const UnsentMacroSaves& saves);

// Far more than the program writes: a line per macro of the folder.
constexpr qint64 kUnsentMacroSavesMaxBytes = 1024 * 1024;
