// Arbitrary bytes as a table file. A value the record refuses ends the import with the record's
// exception; anything else must not escape.

#include "convert/table_converter.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TableConverter table;
    const std::string file = FuzzInputFile(data, size);
    TFuzzLog log;
    try {
        if (!file.empty())
            (void)table.Import(file, log);
    } catch (const TDiagramData::TXBase&) {
    }
    return 0;
}
