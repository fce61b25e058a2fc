#include "app/database_place.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>

namespace {

using TEnvironment = TDatabasePlace::TUserEnvironment;

TEST(DatabasePlaceTest, BesideTheProgramWhereItsUserMayWriteElseInTheUsersDataFolder) {
    const std::string program = "/usr/lib/pelvanor/";
    const std::string shipped = "/usr/lib/pelvanor/pelvanor.dat";
    const struct {
        TEnvironment Environment;
        std::string File;
        std::string Shipped;
    } cases[] = {
        {{true, "/home/anna/daten", "/home/anna"}, shipped, ""},
        {{false, "/home/anna/daten", "/home/anna"},
         "/home/anna/daten/pelvanor/pelvanor.dat",
         shipped},
        {{false, "/home/anna/daten/", "/home/anna"},
         "/home/anna/daten/pelvanor/pelvanor.dat",
         shipped},
        {{false, "", "/home/anna"}, "/home/anna/.local/share/pelvanor/pelvanor.dat", shipped},
        // A relative data folder counts as unset.
        {{false, "daten", "/home/anna"}, "/home/anna/.local/share/pelvanor/pelvanor.dat", shipped},
        // Without any folder of the user's own the program stays with its own.
        {{false, "daten", ""}, shipped, ""},
        {{false, "", "anna"}, shipped, ""},
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.Environment.DataHome + " | " + expected.Environment.Home + " | " +
                     (expected.Environment.ProgramDirWritable ? "writable" : "read-only"));
        const TDatabasePlace place = TDatabasePlace::For(program, expected.Environment);
        EXPECT_EQ(place.File, expected.File);
        EXPECT_EQ(place.Shipped, expected.Shipped);
    }
}

TEST(DatabasePlaceTest, EnvironmentFallsBackToTheAccountsHome) {
    TTempDir dir;
    ::setenv("XDG_DATA_HOME", "/somewhere/data", 1);
    ::unsetenv("HOME");
    const TEnvironment environment = TEnvironment::OfThisProcess(dir.Path.string() + "/");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(environment.ProgramDirWritable);
    EXPECT_EQ(environment.DataHome, "/somewhere/data");
    EXPECT_EQ(environment.Home, ::getpwuid(::geteuid())->pw_dir);
}

class UserCopyTest : public testing::Test {
protected:
    UserCopyTest() {
        std::filesystem::create_directory(Dir.Path / "program");
        TTempDir::Write(Shipped(), "the shipped stations");
    }

    std::string Shipped() const { return Dir.File("program/pelvanor.dat"); }
    TDatabasePlace PlaceIn(const std::filesystem::path& dataHome) const {
        return TDatabasePlace::For(Dir.File("program/"), {false, dataHome.string(), ""});
    }
    static unsigned Mode(const std::filesystem::path& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_mode & 07777;
    }

    TTempDir Dir;
};

TEST_F(UserCopyTest, FirstStartCopiesTheShippedDatabaseIntoFoldersForTheUserAlone) {
    // Even a umask that would take the user's own access.
    const mode_t umask = ::umask(0277);
    const TDatabasePlace place = PlaceIn(Dir.Path / "new" / "data");
    const auto problem = place.MakeUserCopy();
    ::umask(umask);
    ASSERT_FALSE(problem) << *problem;
    EXPECT_EQ(TTempDir::Read(place.File), "the shipped stations");
    for (const auto& folder :
         {Dir.Path / "new", Dir.Path / "new/data", Dir.Path / "new/data/pelvanor"})
        EXPECT_EQ(Mode(folder), 0700u) << folder;
    // Nothing else: no temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(place.File.parent_path()), {}), 1);
}

TEST_F(UserCopyTest, UsersDatabaseIsNeverReplaced) {
    const TDatabasePlace place = PlaceIn(Dir.Path / "data");
    ASSERT_FALSE(place.MakeUserCopy());
    TTempDir::Write(place.File, "the user's stations");
    TTempDir::Write(Shipped(), "newer shipped stations");
    EXPECT_FALSE(place.MakeUserCopy());
    EXPECT_EQ(TTempDir::Read(place.File), "the user's stations");
}

TEST_F(UserCopyTest, NothingShippedLeavesTheStartToAnEmptyDatabase) {
    std::filesystem::remove(Shipped());
    const TDatabasePlace place = PlaceIn(Dir.Path / "data");
    EXPECT_FALSE(place.MakeUserCopy());
    EXPECT_TRUE(std::filesystem::is_directory(place.File.parent_path()));
    EXPECT_FALSE(std::filesystem::exists(place.File));
}

TEST_F(UserCopyTest, FolderThatCannotBeMadeIsReportedWithItsReason) {
    TTempDir::Write(Dir.File("file"), "");
    const auto problem = PlaceIn(Dir.Path / "file" / "data").MakeUserCopy();
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find(Dir.File("file")), std::string::npos) << *problem;
}

} // namespace
