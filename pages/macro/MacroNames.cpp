#include "pages/macro/MacroNames.h"

#include "platform/UserDataFolder.h"

#include <QDir>
#include <QRegularExpression>

QString MacroFolder()
{
    return UserDataFolder() + "/usersetting/MacroPage";
}

QString MacroFilePath(const QString& folder, const QString& name)
{
    const bool leavesFolder = name.isEmpty() || name == "." || name == ".." || name.contains('/')
                              || name.contains('\\') || name.contains(QChar(0));
    if (leavesFolder)
        return QString();
    return folder + "/" + name + ".ini";
}

QStringList ListMacroNames(const QString& folder)
{
    QStringList names;
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (QString file : files) {
        if (file.contains("xml"))
            continue;
        names << file.remove(".ini");
    }
    return names;
}

MacroNameProblem CheckMacroName(const QString& name)
{
    if (name.isEmpty())
        return MacroNameProblem::Empty;
    for (const QChar character : name) {
        if (character.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(character))
            return MacroNameProblem::ForbiddenCharacter;
    }
    if (name == "." || name == "..")
        return MacroNameProblem::DotsOnly;
    if (name.endsWith('.') || name.endsWith(' '))
        return MacroNameProblem::EndsInDotOrSpace;
    static const QRegularExpression reserved("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$",
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        return MacroNameProblem::ReservedDeviceName;
    if (name.contains("xml") || name.contains(".ini"))
        return MacroNameProblem::NotListed;
    return MacroNameProblem::None;
}

QString MacroNameProblemText(MacroNameProblem problem)
{
    switch (problem) {
    case MacroNameProblem::None:
        break;
    case MacroNameProblem::Empty:
        return QStringLiteral("The macro has no name");
    case MacroNameProblem::ForbiddenCharacter:
        return QStringLiteral("A macro name cannot hold \\ / : * ? \" < > |");
    case MacroNameProblem::DotsOnly:
    case MacroNameProblem::EndsInDotOrSpace:
        return QStringLiteral("A macro name cannot end with a dot or a space");
    case MacroNameProblem::ReservedDeviceName:
        return QStringLiteral("This name is reserved by the system");
    case MacroNameProblem::NotListed:
        return QStringLiteral("A macro name cannot contain \"xml\" or \".ini\"");
    }
    return QString();
}

bool MacroNameTaken(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}
