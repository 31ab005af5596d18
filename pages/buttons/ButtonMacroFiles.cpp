#include "pages/buttons/ButtonMacroFiles.h"

#include "device/KeyCodes.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNames.h"
#include "platform/PlainFile.h"

#include <QFile>
#include <QStringList>

#include <cstring>

namespace {

QString MacroPath(const QString& name)
{
    return MacroFilePath(MacroFolder(), name);
}

} // namespace

QString MacroBlockName(const MacroBlock& block)
{
    const auto end = static_cast<const char*>(std::memchr(block.Name, 0, MacroNameBytes));
    const int length = end ? int(end - block.Name) : MacroNameBytes;
    return QString::fromLocal8Bit(block.Name, length);
}

void SetMacroBlockName(MacroBlock* block, const QString& name)
{
    QString withoutNul = name;
    withoutNul.remove(QChar(0));
    const QByteArray bytes = MacroNameDeviceBytes(withoutNul);
    std::memset(block->Name, 0, MacroNameBytes);
    std::memcpy(block->Name, bytes.constData(), size_t(bytes.size()));
    block->NameLength = static_cast<std::uint8_t>(bytes.size());
}

MacroBlockLoad LoadMacroBlock(const QString& name, MacroBlock* block)
{
    std::memset(block, 0, sizeof *block);
    QFile file(MacroPath(name));
    if (!OpenPlainFile(file, QIODevice::ReadOnly | QIODevice::Text))
        return MacroBlockLoad::Unreadable;
    if (!FitsMacroBlock(ReadMacroFile(MacroPath(name)).rows))
        return MacroBlockLoad::TooManyEvents;
    SetMacroBlockName(block, name);
    if (file.size() == 0) {
        block->EventCount = 1;
        return MacroBlockLoad::Loaded;
    }
    file.readLine(); // the loop line
    int i = 0;
    while (!file.atEnd() && i < MacroEventsPerBlock) {
        const QString line = QString::fromUtf8(file.readLine());
        const QStringList fields = line.split(' ', QString::SkipEmptyParts);
        DeviceEvent& event = block->Events[i];
        if (fields.size() == 3) {
            MacroKeyUsageToBlock(MacroKeyNameFromToken(fields.at(0), fields.at(1).toInt()), i, block);
            // A last row without its line break names no direction.
            if (fields.at(2) == "0\n")
                event.Direction = 0;
            else if (fields.at(2) == "1\n")
                event.Direction = 1;
            event.DelayMs = 0;
        } else if (fields.size() == 1) {
            QString delay = fields.at(0);
            event.DelayMs = static_cast<std::uint32_t>(delay.remove("ms").trimmed().toInt());
            ++i;
        }
    }
    block->EventCount = static_cast<std::uint8_t>(qMin(i + 1, MacroEventsPerBlock));
    return MacroBlockLoad::Loaded;
}

QString ReadMacroLoopValue(const QString& name)
{
    QFile file(MacroPath(name));
    if (!OpenPlainFile(file, QIODevice::ReadOnly | QIODevice::Text) || file.size() == 0)
        return "0";
    const QStringList fields = QString::fromUtf8(file.readLine()).split(' ', QString::SkipEmptyParts);
    if (fields.isEmpty())
        return "0";
    QString first = fields.first();
    first.remove('\n');
    return first.isEmpty() ? "0" : first;
}

bool WriteMacroLoopFile(const QString& name, const QString& text)
{
    if (DeviceNameMayStandForAnother(name, ListMacroNames(MacroFolder())))
        return false;
    QFile file(MacroPath(name));
    if (!OpenPlainFile(file, QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    return file.write((text + "\n").toUtf8()) >= 0;
}
