#include "pages/buttons/UnsentMacroSaves.h"

#include "pages/macro/MacroNames.h"
#include "platform/PlainFile.h"
#include "platform/UserDataFolder.h"
#include "platform/WholeFileWrite.h"

#include <QDebug>
#include <QFile>
#include <QList>
#include <QRegularExpression>

#include <algorithm>

namespace {

const char* const kHeader = "# Saved macros a mouse has not received: model, profiles holding the save, name\n";

// A profile as the device reports it: one byte.
constexpr int kHighestProfile = 255;

bool ParseModel(const QByteArray& field, std::uint16_t* model)
{
    static const QRegularExpression hex(QRegularExpression::anchoredPattern("[0-9A-Fa-f]{4}"));
    if (!hex.match(QString::fromLatin1(field)).hasMatch())
        return false;
    *model = static_cast<std::uint16_t>(field.toUInt(nullptr, 16));
    return true;
}

bool ParseProfiles(const QByteArray& field, QSet<int>* profiles)
{
    if (field.isEmpty())
        return true;
    static const QRegularExpression number(QRegularExpression::anchoredPattern("[0-9]{1,3}"));
    for (const QByteArray& part : field.split(',')) {
        if (!number.match(QString::fromLatin1(part)).hasMatch() || part.toInt() > kHighestProfile)
            return false;
        profiles->insert(part.toInt());
    }
    return true;
}

// A name is taken only as the program writes it: valid UTF-8 of a name a
// macro may bear, so that it never stands for a path.
bool ParseName(const QByteArray& field, QString* name)
{
    *name = QString::fromUtf8(field);
    return name->toUtf8() == field && CheckMacroName(*name) == MacroNameProblem::None;
}

} // namespace

QString UnsentMacroSavesPath()
{
    return UserDataFolder() + "/usersetting/MainPage/UnsentMacroSaves.txt";
}

UnsentMacroSaves ParseUnsentMacroSaves(const QByteArray& bytes)
{
    UnsentMacroSaves saves;
    int skipped = 0;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        UnsentMacroSave save;
        QString name;
        if (fields.size() != 3 || !ParseModel(fields.at(0), &save.model)
            || !ParseProfiles(fields.at(1), &save.holdingProfiles) || !ParseName(fields.at(2), &name)
            || saves.contains(name)) {
            ++skipped;
            continue;
        }
        saves.insert(name, save);
    }
    if (skipped > 0)
        qWarning() << skipped << "lines of" << UnsentMacroSavesPath() << "are not the program's and were skipped";
    return saves;
}

QByteArray FormatUnsentMacroSaves(const UnsentMacroSaves& saves)
{
    QByteArray bytes = kHeader;
    for (auto it = saves.cbegin(); it != saves.cend(); ++it) {
        QList<int> profiles = it.value().holdingProfiles.values();
        std::sort(profiles.begin(), profiles.end());
        QByteArrayList profileTexts;
        for (int profile : profiles)
            profileTexts << QByteArray::number(profile);
        bytes += QByteArray::number(it.value().model, 16).rightJustified(4, '0') + '\t' + profileTexts.join(',')
                 + '\t' + it.key().toUtf8() + '\n';
    }
    return bytes;
}

UnsentMacroSaves ReadUnsentMacroSaves()
{
    QFile file(UnsentMacroSavesPath());
    if (!file.exists())
        return {};
    if (!OpenPlainFile(file, QIODevice::ReadOnly) || file.size() > kUnsentMacroSavesMaxBytes) {
        qWarning() << UnsentMacroSavesPath() << "is not a file the program wrote: no save is known to be unsent";
        return {};
    }
    return ParseUnsentMacroSaves(file.read(kUnsentMacroSavesMaxBytes));
}

bool WriteUnsentMacroSaves(const UnsentMacroSaves& saves)
{
    QString error;
    if (WriteWholeFile(UnsentMacroSavesPath(), FormatUnsentMacroSaves(saves), &error))
        return true;
    qWarning() << "The list of unsent macro saves could not be written:" << error;
    return false;
}
