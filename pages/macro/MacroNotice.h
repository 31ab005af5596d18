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
};

// The message in the current language.
QString MacroMessageText(MacroMessage message);

// Why a name that CheckMacroName refused cannot be used.
MacroMessage MessageOfNameProblem(MacroNameProblem problem);

// The notice that shows one of those messages.
class MacroNotice : public NoticeDialog
{
    Q_OBJECT

public:
    explicit MacroNotice(MacroMessage message, QWidget* parent = nullptr);
};
