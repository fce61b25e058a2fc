// Arbitrary bytes as a station file of both older generations, probed under their names and
// imported.

#include "convert/old_tvx_db_converters.h"
#include "fuzz_input.h"

#include <filesystem>

namespace {

// A link under the file name the filter looks for, to the fuzz input.
std::string NamedLink(const std::string& target, const std::string& name) {
    static const std::filesystem::path folder = [] {
        std::string pattern = std::filesystem::temp_directory_path() / "pelvanor-fuzz-XXXXXX";
        return std::filesystem::path(::mkdtemp(pattern.data()));
    }();
    const std::filesystem::path link = folder / name;
    std::error_code ignored;
    std::filesystem::remove(link, ignored);
    std::filesystem::create_symlink(target, link, ignored);
    return link.string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const OldTvxDBVer1Converter first;
    static const OldTvxDBVer2Converter second;
    const std::string file = FuzzInputFile(data, size);
    TFuzzLog log;
    if (!file.empty()) {
        (void)first.CanImport(NamedLink(file, "pelvanor.dat"));
        (void)second.CanImport(NamedLink(file, "tvx.dat"));
        (void)first.Import(file, log);
        (void)second.Import(file, log);
    }
    return 0;
}
