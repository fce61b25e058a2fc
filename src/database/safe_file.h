#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

// Whole-file reading and writing for the database files.
namespace SafeFile {

enum class TReadStatus { Read, Missing, Failed };

struct TContents {
    TReadStatus Status;
    std::string Bytes;
};

// Reads the file, or its first maxBytes bytes. Missing means the file does not exist; every other
// problem (no permission, a folder, a pipe or device, a read error, too little memory) is Failed.
// Only regular files are read, and nothing waits for a writer at the other end of a pipe.
TContents ReadAll(const std::string& path,
                  std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Replaces the file's content: writes the new bytes completely under a temporary name in the
// same folder, flushes them to disk and only then renames the file over the old one (a link is
// followed to the file it names). A new file gets the permissions 0666 less the umask, an
// existing one keeps its mode and, where the system allows, its owner and group. A file the
// user may not write is never replaced. Where the folder allows no new file, a writable file is
// overwritten in place once room for the whole content is secured. On failure the old file is
// untouched and false is returned.
bool Replace(const std::string& path, std::string_view bytes);

} // namespace SafeFile
