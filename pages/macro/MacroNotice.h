#pragma once

#include "pages/macro/MacroNames.h"
#include "widgets/NoticeDialog.h"

// The macro page's own messages, in the order of their language section
// "MacroNotice": why a name was refused, and the file operations that failed.
enum class MacroMessage {
    NoName,
    ForbiddenCharacter,
    EndsInDotOrSpace,
    ReservedName,
    NotListed,
    TooLong,
    PathInUse,    // the name's path holds a link, a folder or another special file
    RenameFailed,
    ExportFailed,
    ImportFailed, // not a macro export, or a damaged one
    TooManyEvents, // more events than the device's macro block holds
    SaveFailed,    // the macro's file could not be written: nothing was saved or sent
    ImportCut,     // %1 rows of the %2 the file promises: the file ends early
    UnknownKey,    // %1 is a key name the key tables do not know
    SavedHereForTheMouse, // a save the mouse did not take now waits on this computer for it
    SavedHereWhileOpen,   // as above, but the note of it could not be written: it waits only while the program runs
    FileDamaged,          // the macro's file is not as the program writes it: it is not put on a button
};

// The message in the current language, its %1, %2 ... replaced by arguments.
QString MacroMessageText(MacroMessage message, const QStringList& arguments = {});

// Why a name that CheckMacroName refused cannot be used.
MacroMessage MessageOfNameProblem(MacroNameProblem problem);

// The notice that shows one of those messages.
class MacroNotice : public NoticeDialog
{
    Q_OBJECT

public:
    explicit MacroNotice(MacroMessage message, const QStringList& arguments = {}, QWidget* parent = nullptr);
};
