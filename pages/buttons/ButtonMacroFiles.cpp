#include "pages/buttons/ButtonMacroFiles.h"

#include "device/KeyCodes.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNames.h"

#include <QDebug>

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
    // The macro page's own reader: the rows sent are the rows it shows.
    const MacroFileContent content = ReadMacroFile(MacroPath(name));
    if (!content.opened)
        return MacroBlockLoad::Unreadable;
    if (!FitsMacroBlock(content.rows))
        return MacroBlockLoad::TooManyEvents;
    SetMacroBlockName(block, name);
    int i = 0;
    for (const MacroRow& row : content.rows) {
        DeviceEvent& event = block->Events[i];
        if (row.kind == RowKind::Delay) {
            event.DelayMs = DelayMsOfText(row.text);
            if (++i == MacroEventsPerBlock)
                break;
            continue;
        }
        MacroKeyUsageToBlock(row.text, i, block);
        event.Direction = row.kind == RowKind::Release ? 1 : 0;
        event.DelayMs = 0;
    }
    block->EventCount = static_cast<std::uint8_t>(qMin(i + 1, MacroEventsPerBlock));
    return MacroBlockLoad::Loaded;
}

int ReadMacroLoopValue(const QString& name)
{
    return LoopValueAsShown(ReadMacroFile(MacroPath(name)).loopValue);
}

bool MacroFileIsWhole(const QString& name)
{
    return ReadMacroFile(MacroPath(name)).whole;
}

bool WriteMacroLoopFile(const QString& name, const QString& text)
{
    const QString folder = MacroFolder();
    if (!DeviceMacroMayRebuildFile(name, folder)) {
        qWarning() << "The macro file of" << name << "is kept as it is: the device's macro may not be its own";
        return false;
    }
    if (ReplaceMacroFile(folder, name, (text + "\n").toUtf8()))
        return true;
    qWarning() << "The macro file of" << name << "could not be written";
    return false;
}
