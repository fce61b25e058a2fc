#include "database/safe_file.h"

#include "model/windows1252.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <langinfo.h>
#include <new>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Windows1252::Literals;

namespace SafeFile {
namespace {

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : Fd(fd) {}
    ~TFileDescriptor() {
        if (Fd >= 0)
            ::close(Fd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;

    int Get() const { return Fd; }
    // 0, or why closing failed (a delayed write error shows only here).
    int Close() {
        const int fd = Fd;
        Fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int Fd;
};

// 0, or why the bytes could not all be written.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

// Where a replacement writes: the regular file that a name finally stands for, or the name
// itself while nothing stands there yet.
struct TTarget {
    std::filesystem::path Path;
    bool Exists = false;
    struct stat Info {};
    int Error = 0;
};

TTarget TargetOf(const std::string& path) {
    TTarget target;
    if (::stat(path.c_str(), &target.Info) == 0) {
        if (!S_ISREG(target.Info.st_mode)) {
            target.Error = S_ISDIR(target.Info.st_mode) ? EISDIR : NotARegularFile;
            return target;
        }
        std::error_code error;
        target.Path = std::filesystem::canonical(path, error);
        target.Error = error.value();
        target.Exists = true;
        return target;
    }
    if (errno != ENOENT) {
        target.Error = errno;
        return target;
    }
    // A link to nothing would make a file wherever it points.
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0)
        target.Error = NotARegularFile;
    target.Path = path;
    return target;
}

// Temporary files are called ".NAME.NNNNNN.tmp" after the file they replace, with the name cut
// where the whole would be longer than a file name may be.
std::string TemporaryPrefix(const std::filesystem::path& target) {
    constexpr std::size_t Frame = 12; // two dots, six digits and ".tmp"
    return "." + target.filename().string().substr(0, NAME_MAX - Frame) + ".";
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    constexpr std::string_view Suffix = ".tmp";
    if (!name.starts_with(prefix) || !name.ends_with(Suffix))
        return false;
    const std::string_view number =
        name.substr(prefix.size(), name.size() - prefix.size() - Suffix.size());
    return !number.empty() && number.size() <= 6 &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Removes the temporary files of this target that an interrupted save left behind. A save at
// work holds a lock on its temporary file, so that only abandoned ones go.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path folder = FolderOf(target);
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return;
    const std::string prefix = TemporaryPrefix(target);
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryName(entry->d_name, prefix))
            continue;
        const std::filesystem::path name = folder / entry->d_name;
        const TFileDescriptor file(
            ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (file.Get() >= 0 && ::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(name.c_str());
    }
    ::closedir(listing);
}

// Calls open with new temporary names beside the target until one is not taken: its result, or
// -1 with errno.
template <typename Open>
int TryTemporaryNames(const std::filesystem::path& target, Open&& open) {
    std::random_device seed;
    std::mt19937 random(seed());
    const std::string prefix = TemporaryPrefix(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char number[8];
        std::snprintf(number, sizeof number, "%06u", static_cast<unsigned>(random() % 1000000));
        const int result = open((FolderOf(target) / (prefix + number + ".tmp")).string());
        if (result >= 0 || errno != EEXIST)
            return result;
    }
    return -1;
}

// The new content's file beside the target, locked while it lives. It has no name until it is
// complete where the file system allows (O_TMPFILE), otherwise a name nobody uses; a file that
// never took the target's place is gone with the object.
class TTemporaryFile {
public:
    explicit TTemporaryFile(const std::filesystem::path& target)
        : Target(target), File(Open(target, Name)), OpenError(File.Get() < 0 ? errno : 0) {
        if (File.Get() >= 0)
            ::flock(File.Get(), LOCK_EX);
    }
    ~TTemporaryFile() {
        if (!Name.empty())
            ::unlink(Name.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    // 0 when the file could be made, else why not.
    int Error() const { return OpenError; }
    int Get() const { return File.Get(); }

    // Writes the content, makes sure it is on disk and puts the file in place of the target;
    // 0, or why that failed.
    int Publish(std::string_view bytes) {
        if (const int error = WriteAll(File.Get(), bytes))
            return error;
        if (::fsync(File.Get()) != 0)
            return errno;
        if (const int error = GiveName())
            return error;
        // Renamed while still open, and so locked: nobody takes it for an abandoned file.
        if (::rename(Name.c_str(), Target.c_str()) != 0)
            return errno;
        Name.clear();
        return 0;
    }

private:
    static int Open(const std::filesystem::path& target, std::string& name) {
        // An unnamed file gets its name through /proc in the end.
        const int unnamed =
            ::access("/proc/self/fd", X_OK) == 0
                ? ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)
                : -1;
        if (unnamed >= 0)
            return unnamed;
        return TryTemporaryNames(target, [&name](const std::string& candidate) {
            name = candidate;
            return ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        });
    }

    // An unnamed file gets its name only now, when it is complete.
    int GiveName() {
        if (!Name.empty())
            return 0;
        const std::string self = "/proc/self/fd/" + std::to_string(File.Get());
        std::string name;
        const int result = TryTemporaryNames(Target, [&](const std::string& candidate) {
            name = candidate;
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW);
        });
        if (result != 0)
            return errno;
        Name = std::move(name);
        return 0;
    }

    const std::filesystem::path Target;
    // Declared before the descriptor, which the constructor opens under it.
    std::string Name;
    TFileDescriptor File;
    const int OpenError;
};

// Gives the new file the old one's owner and group where the system allows it (a user may
// give a file to one of the user's groups, but not to somebody else), then its mode, which a
// change of owner may have cut.
void KeepOwnerAndMode(int fd, const struct stat& existing) {
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    (void)::fchmod(fd, existing.st_mode & 07777);
}

// Writes the content over the file itself, for folders in which no new file may be made. The
// room for the whole content is claimed first, so that a full disk stops the write before it
// touches the old content.
int Overwrite(const std::filesystem::path& target, std::string_view bytes) {
    TFileDescriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return NotARegularFile;
    const auto size = static_cast<off_t>(bytes.size());
    if (size > info.st_size && ::fallocate(file.Get(), 0, 0, size) != 0 && errno != EOPNOTSUPP)
        return errno;
    if (const int error = WriteAll(file.Get(), bytes))
        return error;
    if (::ftruncate(file.Get(), size) != 0 || ::fsync(file.Get()) != 0)
        return errno;
    return file.Close();
}

} // namespace

std::string Reason(int error) {
    if (error == NotARegularFile)
        return "keine reguläre Datei"_cp1252;
    // The system's texts follow the user's locale, which need not be Windows-1252.
    const char* reason = std::strerror(error);
    if (std::strcmp(::nl_langinfo(CODESET), "UTF-8") != 0)
        return reason;
    bool complete = true;
    return Windows1252::FromUtf8Replacing(reason, complete);
}

std::string Describe(const std::string& path, int error) {
    bool complete = true;
    return Windows1252::FromUtf8Replacing(path, complete) + ": " + Reason(error);
}

TReader::TReader(const std::string& path)
    // Opened without waiting, so that a pipe with no writer cannot hold the program.
    : Fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    if (Fd < 0) {
        ReadError = errno;
        return;
    }
    struct stat info {};
    if (::fstat(Fd, &info) != 0)
        ReadError = errno;
    else if (!S_ISREG(info.st_mode))
        ReadError = S_ISDIR(info.st_mode) ? EISDIR : NotARegularFile;
    else
        FileSize = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));
}

TReader::~TReader() {
    if (Fd >= 0)
        ::close(Fd);
}

TReadStatus TReader::Status() const {
    if (ReadError == 0)
        return TReadStatus::Read;
    return Fd < 0 && ReadError == ENOENT ? TReadStatus::Missing : TReadStatus::Failed;
}

std::size_t TReader::ReadAt(std::uint64_t offset, char* buffer, std::size_t count) {
    std::size_t done = 0;
    while (ReadError == 0 && done < count) {
        const ssize_t read =
            ::pread(Fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            ReadError = errno;
        if (read <= 0)
            break;
        done += static_cast<std::size_t>(read);
    }
    return done;
}

TContents ReadAll(const std::string& path, std::size_t maxBytes) {
    TReader file(path);
    if (file.Status() != TReadStatus::Read)
        return {file.Status(), {}, file.Error()};
    // Only a plausible size is reserved up front: a sparse file may claim far more than memory
    // could hold, and is read as far as memory goes.
    std::string bytes;
    constexpr std::size_t ReserveLimit = std::size_t{256} << 20;
    if (file.Size() <= std::min<std::uint64_t>(maxBytes, ReserveLimit))
        bytes.reserve(static_cast<std::size_t>(file.Size()));
    char buffer[1 << 16];
    try {
        while (bytes.size() < maxBytes) {
            const std::size_t wanted = std::min(sizeof buffer, maxBytes - bytes.size());
            const std::size_t count = file.ReadAt(bytes.size(), buffer, wanted);
            bytes.append(buffer, count);
            if (count < wanted)
                break;
        }
    } catch (const std::bad_alloc&) {
        return {TReadStatus::Failed, {}, ENOMEM};
    }
    if (file.Status() != TReadStatus::Read)
        return {TReadStatus::Failed, {}, file.Error()};
    return {TReadStatus::Read, std::move(bytes)};
}

TWriteResult Replace(const std::string& path, std::string_view bytes) {
    const TTarget target = TargetOf(path);
    if (target.Error != 0)
        return {target.Error};
    if (target.Exists && ::faccessat(AT_FDCWD, target.Path.c_str(), W_OK, AT_EACCESS) != 0)
        return {errno};
    RemoveStaleTemporaries(target.Path);

    TTemporaryFile temporary(target.Path);
    if (const int error = temporary.Error()) {
        const bool folderRefuses = error == EACCES || error == EPERM;
        return {target.Exists && folderRefuses ? Overwrite(target.Path, bytes) : error};
    }
    if (target.Exists)
        KeepOwnerAndMode(temporary.Get(), target.Info);
    if (const int error = temporary.Publish(bytes))
        return {error};
    // Make the rename itself durable; the new content is already on disk.
    const TFileDescriptor folder(
        ::open(FolderOf(target.Path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
    return {};
}

bool SameFile(const std::string& first, const std::string& second) {
    struct stat one {};
    struct stat other {};
    return ::stat(first.c_str(), &one) == 0 && ::stat(second.c_str(), &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

} // namespace SafeFile
