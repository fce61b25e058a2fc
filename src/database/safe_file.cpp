#include "database/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

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
    bool Close() {
        const int fd = Fd;
        Fd = -1;
        return ::close(fd) == 0;
    }

private:
    int Fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a path finally names, following links; the path itself when it names nothing yet.
std::filesystem::path TargetOf(const std::string& path) {
    std::error_code error;
    const auto target = std::filesystem::canonical(path, error);
    return error ? std::filesystem::path(path) : target;
}

// Opens a new file beside the target under a name nobody uses.
int CreateTemporary(const std::filesystem::path& target, std::string& name) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temporaryName(".");
        temporaryName += target.filename().string();
        temporaryName += '.';
        temporaryName += std::to_string(random() % 1000000);
        temporaryName += ".tmp";
        name = (target.parent_path() / temporaryName).string();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

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
bool Overwrite(const std::filesystem::path& target, std::string_view bytes) {
    TFileDescriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const auto size = static_cast<off_t>(bytes.size());
    if (size > info.st_size && ::fallocate(file.Get(), 0, 0, size) != 0 && errno != EOPNOTSUPP)
        return false;
    return WriteAll(file.Get(), bytes) && ::ftruncate(file.Get(), size) == 0 &&
           ::fsync(file.Get()) == 0 && file.Close();
}

} // namespace

TContents ReadAll(const std::string& path, std::size_t maxBytes) {
    // Opened without waiting, so that a pipe with no writer cannot hold the program.
    TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        return {errno == ENOENT ? TReadStatus::Missing : TReadStatus::Failed, {}};
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {TReadStatus::Failed, {}};

    // Only a plausible size is reserved up front: a sparse file may claim far more than memory
    // could hold, and is read as far as memory goes.
    std::string bytes;
    constexpr std::size_t ReserveLimit = std::size_t{256} << 20;
    const auto size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
    if (size <= std::min(maxBytes, ReserveLimit))
        bytes.reserve(size);
    char buffer[1 << 16];
    try {
        while (bytes.size() < maxBytes) {
            const std::size_t wanted = std::min(sizeof buffer, maxBytes - bytes.size());
            const ssize_t count = ::read(file.Get(), buffer, wanted);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                return {TReadStatus::Failed, {}};
            if (count == 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
    } catch (const std::bad_alloc&) {
        return {TReadStatus::Failed, {}};
    }
    return {TReadStatus::Read, std::move(bytes)};
}

bool Replace(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target = TargetOf(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return false;

    std::string temporary;
    TFileDescriptor file(CreateTemporary(target, temporary));
    if (file.Get() < 0) {
        const bool folderRefuses = errno == EACCES || errno == EPERM;
        return exists && folderRefuses && S_ISREG(existing.st_mode) && Overwrite(target, bytes);
    }
    if (exists)
        KeepOwnerAndMode(file.Get(), existing);
    const bool written = WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
    if (!file.Close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; the new content is already on disk.
    TFileDescriptor folder(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                                  O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
    return true;
}

} // namespace SafeFile
