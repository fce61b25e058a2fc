#include "support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

const std::string Marker = "/dev/shm/Pelvanor 2.1c";

pid_t StartProgram() {
    const std::string program = std::string(PELVANOR_PROGRAM_DIR) + "/pelvanor";
    std::vector<std::string> environment{"QT_QPA_PLATFORM=offscreen"};
    for (char** entry = environ; *entry; ++entry)
        if (!std::string_view(*entry).starts_with("QT_QPA_PLATFORM="))
            environment.emplace_back(*entry);
    std::vector<char*> pointers;
    for (std::string& entry : environment)
        pointers.push_back(entry.data());
    pointers.push_back(nullptr);
    char* arguments[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, arguments, pointers.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
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
bool WindowMarked() {
    const std::string block = TTempDir::Read(Marker);
    return block.size() >= 4 && block.substr(0, 4) != std::string(4, '\0');
}

bool WaitForWindow(std::chrono::milliseconds time) {
    for (auto waited = 0ms; waited < time; waited += 50ms) {
        if (WindowMarked())
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
    std::filesystem::remove(Marker);
    const pid_t first = StartProgram();
    ASSERT_TRUE(WaitForWindow(15s));

    const pid_t second = StartProgram();
    EXPECT_EQ(ExitCodeWithin(second, 15s), 0);
    EXPECT_EQ(ExitCodeWithin(first, 200ms), -1); // the first runs on

    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    ASSERT_TRUE(std::filesystem::exists(Marker)); // left behind

    const pid_t third = StartProgram();
    EXPECT_TRUE(WaitForWindow(15s));
    EXPECT_EQ(ExitCodeWithin(third, 1s), -1); // runs, not refused
    kill(third, SIGKILL);
    waitpid(third, nullptr, 0);
    std::filesystem::remove(Marker);
}

} // namespace
