// The button page's list of saved macros a mouse has not received
// (usersetting/MainPage/UnsentMacroSaves.txt). What is taken from it reads
// back the same once written again.

#include "FuzzKit.h"

#include "pages/buttons/UnsentMacroSaves.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    const UnsentMacroSaves saves = ParseUnsentMacroSaves(FuzzBytes(data, size));
    if (ParseUnsentMacroSaves(FormatUnsentMacroSaves(saves)) != saves)
        std::abort();
    return 0;
}
