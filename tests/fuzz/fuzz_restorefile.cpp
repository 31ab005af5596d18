// A per-key restore file of the button page (usersetting/MainPage/2.ini ...).

#include "FuzzKit.h"

#include "pages/buttons/SelectorRestore.h"

#include <QTextStream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    QByteArray input = FuzzBytes(data, size);
    QTextStream stream(&input);
    ParseSelectorRestoreLine(stream.readLine());
    return 0;
}
