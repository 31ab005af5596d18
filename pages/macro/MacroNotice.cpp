#include "pages/macro/MacroNotice.h"

#include "core/LanguageTables.h"

#include <QLabel>

#include <iterator>

namespace {

// The English texts, for a language file that lacks its section.
const char* const kDefaultTexts[] = {
    "The macro has no name",
    "A macro name cannot hold \\ / : * ? \" < > |",
    "A macro name cannot end with a dot or a space",
    "This name is reserved by the system",
    "A macro name cannot contain \"xml\" or \".ini\"",
    "A macro name can be at most 30 bytes long",
    "The macro folder already holds something else of this name",
    "The macro file could not be renamed",
    "The macro could not be saved to this file",
    "This file is not a macro file, or it is damaged",
    "A macro can hold at most 70 events",
    "The macro file could not be written, so the macro was not saved",
    "The file ends after %1 of its %2 rows. Nothing was imported",
    "The file names a key this program does not know: %1. Nothing was imported",
    "The macro is saved on this computer. It goes to the mouse when the mouse is shown here again",
    "The macro is saved, but not the note that the mouse lacks it. Keep the program open until the mouse is back",
    "The file of this macro is damaged, so the macro was not put on the button",
};
constexpr int kOkTextPosition = int(std::size(kDefaultTexts));

const NoticeFormSpec kMacroNotice = {
    .name = "MacroNotice",
    .frameName = "MacroNoticeA",
    .frameLimit = QSize(300, 140),
    .labelRect = QRect(10, 25, 281, 76),
    .labelText = "",
    .newHong = {QPoint(100, 110), "OK", kOkTextPosition},
    .texts = &g_LangTextsMacroNotice,
};

} // namespace

QString MacroMessageText(MacroMessage message, const QStringList& arguments)
{
    const int position = int(message);
    QString text = LanguageText(g_LangTextsMacroNotice, position, QString::fromUtf8(kDefaultTexts[position]));
    for (const QString& argument : arguments)
        text = text.arg(argument);
    return text;
}

MacroMessage MessageOfNameProblem(MacroNameProblem problem)
{
    switch (problem) {
    case MacroNameProblem::None:
    case MacroNameProblem::Empty:
        break;
    case MacroNameProblem::ForbiddenCharacter:
        return MacroMessage::ForbiddenCharacter;
    case MacroNameProblem::DotsOnly:
    case MacroNameProblem::EndsInDotOrSpace:
        return MacroMessage::EndsInDotOrSpace;
    case MacroNameProblem::ReservedDeviceName:
        return MacroMessage::ReservedName;
    case MacroNameProblem::NotListed:
        return MacroMessage::NotListed;
    case MacroNameProblem::TooLong:
        return MacroMessage::TooLong;
    }
    return MacroMessage::NoName;
}

MacroNotice::MacroNotice(MacroMessage message, const QStringList& arguments, QWidget* parent)
    : NoticeDialog(kMacroNotice, parent)
{
    // Arguments may come from a file: shown as they are, never as markup,
    // and a long one (a word the label cannot wrap) elided inside the box.
    ui->label->setTextFormat(Qt::PlainText);
    constexpr int kLongestArgument = 200; // far more than the box shows
    const QFontMetrics metrics = ui->label->fontMetrics();
    // Room is kept for the punctuation that follows an argument on its line.
    const int room = ui->label->width() - 2 * metrics.averageCharWidth();
    QStringList shown;
    for (const QString& argument : arguments)
        shown << metrics.elidedText(argument.left(kLongestArgument), Qt::ElideRight, room);
    ui->label->setText(MacroMessageText(message, shown));
}
