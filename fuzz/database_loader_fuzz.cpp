// Feeds arbitrary bytes to the database loader as the content of a database file. Loading may
// fail with the manager's errors; it must never crash, hang, leak or allocate without bound.

#include "database/database_mgr.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// One in-memory file for all runs, reached through its descriptor's path.
int MemoryFile() {
    static const int fd = memfd_create("pelvanor-fuzz.dat", 0);
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int fd = MemoryFile();
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    try {
        TDatabaseMgr database("/proc/self/fd/" + std::to_string(fd), false, false);
        for (int i = 0; i < database.Count(); ++i)
            (void)database.RecordAt(i).PositionText();
    } catch (const TDatabaseMgr::TXBase&) {
    }
    return 0;
}
