#include "convert/field_values.h"
#include "convert/table_converter.h"
#include "support/file_limits.h"
#include "support/printers.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using Math::Tenths;
using Strings = std::vector<std::string>;

TDiagramData Station(const std::string& name, TDiagramData::TCoords coords) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(name));
    record.SetCoords(coords);
    record.SetAltitude(TDiagramData::TAltitude(1200));
    TDiagramData::TMonthValues temperatures{};
    TDiagramData::TMonthValues precipitation{};
    for (int m = 0; m < 12; ++m) {
        temperatures[m] = Tenths::FromUnits(-40 + 13 * m);
        precipitation[m] = Tenths::FromUnits(1000 * m + 5);
    }
    record.SetTemperatures(TDiagramData::TTemperatureData(temperatures));
    record.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
    return record;
}

// The 27 lines of a block, the name first, as they stand in a file (without line ends).
Strings BlockLines(const std::string& name, const std::string& coords) {
    Strings lines{name, coords, "850"};
    for (int m = 0; m < 24; ++m)
        lines.push_back(std::to_string(m) + ",5");
    return lines;
}

std::string Joined(const Strings& lines, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += lines[i] + "\r\n";
    return text;
}

// The bytes of address space this process holds now.
rlim_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

class TableConverterTest : public testing::Test {
protected:
    std::vector<TDiagramData> ImportText(const std::string& text) {
        TTempDir::Write(File, text);
        return Table.Import(File, Log);
    }

    TTempDir Dir;
    const std::string File = Dir.File("stationen.tab");
    const TableConverter Table;
    TRecordingLog Log;
};

TEST_F(TableConverterTest, TwoStationsAreFiftySixLinesAndReadBack) {
    const TDiagramData graz = Station("Graz/Österreich"_cp1252, {47, 4, 15, 26, true, false});
    const TDiagramData quito = Station("Quito/Ecuador", {0, 0, 78, 0, false, true});
    Table.Export(File, Log, {graz, quito});
    const std::string text = TTempDir::Read(File);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 56);
    EXPECT_TRUE(text.starts_with("Graz/\xD6sterreich\r\n47\xB0"
                                 "4'N/15\xB0"
                                 "26'E\r\n1200\r\n-4,0\r\n-2,7\r\n"));
    // Both minutes zero: no minutes at all.
    EXPECT_NE(text.find("\r\n0\xB0S/78\xB0W\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("1100,5\r\n\r\n"));

    const auto records = Table.Import(File, Log);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0].IsIdentical(graz)) << testing::PrintToString(records[0]);
    EXPECT_TRUE(records[1].IsIdentical(quito)) << testing::PrintToString(records[1]);
    EXPECT_EQ(Log.Entries, (Strings{"accepted", "accepted", "accepted", "accepted"}));
}

TEST_F(TableConverterTest, NamesAreWrittenSoThatTheyReadBackAsOneStation) {
    const TDiagramData graz = Station("Graz/Österreich"_cp1252, {47, 4, 15, 26, true, false});
    TDiagramData twoLines = graz;
    twoLines.SetPlace(TDiagramData::TPlace("Nord\nSee\r"));
    Table.Export(File, Log, {twoLines, graz});
    EXPECT_EQ(Log.Entries,
              (Strings{"warning Station umbenannt: Nord\nSee\r --> Nord See ", "accepted"}));
    const auto records = Table.Import(File, Log);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Place().Name(), "Nord See ");
    EXPECT_TRUE(records[1].IsIdentical(graz));
}

TEST_F(TableConverterTest, AByteOrderMarkMeansUtf8) {
    Strings lines = BlockLines("München", "48°8'N/11°34'E");
    const Strings lost = BlockLines("Zürich ☀", "47°N/8°E");
    const auto records = ImportText("\xEF\xBB\xBF" + Joined(lines, 27) + "\r\n" + Joined(lost, 27) +
                                    "\r\n" + Joined(lines, 27));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Place().Name(), "München"_cp1252);
    EXPECT_EQ(records[0].Coords().Text(), "48°8'N/11°34'E"_cp1252);
    EXPECT_EQ(
        Log.Entries,
        (Strings{"accepted", "error Station Zürich ?: Text mit Zeichen außerhalb von Windows-1252",
                 "accepted"}));
}

TEST_F(TableConverterTest, EndOfFileInsideABlock) {
    const Strings lines = BlockLines("Lima", "12\xB0"
                                             "3'S/77\xB0"
                                             "2'W");
    // Ending right after line 27 is fine.
    auto records = ImportText(Joined(lines, 27));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Precipitation().Month(11), Tenths::FromUnits(235));
    std::string withoutLastLineEnd = Joined(lines, 27);
    withoutLastLineEnd.resize(withoutLastLineEnd.size() - 2);
    EXPECT_EQ(ImportText(withoutLastLineEnd).size(), 1u);

    Log.Entries.clear();
    records = ImportText(Joined(lines, 27) + "\r\n\r\n" + Joined(lines, 10));
    EXPECT_EQ(records.size(), 1u);
    EXPECT_EQ(Log.Entries, (Strings{"accepted", "error Lima: Speichervorgang fehlgeschlagen"}));
}

TEST_F(TableConverterTest, AnEmptyLineEndsABlockEarly) {
    Strings lines = BlockLines("Lima", "12\xB0"
                                       "3'S/77\xB0"
                                       "2'W");
    lines[5] = "";
    const auto records = ImportText(Joined(lines, 27));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Place().Name(), "Lima");
    EXPECT_EQ(records[0].Temperatures().Month(1), Tenths::FromUnits(15));
    EXPECT_EQ(records[0].Temperatures().Month(2), Tenths(0));
    // The lines after the empty one start the next station, whose second line is no position.
    EXPECT_EQ(Log.Entries,
              (Strings{"accepted",
                       "error Station 3,5: Zeile 8 (Koordinaten): \"4,5\" ist keine Position"}));
}

TEST_F(TableConverterTest, RefusedValuesEndTheImport) {
    Strings lines = BlockLines("Heiß"_cp1252, "1\xB0N/2\xB0W");
    lines[3] = "70";
    TTempDir::Write(File, Joined(lines, 27));
    EXPECT_THROW(Table.Import(File, Log), TDiagramData::TTemperatureData::TXTemperatureOutOfRange);
}

struct CoordsCase {
    const char* Line;
    const char* Text;
};

class TableCoordsTest : public testing::TestWithParam<CoordsCase> {};

TEST_P(TableCoordsTest, ReadsLikeAStream) {
    EXPECT_EQ(Windows1252::ToUtf8(
                  TableConverter::ReadCoords(*Windows1252::FromUtf8(GetParam().Line)).Text()),
              GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TableCoordsTest,
    testing::Values(CoordsCase{"52°31'N/13°24'E", "52°31'N/13°24'E"},
                    CoordsCase{"10°N/20°W", "10°N/20°W"}, CoordsCase{"10°s/20°w", "10°S/20°W"},
                    // Only the count of separating characters matters, and blanks are skipped.
                    CoordsCase{" 52 x 31 x N x 13 x 24 x E", "52°31'N/13°24'E"},
                    CoordsCase{"52#31#n#13#24#w", "52°31'N/13°24'W"},
                    // Minutes on one side only; blanks at the end.
                    CoordsCase{"52°31'N/13°E ", "52°31'N/13°0'E"}));

// A line that is no position at all is an error of its own, not 0°S/0°E.
TEST(TableCoordsRangeTest, NoPositionThrows) {
    for (const char* line : {"", "abc", "Welt", "52°31'N", "52°31'N/13°24'", "52°31'X/13°24'E",
                             "52°31'N/13°24'E!", "52°31'N/13°24'E 7", "N/13°24'E"})
        EXPECT_THROW(TableConverter::ReadCoords(*Windows1252::FromUtf8(line)),
                     FieldValues::TXInvalidField)
            << line;
}

TEST(TableCoordsRangeTest, OutOfRangeThrows) {
    EXPECT_THROW(TableConverter::ReadCoords("91\xB0N/0\xB0W"),
                 TDiagramData::TCoords::TXCoordDegreeOutOfRange);
    EXPECT_THROW(TableConverter::ReadCoords("1\xB0"
                                            "60'N/0\xB0W"),
                 TDiagramData::TCoords::TXCoordMinuteOutOfRange);
}

// A line that is not what its place in the block needs drops the station with an error that
// names the line; the next block is read as usual. An empty line is still 0.
TEST_F(TableConverterTest, LinesThatHoldNoValueOfTheirKind) {
    const Strings good = BlockLines("Lima", "12\xB0"
                                            "3'S/77\xB0"
                                            "2'W");
    Strings letters = good;
    letters[4] = "abc";
    Strings fraction = good;
    fraction[2] = "850,5";
    const auto records = ImportText("Hallo\r\nWelt\r\n\r\n" + Joined(letters, 27) + "\r\n" +
                                    Joined(fraction, 27) + "\r\n" + Joined(good, 27) + "\r\n" +
                                    std::string(256, 'n') + "\r\n" + Joined(good, 27).substr(6));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Log.Entries,
              (Strings{"error Station Hallo: Zeile 2 (Koordinaten): \"Welt\" ist keine Position",
                       "error Station Lima: Zeile 8 (Temperatur Februar): \"abc\" ist keine Zahl",
                       "error Station Lima: Zeile 34 (Höhe): \"850,5\" ist keine Zahl", "accepted",
                       "error Station : Zeile 88 (Name): \"" + std::string(60, 'n') +
                           "...\" ist länger als 255 Zeichen"}));
}

TEST_F(TableConverterTest, Utf8WithoutByteOrderMark) {
    const auto records = ImportText(Joined(BlockLines("Zürich/Schweiz", "47°22'N/8°33'E"), 27));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Place().Name(), "Zürich/Schweiz"_cp1252);
    EXPECT_EQ(records[0].Coords().Text(), "47°22'N/8°33'E"_cp1252);
    EXPECT_EQ(Log.Entries, Strings{"accepted"});
}

// One endless line is one error that quotes its beginning, read without holding it in memory.
TEST_F(TableConverterTest, OneEndlessLine) {
    {
        std::ofstream out(File, std::ios::binary);
        const std::string piece(1 << 20, 'A');
        for (int i = 0; i < 256; ++i)
            out << piece;
    }
    std::filesystem::permissions(Dir.Path, std::filesystem::perms::all);
    const auto readsWithLittleMemory = [this] {
        TRecordingLog log;
        return Table.Import(File, log).empty() &&
               log.Entries == Strings{"error Zeile 1 ist länger als 65536 Zeichen: \"" +
                                      std::string(60, 'A') + "...\""};
    };
    EXPECT_EQ(RunInChild(readsWithLittleMemory, AddressSpaceInUse() + (64 << 20)), 0);
}

TEST_F(TableConverterTest, RecognisesItsExtensionOnly) {
    EXPECT_TRUE(Table.CanImport("x.TAB"));
    EXPECT_FALSE(Table.CanImport("x.tabs"));
}

} // namespace
