#include "database/safe_file.h"
#include "support/file_limits.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class SafeFileTest : public testing::Test {
protected:
    // The names in the test's folder, in order.
    Strings Names() const {
        Strings names;
        for (const auto& entry : fs::directory_iterator(Dir.Path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TTempDir Dir;
    const std::string File = Dir.File("pelvanor.dat");
};

// Whatever is not a regular file stays what it is, and nothing is written beside it; a link to
// a regular file replaces the file it names.
TEST_F(SafeFileTest, OnlyARegularFileOrANewNameIsReplaced) {
    ASSERT_EQ(::mkfifo(Dir.File("pipe").c_str(), 0666), 0);
    const std::string device = NullDevice(Dir.Path);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    fs::create_symlink("/proc/self/fd/" + std::to_string(ends[1]), Dir.File("proc"));
    fs::create_symlink(Dir.File("nowhere"), Dir.File("dangling"));
    fs::create_directory(Dir.File("folder"));
    const std::pair<const char*, int> refused[] = {{"pipe", SafeFile::NotARegularFile},
                                                   {"null", SafeFile::NotARegularFile},
                                                   {"proc", SafeFile::NotARegularFile},
                                                   {"dangling", SafeFile::NotARegularFile},
                                                   {"folder/..", EISDIR},
                                                   {"missing/new", ENOENT}};
    for (const auto& [name, error] : refused)
        EXPECT_EQ(SafeFile::Replace(Dir.File(name), "neu").Error, error) << name;
    ::close(ends[0]);
    ::close(ends[1]);
    EXPECT_TRUE(fs::is_fifo(Dir.File("pipe")) && fs::is_character_file(device));
    EXPECT_TRUE(fs::is_symlink(Dir.File("proc")) && fs::is_symlink(Dir.File("dangling")));
    EXPECT_EQ(Names(), (Strings{"dangling", "folder", "null", "pipe", "proc"}));

    // A name as long as a file name may be still leaves room for the temporary file's.
    EXPECT_TRUE(SafeFile::Replace(Dir.File(std::string(NAME_MAX, 'x')), "neu"));
    fs::remove(Dir.File(std::string(NAME_MAX, 'x')));
    EXPECT_TRUE(SafeFile::Replace(File, "alt"));
    fs::create_symlink(File, Dir.File("link"));
    EXPECT_TRUE(SafeFile::Replace(Dir.File("folder/../link"), "neu"));
    EXPECT_TRUE(fs::is_symlink(Dir.File("link")));
    EXPECT_EQ(TTempDir::Read(File), "neu");
}

// A save killed half-way leaves nothing behind; temporary files that an older program or a
// file system without unnamed files left behind go with the next save, unless a save at work
// holds them.
TEST_F(SafeFileTest, InterruptedSavesLeaveNoTemporaryFiles) {
    TTempDir::Write(File, "alt");
    const pid_t child = ::fork();
    if (child == 0) {
        // The limit ends the process in the middle of writing, as abruptly as a kill.
        std::signal(SIGXFSZ, [](int) { ::_exit(3); });
        const rlimit small{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &small);
        SafeFile::Replace(File, std::string(100000, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3);
    EXPECT_EQ(Names(), Strings{"pelvanor.dat"});

    for (const char* stale :
         {".pelvanor.dat.123456.tmp", ".pelvanor.dat.7.tmp", ".pelvanor.dat.000001.tmp",
          ".pelvanor.dat.x.tmp", ".andere.dat.123456.tmp"})
        TTempDir::Write(Dir.File(stale), "halb");
    const int busy = ::open(Dir.File(".pelvanor.dat.000001.tmp").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    EXPECT_TRUE(SafeFile::Replace(File, "neu"));
    ::close(busy);
    EXPECT_EQ(Names(), (Strings{".andere.dat.123456.tmp", ".pelvanor.dat.000001.tmp",
                                ".pelvanor.dat.x.tmp", "pelvanor.dat"}));
    EXPECT_EQ(TTempDir::Read(File), "neu");
}

} // namespace
