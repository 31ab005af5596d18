#include "pages/macro/MacroNames.h"

#include "platform/UserDataFolder.h"

#include <QDir>
#include <QFileInfo>
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
    if (name.toLocal8Bit().size() > kMacroNameMaxBytes)
        return MacroNameProblem::TooLong;
    return MacroNameProblem::None;
}

MacroPathState StateOfMacroPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return MacroPathState::NotMacroFile;
    if (!info.exists())
        return MacroPathState::Free;
    return info.isFile() ? MacroPathState::MacroFile : MacroPathState::NotMacroFile;
}

QString CutToEncodedBytes(const QString& text, int maxBytes, TextEncoding encoding)
{
    int used = 0;
    int end = 0;
    while (end < text.size()) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        const QString character = text.mid(end, pair ? 2 : 1);
        const int bytes = encoding == TextEncoding::Utf8 ? character.toUtf8().size() : character.toLocal8Bit().size();
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        end += character.size();
    }
    return text.left(end);
}

QString CutToMacroNameBytes(const QString& name)
{
    return CutToEncodedBytes(name, kMacroNameMaxBytes, TextEncoding::Local8Bit);
}

QByteArray MacroNameDeviceBytes(const QString& name)
{
    return CutToMacroNameBytes(name).toLocal8Bit();
}

bool DeviceNameMayStandForAnother(const QString& deviceName, const QStringList& names)
{
    for (const QString& name : names) {
        if (name == deviceName)
            continue;
        const QString byteCut = QString::fromLocal8Bit(name.toLocal8Bit().left(kMacroNameMaxBytes));
        if (CutToMacroNameBytes(name) == deviceName || byteCut == deviceName)
            return true;
    }
    return false;
}

bool DeviceMacroMayRebuildFile(const QString& deviceName, const QString& folder)
{
    return CheckMacroName(deviceName) == MacroNameProblem::None
           && !DeviceNameMayStandForAnother(deviceName, ListMacroNames(folder));
}

bool MacroNameTaken(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}
