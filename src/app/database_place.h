#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where the program keeps its station database. Beside the program wherever its user may write
// there (the build folder, an installation into a folder of the user's own). A program installed
// for every user of the machine keeps one database per user in the user's data folder, which
// starts as a copy of the database shipped beside the program.
struct TDatabasePlace {
    static constexpr const char* FileName = "pelvanor.dat";

    // What the place depends on.
    struct TUserEnvironment {
        bool ProgramDirWritable = true;
        // $XDG_DATA_HOME and $HOME as they are set; empty when unset.
        std::string DataHome;
        std::string Home;

        // The running program's: the only place where the program reads its environment.
        static TUserEnvironment OfThisProcess(const std::string& programDir);
    };

    // The place for a program folder (with its trailing "/") in an environment.
    static TDatabasePlace For(const std::string& programDir, const TUserEnvironment& environment);

    // Makes the user's folder (mode 0700 for every folder made) and the copy of the shipped
    // database, unless a file is there already: a user's database is never replaced. Nothing is
    // copied where the program keeps its database beside itself or ships none. Returns why the
    // folder or the copy could not be made.
    std::optional<std::string> MakeUserCopy() const;

    // The file that every load, reload and save uses.
    std::filesystem::path File;
    // The database beside the program that the user's copy starts from; empty where File is
    // that database.
    std::filesystem::path Shipped;
};
