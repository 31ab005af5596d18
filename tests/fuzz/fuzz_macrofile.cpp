// A macro text file of the per-user macro folder, as the macro page shows it
// and as the button page turns it into the device's macro block.

#include "FuzzKit.h"

#include "pages/buttons/ButtonMacroFiles.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    const QString path = WriteFuzzUserFile("usersetting/MacroPage/fuzz.ini", FuzzBytes(data, size));
    const MacroFileContent content = ReadMacroFile(path);
    MacroRowLines(content.rows);
    MacroBlock block{};
    LoadMacroBlock("fuzz", &block);
    ReadMacroLoopValue("fuzz");
    return 0;
}
