// A macro export file, as the macro page's import reads it and shows its
// rows: the name cut for the device, each row as an event-list item with the
// picture of its kind.

#include "FuzzKit.h"

#include "pages/macro/MacroExportFile.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNames.h"
#include "pages/macro/MacroRows.h"

#include <QListWidgetItem>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    const MacroExportReading reading = ReadMacroExport(FuzzBytes(data, size));
    if (reading.status != MacroExportStatus::Read)
        return 0;
    CutToMacroNameBytes(reading.macro.name);
    for (const MacroRow& row : reading.macro.rows) {
        const std::unique_ptr<QListWidgetItem> item(NewRow(row));
        item->icon().pixmap(16, 16);
    }
    MacroRowLines(reading.macro.rows);
    return 0;
}
