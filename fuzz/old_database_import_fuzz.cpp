// Arbitrary bytes as a station file of both older generations.

#include "convert/old_tvx_db_converters.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const OldTvxDBVer1Converter first;
    static const OldTvxDBVer2Converter second;
    const std::string file = FuzzInputFile(data, size);
    TFuzzLog log;
    if (!file.empty()) {
        (void)first.Import(file, log);
        (void)second.Import(file, log);
    }
    return 0;
}
