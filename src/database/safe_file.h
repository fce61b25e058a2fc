#pragma once

#include <string>
#include <string_view>

// Whole-file reading and writing for the database files.
namespace SafeFile {

enum class TReadStatus { Read, Missing, Failed };

struct TContents {
    TReadStatus Status;
    std::string Bytes;
};

// Reads the whole file. Missing means the file does not exist; every other problem (no
// permission, a folder, a read error) is Failed.
TContents ReadAll(const std::string& path);

// Replaces the file's content: writes the new bytes completely under a temporary name in the
// same folder, flushes them to disk and only then renames the file over the old one (a link is
// followed to the file it names). A new file gets the permissions 0666 less the umask, an
// existing one keeps its own. On failure the old file is untouched and false is returned.
bool Replace(const std::string& path, std::string_view bytes);

} // namespace SafeFile
