// What every export filter does with a file it cannot write: one log line that says why, and
// the old file stays as it was.

#include "convert/csv_converter.h"
#include "convert/table_converter.h"
#include "convert/tvx_db_converter.h"
#include "support/file_limits.h"
#include "support/recording_log.h"
#include "support/stations.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(ExportFileTest, AFailedWriteIsOneLineWithTheReason) {
    const CSVConverter csv;
    const TableConverter table;
    const TvxDBConverter native;
    // Each filter, with what its line says before the file's name.
    const std::pair<const Converter*, std::string> filters[] = {
        {&csv, ""}, {&table, ""}, {&native, "Datenbank-Manager: Ein-/Ausgabe-Fehler: "}};
    TTempDir dir;
    const std::string old = dir.File("alt");
    TTempDir::Write(old, std::string(100, 'a'));
    for (const auto& [filter, cause] : filters) {
        const auto refused = [&](const std::string& file, const std::string& reason) {
            TRecordingLog log;
            filter->Export(file, log, {BerlinStation(), ManausStation()});
            EXPECT_EQ(log.Entries,
                      std::vector<std::string>{"error Speichervorgang fehlgeschlagen: " + cause +
                                               file + ": " + reason})
                << filter->GetDescription();
        };
        refused(dir.Path.string(), "Is a directory");
        refused(dir.File("fehlt/x"), "No such file or directory");
        const TFullDisk fullDisk(150);
        refused(old, "File too large");
    }
    EXPECT_EQ(TTempDir::Read(old), std::string(100, 'a'));
}

} // namespace
