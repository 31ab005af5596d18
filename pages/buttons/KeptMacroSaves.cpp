#include "pages/buttons/KeptMacroSaves.h"

#include "pages/macro/MacroNames.h"
#include "platform/PlainFile.h"
#include "platform/UserDataFolder.h"
#include "platform/WholeFileWrite.h"

#include <QDebug>
#include <QFile>

#include <algorithm>
#include <cctype>

namespace {

const char* const kHeader =
    "# Saved macros a mouse has not received: model, receiver, profiles lacking the save, profiles holding it, "
    "name on the mouse, name\n";

// A profile as the device reports it: one byte.
constexpr int kHighestProfile = 255;

const char* const kUnknownReceiver = "-";
const char* const kEveryProfile = "*";

bool IsHex(const QByteArray& field, int digits)
{
    const auto hexDigit = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    return field.size() == digits && std::all_of(field.cbegin(), field.cend(), hexDigit);
}

// One to three decimal digits, as a profile number is written.
bool IsProfileNumber(const QByteArray& field)
{
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    return !field.isEmpty() && field.size() <= 3 && std::all_of(field.cbegin(), field.cend(), digit);
}

bool ParseModel(const QByteArray& field, std::uint16_t* model)
{
    if (!IsHex(field, 4))
        return false;
    *model = static_cast<std::uint16_t>(field.toUInt(nullptr, 16));
    return true;
}

bool ParseReceiver(const QByteArray& field, QByteArray* receiver)
{
    if (field == kUnknownReceiver) {
        receiver->clear();
        return true;
    }
    if (!IsHex(field, 2 * kReceiverIdentityBytes))
        return false;
    *receiver = QByteArray::fromHex(field);
    return true;
}

bool ParseProfiles(const QByteArray& field, QSet<int>* profiles)
{
    if (field.isEmpty())
        return true;
    for (const QByteArray& part : field.split(',')) {
        if (!IsProfileNumber(part) || part.toInt() > kHighestProfile)
            return false;
        profiles->insert(part.toInt());
    }
    return true;
}

bool ParseLacking(const QByteArray& field, KeptMacroSave* save)
{
    save->everyProfileLacks = field == kEveryProfile;
    return save->everyProfileLacks || ParseProfiles(field, &save->lacking);
}

// A name is taken only as the program writes it: valid UTF-8 of a name a
// macro may bear, so that it never stands for a path.
bool ParseName(const QByteArray& field, QString* name)
{
    *name = QString::fromUtf8(field);
    return name->toUtf8() == field && CheckMacroName(*name) == MacroNameProblem::None;
}

bool ParseLine(const QList<QByteArray>& fields, KeptMacroSave* save)
{
    if (fields.size() == 3) {
        // The first version: the model alone, and the profiles holding the save.
        save->everyProfileLacks = true;
        if (!ParseModel(fields.at(0), &save->mouse.model) || !ParseProfiles(fields.at(1), &save->holding)
            || !ParseName(fields.at(2), &save->name))
            return false;
        save->nameOnMouse = save->name;
        return true;
    }
    return fields.size() == 6 && ParseModel(fields.at(0), &save->mouse.model)
           && ParseReceiver(fields.at(1), &save->mouse.receiver) && ParseLacking(fields.at(2), save)
           && ParseProfiles(fields.at(3), &save->holding) && ParseName(fields.at(4), &save->nameOnMouse)
           && ParseName(fields.at(5), &save->name);
}

QByteArray ProfilesText(const QSet<int>& profiles)
{
    QList<int> sorted = profiles.values();
    std::sort(sorted.begin(), sorted.end());
    QByteArrayList texts;
    for (int profile : sorted)
        texts << QByteArray::number(profile);
    return texts.join(',');
}

bool SameMouseAndName(const KeptMacroSave& a, const KeptMacroSave& b)
{
    return a.mouse == b.mouse && a.name == b.name;
}

} // namespace

bool MouseIdentity::Known() const
{
    return receiver.size() == kReceiverIdentityBytes;
}

QString KeptMacroSavesPath()
{
    return UserDataFolder() + "/usersetting/MainPage/UnsentMacroSaves.txt";
}

KeptMacroSaves ParseKeptMacroSaves(const QByteArray& bytes)
{
    KeptMacroSaves saves;
    int skipped = 0;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        KeptMacroSave save;
        const bool taken = ParseLine(line.split('\t'), &save)
                           && std::none_of(saves.cbegin(), saves.cend(), [&save](const KeptMacroSave& kept) {
                                  return SameMouseAndName(kept, save);
                              });
        if (taken)
            saves << save;
        else
            ++skipped;
    }
    if (skipped > 0)
        qWarning() << skipped << "lines of" << KeptMacroSavesPath() << "are not the program's and were skipped";
    return saves;
}

QByteArray FormatKeptMacroSaves(const KeptMacroSaves& saves)
{
    QByteArray bytes = kHeader;
    for (const KeptMacroSave& save : saves) {
        const QByteArray model = QByteArray::number(save.mouse.model, 16).rightJustified(4, '0');
        const QByteArray receiver = save.mouse.Known() ? save.mouse.receiver.toHex() : QByteArray(kUnknownReceiver);
        const QByteArray lacking = save.everyProfileLacks ? QByteArray(kEveryProfile) : ProfilesText(save.lacking);
        bytes += model + '\t' + receiver + '\t' + lacking + '\t' + ProfilesText(save.holding) + '\t'
                 + save.nameOnMouse.toUtf8() + '\t' + save.name.toUtf8() + '\n';
    }
    return bytes;
}

KeptMacroSaves ReadKeptMacroSaves()
{
    QFile file(KeptMacroSavesPath());
    if (!file.exists())
        return {};
    if (!OpenPlainFile(file, QIODevice::ReadOnly) || file.size() > kKeptMacroSavesMaxBytes) {
        qWarning() << KeptMacroSavesPath() << "is not a file the program wrote: no save is known to be unsent";
        return {};
    }
    return ParseKeptMacroSaves(file.read(kKeptMacroSavesMaxBytes));
}

bool WriteKeptMacroSaves(const KeptMacroSaves& saves)
{
    QString error;
    if (WriteWholeFile(KeptMacroSavesPath(), FormatKeptMacroSaves(saves), &error))
        return true;
    qWarning() << "The list of unsent macro saves could not be written:" << error;
    return false;
}
