// Arbitrary bytes as a CSV file: every line is imported or reported, nothing else happens.

#include "convert/csv_converter.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CSVConverter csv;
    const std::string file = FuzzInputFile(data, size);
    TFuzzLog log;
    if (!file.empty())
        (void)csv.Import(file, log);
    return 0;
}
