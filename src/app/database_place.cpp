#include "app/database_place.h"

#include "database/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t UserOnly = 0700;

std::string Reason(const std::filesystem::path& path, int error) {
    return path.string() + ": " +
           (error == SafeFile::NotARegularFile ? "keine reguläre Datei" : std::strerror(error));
}

// Makes the folder and every missing folder above it, each for the user alone, as the data
// folders of a user are made.
std::optional<std::string> MakeFolders(const std::filesystem::path& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? std::nullopt : std::optional(Reason(folder, ENOTDIR));
    if (errno != ENOENT)
        return Reason(folder, errno);
    if (folder.parent_path() != folder)
        if (auto problem = MakeFolders(folder.parent_path()))
            return problem;
    if (::mkdir(folder.c_str(), UserOnly) != 0)
        return errno == EEXIST ? std::nullopt : std::optional(Reason(folder, errno));
    // A strict umask must not take the user's own access.
    ::chmod(folder.c_str(), UserOnly);
    return std::nullopt;
}

// Writes the bytes as a new file under a temporary name and then links it to its name, which
// fails where a file is there: a start at the same moment, or a half-written copy, can never
// take the place of a database.
std::optional<std::string> CreateNew(const std::filesystem::path& file, const std::string& bytes) {
    std::string temporary = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return Reason(file.parent_path(), errno);
    std::FILE* stream = ::fdopen(fd, "wb");
    if (!stream) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return Reason(file, error);
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() &&
                   std::fflush(stream) == 0 && ::fsync(fd) == 0;
    int error = errno;
    if (std::fclose(stream) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::link(temporary.c_str(), file.c_str()) != 0 && errno != EEXIST) {
        written = false;
        error = errno;
    }
    ::unlink(temporary.c_str());
    return written ? std::nullopt : std::optional(Reason(file, error));
}

} // namespace

TDatabasePlace::TUserEnvironment
TDatabasePlace::TUserEnvironment::OfThisProcess(const std::string& programDir) {
    TUserEnvironment environment;
    environment.ProgramDirWritable =
        ::faccessat(AT_FDCWD, programDir.c_str(), W_OK, AT_EACCESS) == 0;
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"))
        environment.DataHome = dataHome;
    if (const char* home = std::getenv("HOME"))
        environment.Home = home;
    // Without a usable $HOME, the home folder of the user's account.
    if (!std::filesystem::path(environment.Home).is_absolute())
        if (const passwd* account = ::getpwuid(::geteuid()); account && account->pw_dir)
            environment.Home = account->pw_dir;
    return environment;
}

TDatabasePlace TDatabasePlace::For(const std::string& programDir,
                                   const TUserEnvironment& environment) {
    const std::filesystem::path besideTheProgram = programDir + FileName;
    if (environment.ProgramDirWritable)
        return {besideTheProgram, {}};
    // Relative data folders are ignored, as the desktop's rules for them say.
    std::filesystem::path dataHome(environment.DataHome);
    if (!dataHome.is_absolute()) {
        const std::filesystem::path home(environment.Home);
        if (!home.is_absolute())
            return {besideTheProgram, {}}; // no folder of the user's own is known
        dataHome = home / ".local" / "share";
    }
    return {dataHome / "pelvanor" / FileName, besideTheProgram};
}

std::optional<std::string> TDatabasePlace::MakeUserCopy() const {
    if (Shipped.empty())
        return std::nullopt;
    if (auto problem = MakeFolders(File.parent_path()))
        return problem;
    struct stat existing {};
    if (::lstat(File.c_str(), &existing) == 0)
        return std::nullopt;
    const SafeFile::TContents shipped = SafeFile::ReadAll(Shipped.string());
    switch (shipped.Status) {
    case SafeFile::TReadStatus::Missing:
        return std::nullopt; // the program starts an empty database of its own
    case SafeFile::TReadStatus::Failed:
        return Reason(Shipped, shipped.Error);
    case SafeFile::TReadStatus::Read:
        break;
    }
    return CreateNew(File, shipped.Bytes);
}
