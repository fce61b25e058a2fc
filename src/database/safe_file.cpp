#include "database/safe_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
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

} // namespace

TContents ReadAll(const std::string& path) {
    TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        return {errno == ENOENT ? TReadStatus::Missing : TReadStatus::Failed, {}};
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {TReadStatus::Failed, {}};

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return {TReadStatus::Failed, {}};
        if (count == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return {TReadStatus::Read, std::move(bytes)};
}

bool Replace(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target = TargetOf(path);
    std::string temporary;
    TFileDescriptor file(CreateTemporary(target, temporary));
    if (file.Get() < 0)
        return false;

    struct stat existing {};
    const bool keepMode = ::stat(target.c_str(), &existing) == 0;
    const bool written = (!keepMode || ::fchmod(file.Get(), existing.st_mode & 07777) == 0) &&
                         WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
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
