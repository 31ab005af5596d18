#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <cstdint>

// The saved macros that a mouse has not received in full, kept in the
// button page's per-user folder so that the fact outlives the program: a
// later start sends such a macro's file to the keys of that mouse that show
// it instead of rebuilding the file from the mouse's older copy.
//
// The file is the program's own, but it lies in the user's folder: it is
// read as data. A line that is not one the program writes is skipped, a
// name is taken only when a macro may bear it (CheckMacroName), and nothing
// but a regular file is opened or replaced.
//
// One line per kept save, UTF-8, fields separated by tabs:
//   <model>\t<receiver>\t<lacking>\t<holding>\t<name on the mouse>\t<name>
// model: the mouse's device identity (CID in the low byte, MID in the high
// one) as four hexadecimal digits; receiver: the receiver identity the mouse
// reports as six hexadecimal digits, "-" when it was not known; lacking: the
// profiles that still lack the save, in decimal, separated by commas, or "*"
// for every profile the mouse has that does not hold it; holding: the
// profiles that hold it. Lines beginning with '#' are comments. A line of
// the first version, "<model>\t<holding>\t<name>", is read as a save for a
// mouse of that model not yet known, which every profile lacks.

// A mouse as the program tells it from another of its model: its model and
// the receiver identity it reports, through its receiver and on its cable
// alike (three zero bytes for a mouse never paired).
struct MouseIdentity
{
    std::uint16_t model = 0;
    QByteArray receiver; // three bytes; empty when not known

    bool Known() const;
    bool operator==(const MouseIdentity& other) const
    {
        return model == other.model && receiver == other.receiver;
    }
    bool operator!=(const MouseIdentity& other) const { return !(*this == other); }
};

// The number of bytes of a receiver identity.
constexpr int kReceiverIdentityBytes = 3;

// The last save of macro name, which profiles of one mouse still lack.
struct KeptMacroSave
{
    MouseIdentity mouse;
    QString name;        // the macro, as its file is named
    QString nameOnMouse; // the name of the mouse's older copies: the macro's name before a rename
    // Every profile of the mouse but those holding the save lacks it; the
    // profiles are listed in lacking once their number is known.
    bool everyProfileLacks = false;
    QSet<int> lacking;
    QSet<int> holding;

    bool operator==(const KeptMacroSave& other) const
    {
        return mouse == other.mouse && name == other.name && nameOnMouse == other.nameOnMouse
               && everyProfileLacks == other.everyProfileLacks && lacking == other.lacking
               && holding == other.holding;
    }
};

// At most one save per mouse and macro name.
using KeptMacroSaves = QList<KeptMacroSave>;

// UserDataFolder() + "/usersetting/MainPage/UnsentMacroSaves.txt".
QString KeptMacroSavesPath();

// The lines of a file; what does not fit is skipped, the first line of a
// mouse and name counts.
KeptMacroSaves ParseKeptMacroSaves(const QByteArray& bytes);
QByteArray FormatKeptMacroSaves(const KeptMacroSaves& saves);

// The file as it is; none when it is missing, is not a regular file or is
// far larger than the program ever writes it.
KeptMacroSaves ReadKeptMacroSaves();
// Replaces the file whole (WriteWholeFile); false, with the old file kept
// and a line in the log, when it cannot be written.
bool WriteKeptMacroSaves(const KeptMacroSaves& saves);

// Far more than the program writes: a line per macro of the folder.
constexpr qint64 kKeptMacroSavesMaxBytes = 1024 * 1024;
