#pragma once

// Conditions of the file system that tests bring about: a full disk, an ordinary user without
// the rights of root, a limited address space, a device among the files.

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

// While it lives, no file may grow beyond `bytes`, as on a full disk.
class TFullDisk {
public:
    explicit TFullDisk(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &Original);
        rlimit small = Original;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~TFullDisk() { ::setrlimit(RLIMIT_FSIZE, &Original); }
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;

private:
    rlimit Original{};
};

// Runs the check in a child process, as the user "nobody" when the tests run as root (whose
// rights would pass over every file's protection), and returns its exit code: 0 when the check
// returned true. The files it touches must be open to that user.
inline int RunInChild(const std::function<bool()>& check, rlim_t addressSpace = RLIM_INFINITY) {
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t Nobody = 65534;
        if (::geteuid() == 0 && (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(2);
        if (addressSpace != RLIM_INFINITY) {
            const rlimit limit{addressSpace, addressSpace};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A device in the folder, named "null", that a test may offer as a target without putting the
// system at risk should the code under test replace it: as root, who could replace /dev/null
// itself, a copy of its device node; otherwise a link to /dev/null, which no ordinary user may
// replace.
inline std::string NullDevice(const std::filesystem::path& folder) {
    const std::filesystem::path device = folder / "null";
    if (::geteuid() == 0)
        ::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3));
    else
        std::filesystem::create_symlink("/dev/null", device);
    return device.string();
}
