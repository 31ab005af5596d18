// A macro export file, as the macro page's import reads it.

#include "FuzzKit.h"

#include "pages/macro/MacroExportFile.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    QByteArray input = FuzzBytes(data, size);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    ReadMacroExport(buffer);
    return 0;
}
