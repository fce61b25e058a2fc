#include "support/temp_dir.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

const std::string Program = std::string(PELVANOR_PROGRAM_DIR) + "/pelvanor";

// The marker of the instance that a user runs.
std::string MarkerOf(uid_t user) {
    return "/dev/shm/Pelvanor 2.1c-" + std::to_string(user);
}
const std::string Marker = MarkerOf(::geteuid());

// Kills a started program; a failed start (-1) must never signal every process.
void Stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// What a killed program leaves behind: its marker and its socket.
void RemoveLeftovers(uid_t user) {
    std::filesystem::remove(MarkerOf(user));
    std::filesystem::remove(std::filesystem::temp_directory_path() /
                            ("Pelvanor 2.1c-" + std::to_string(user)));
}

// Starts the program, as the given user if any, with the offscreen platform and the given
// variables in place of those of the same name.
pid_t StartProgram(std::optional<uid_t> user = {}, std::vector<std::string> variables = {}) {
    variables.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<std::string> environment = variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view variable(*entry);
        const std::string_view name = variable.substr(0, variable.find('=') + 1);
        if (std::none_of(variables.begin(), variables.end(),
                         [&](const std::string& own) { return own.starts_with(name); }))
            environment.emplace_back(variable);
    }
    std::vector<char*> pointers;
    for (std::string& entry : environment)
        pointers.push_back(entry.data());
    pointers.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open("/dev/null", O_WRONLY), 2);
        if (!user || (setgroups(0, nullptr) == 0 && setgid(*user) == 0 && setuid(*user) == 0)) {
            char* arguments[] = {const_cast<char*>(Program.c_str()), nullptr};
            execve(Program.c_str(), arguments, pointers.data());
        }
        _exit(127);
    }
    return pid;
}

// The exit code once the process ended within the time, or -1.
int ExitCodeWithin(pid_t pid, std::chrono::milliseconds time) {
    for (auto waited = 0ms; waited < time; waited += 50ms) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        std::this_thread::sleep_for(50ms);
    }
    return -1;
}

// Whether a running program's main window stands in the marker.
bool WindowMarked(const std::string& marker) {
    const std::string block = TTempDir::Read(marker);
    return block.size() >= 4 && block.substr(0, 4) != std::string(4, '\0');
}

bool WaitForWindow(std::chrono::milliseconds time, const std::string& marker = Marker) {
    for (auto waited = 0ms; waited < time; waited += 50ms) {
        if (WindowMarked(marker))
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

// Whether a live program holds the marker (a left-behind marker holds no lock).
bool ProgramRuns() {
    const int fd = open(Marker.c_str(), O_RDWR);
    if (fd < 0)
        return false;
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return locked;
}

TEST(SingleInstanceTest, SecondStartEndsAndAKilledFirstDoesNotBlock) {
    if (ProgramRuns())
        GTEST_SKIP() << "Pelvanor runs on this machine already";
    RemoveLeftovers(geteuid());
    const pid_t first = StartProgram();
    ASSERT_TRUE(WaitForWindow(15s));

    const pid_t second = StartProgram();
    EXPECT_EQ(ExitCodeWithin(second, 15s), 0);
    EXPECT_EQ(ExitCodeWithin(first, 200ms), -1); // the first runs on

    Stop(first);
    ASSERT_TRUE(std::filesystem::exists(Marker)); // left behind

    const pid_t third = StartProgram();
    EXPECT_TRUE(WaitForWindow(15s));
    EXPECT_EQ(ExitCodeWithin(third, 1s), -1); // runs, not refused
    Stop(third);
    RemoveLeftovers(geteuid());
}

// A second user's start must neither reach the first user's window nor end: each user has an
// instance, and a database, of their own.
TEST(SingleInstanceTest, AnotherUserStartsAnInstanceOfTheirOwn) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can start the program as another user";
    if (ProgramRuns())
        GTEST_SKIP() << "Pelvanor runs on this machine already";
    static constexpr uid_t nobody = 65534;
    TTempDir home;
    ASSERT_EQ(chown(home.Path.c_str(), nobody, nobody), 0);
    RemoveLeftovers(geteuid());
    RemoveLeftovers(nobody);

    struct TBoth {
        pid_t First = StartProgram();
        pid_t Second = -1;
        ~TBoth() {
            Stop(First);
            Stop(Second);
            RemoveLeftovers(geteuid());
            RemoveLeftovers(nobody);
        }
    } programs;
    ASSERT_TRUE(WaitForWindow(15s));
    programs.Second =
        StartProgram(nobody, {"HOME=" + home.Path.string(), "XDG_DATA_HOME=", "XDG_RUNTIME_DIR="});
    EXPECT_TRUE(WaitForWindow(15s, MarkerOf(nobody)));
    EXPECT_EQ(ExitCodeWithin(programs.Second, 200ms), -1);
    EXPECT_EQ(ExitCodeWithin(programs.First, 200ms), -1);
    // The new user works on a copy of the database of their own.
    EXPECT_TRUE(std::filesystem::exists(home.Path / ".local/share/pelvanor/pelvanor.dat"));
}

} // namespace
