#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// Reading and whole-file writing of the database files.
namespace SafeFile {

// Why a file could not be read or written: one of the system's error numbers (errno), or this
// one for a name that stands for a pipe, a device, a socket or a link to nothing.
inline constexpr int NotARegularFile = -1;

// The reason for messages, in Windows-1252: the system's text in the language of the user's
// locale.
std::string Reason(int error);
// "FILE: REASON" in Windows-1252 for messages, with the name as the system spells it.
std::string Describe(const std::string& path, int error);

enum class TReadStatus { Read, Missing, Failed };

// A file read piece by piece, so that a large one never has to lie in memory whole. Only a
// regular file is opened, and nothing waits for a writer at the other end of a pipe.
class TReader {
public:
    explicit TReader(const std::string& path);
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // Read while the file is open and has not failed; Missing when it does not exist; every
    // other problem (no permission, a folder, a pipe or device, a read error) is Failed.
    TReadStatus Status() const;
    // Why the file could not be opened or read (0 while it could).
    int Error() const { return ReadError; }
    std::uint64_t Size() const { return FileSize; }
    // Reads up to count bytes from offset into buffer and says how many it read: fewer only at
    // the end of the file, or when reading failed.
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count);

private:
    int Fd = -1;
    int ReadError = 0;
    std::uint64_t FileSize = 0;
};

struct TContents {
    TReadStatus Status;
    std::string Bytes;
    // Why the file could not be read (0 when it was).
    int Error = 0;
};

// Reads the file, or its first maxBytes bytes, as a TReader does: Missing means the file does not
// exist; every other problem, too little memory included, is Failed.
TContents ReadAll(const std::string& path,
                  std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// The outcome of Replace: written, or why not.
struct TWriteResult {
    int Error = 0;
    explicit operator bool() const { return Error == 0; }
};

// Replaces the file's content: writes the new bytes completely into a temporary file in the same
// folder, flushes them to disk and only then puts the file in place of the old one. Only a
// regular file, or a name that does not exist yet, is replaced; a link is followed to the
// regular file it names; a folder, a pipe, a device, a socket or a link to nothing is refused
// before anything is written. A new file gets the permissions 0666 less the umask, an existing
// one keeps its mode and, where the system allows, its owner and group. A file the user may not
// write is never replaced. Where the folder allows no new file, a writable file is overwritten
// in place once room for the whole content is secured. On failure the old file is untouched.
//
// The temporary file has no name until it is complete where the file system allows; otherwise
// it is called ".NAME.NNNNNN.tmp", and such files that an interrupted save left behind are
// removed before the next save of the same file.
TWriteResult Replace(const std::string& path, std::string_view bytes);

// Whether both names stand for the same existing file, however they are spelled (links, "..").
bool SameFile(const std::string& first, const std::string& second);

} // namespace SafeFile
