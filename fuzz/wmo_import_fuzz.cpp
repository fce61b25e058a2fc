// Arbitrary bytes as a file of the WMO climate normals, a data sheet or a composite file: every
// station is taken or reported, nothing else happens.

#include "convert/wmo_normals_converter.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const WmoNormalsConverter normals;
    const std::string file = FuzzInputFile(data, size);
    TFuzzLog log;
    if (!file.empty() && normals.CanImport(file))
        (void)normals.Import(file, log);
    return 0;
}
