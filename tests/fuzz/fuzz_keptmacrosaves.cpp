// The button page's list of saved macros a mouse has not received
// (usersetting/MainPage/UnsentMacroSaves.txt). What is taken from it reads
// back the same once written again.

#include "FuzzKit.h"

#include "pages/buttons/KeptMacroSaves.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    const KeptMacroSaves saves = ParseKeptMacroSaves(FuzzBytes(data, size));
    if (ParseKeptMacroSaves(FormatKeptMacroSaves(saves)) != saves)
        std::abort();
    return 0;
}
