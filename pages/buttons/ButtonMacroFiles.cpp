#include "pages/buttons/ButtonMacroFiles.h"

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

MacroBlockLoad LoadMacroBlock(const QString& name, MacroBlock* block)
{
    std::memset(block, 0, sizeof *block);
    // The macro page's own reader: the rows sent are the rows it shows.
    const MacroFileContent content = ReadMacroFile(MacroPath(name));
    if (!content.opened)
        return MacroBlockLoad::Unreadable;
    if (!content.whole && !content.empty)
        return MacroBlockLoad::Damaged;
    if (!FitsMacroBlock(content.rows))
        return MacroBlockLoad::TooManyEvents;
    *block = BuildMacroBlock(name, content.rows);
    return MacroBlockLoad::Loaded;
}

int ReadMacroLoopValue(const QString& name)
{
    return LoopValueAsShown(ReadMacroFile(MacroPath(name)).loopValue);
}

MacroFileSave ReadMacroFileSave(const QString& name)
{
    const MacroFileContent content = ReadMacroFile(MacroPath(name));
    MacroFileSave save;
    save.whole = content.whole && FitsMacroBlock(content.rows);
    save.block = BuildMacroBlock(name, content.rows);
    save.loop = LoopValueAsShown(content.loopValue);
    return save;
}

bool MacroFileSave::HeldBy(const FlashDataMap& record, int key) const
{
    return whole && SameMacroBlock(record.Macros[key], block) && record.Buttons[key].Param2 == loop;
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
