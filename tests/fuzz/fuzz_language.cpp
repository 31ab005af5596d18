// The language files (Language/0-English.xml, 5-Polish.xml): the input is
// the English file; the tables are emptied after each load.

#include "FuzzKit.h"

#include "core/LanguageLoader.h"
#include "core/LanguageSections.h"
#include "core/LanguageTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    WriteFuzzProgramFile("Language/0-English.xml", FuzzBytes(data, size));
    WriteFuzzProgramFile("Language/5-Polish.xml", FuzzBytes(data, size));
    LoadLanguageFiles();
    for (const LanguageSection& section : LanguageSections()) {
        for (int k = -1; k <= section.elements.size(); ++k)
            LanguageText(*section.table, k, QString());
        section.table->clear();
    }
    return 0;
}
