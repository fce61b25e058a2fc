// Feeds arbitrary bytes to the database loader as the content of a database file. Loading may
// fail with the manager's errors; it must never crash, hang, leak or allocate without bound.

#include "database/database_mgr.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = FuzzInputFile(data, size);
    if (file.empty())
        return 0;
    try {
        TDatabaseMgr database(file, false, false);
        for (int i = 0; i < database.Count(); ++i)
            (void)database.RecordAt(i).PositionText();
    } catch (const TDatabaseMgr::TXBase&) {
    }
    return 0;
}
