#include "convert/country_names.h"
#include "convert/readable_names.h"
#include "model/windows1252.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

using namespace Windows1252::Literals;

struct TNameCase {
    const char* Written;
    const char* Readable;
};

class ReadableStationNameTest : public testing::TestWithParam<TNameCase> {};

TEST_P(ReadableStationNameTest, SourceSpellingMadeReadable) {
    EXPECT_EQ(
        Windows1252::ToUtf8(ReadableNames::StationPart(*Windows1252::FromUtf8(GetParam().Written))),
        GetParam().Readable);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, ReadableStationNameTest,
    testing::Values(
        TNameCase{"NAKHON SI THAMMARAT", "Nakhon Si Thammarat"},
        TNameCase{"BARRA_DO_CORDA", "Barra Do Corda"},
        TNameCase{"CHATEAUROUX__DEOLS", "Chateauroux Deols"}, TNameCase{"ST-DIZIER", "St-Dizier"},
        TNameCase{"CHATEAU-D'OEX", "Chateau-D'Oex"}, TNameCase{"PLOUMANAC'H", "Ploumanac'h"},
        TNameCase{"HURGHADA  (A.P.)", "Hurghada (A.P.)"},
        TNameCase{"GENÈVE / COINTRIN", "Genève-Cointrin"}, TNameCase{"ÖHRINGEN", "Öhringen"},
        TNameCase{"KÖLN/BONN", "Köln-Bonn"}, TNameCase{"Muenchen-Stadt", "Muenchen-Stadt"},
        TNameCase{"AlgerDarElBeida", "AlgerDarElBeida"}, TNameCase{"Tölz, Bad", "Tölz, Bad"},
        TNameCase{"  _ ", ""}, TNameCase{"Zeile\tmit\nSteuerzeichen", "Zeile mit Steuerzeichen"},
        TNameCase{"STa. R. DE CASSIA", "STa. R. DE CASSIA"}));

TEST(CountryNamesTest, WmoSpellingsBecomeGermanIsoNames) {
    const auto german = [](const char* spelling) {
        return Windows1252::ToUtf8(CountryNames::German(spelling));
    };
    EXPECT_EQ(german("Germany"), "Deutschland");
    EXPECT_EQ(german("BRAZIL"), "Brasilien");
    EXPECT_EQ(german("Burkina_Faso"), "Burkina Faso");
    EXPECT_EQ(german("BurkinaFaso"), "Burkina Faso");
    EXPECT_EQ(german("Cote_d'Ivoire"), "Côte d'Ivoire");
    EXPECT_EQ(german("Iran"), "Iran");
    EXPECT_EQ(german("Russian_Federation_(In_Asia)"), "Russische Föderation");
    EXPECT_EQ(german("GUINEE CONAKRY"), "Guinea");
    EXPECT_EQ(german("Turkiye"), "Türkei");
    EXPECT_EQ(german("Rep._Korea"), "Südkorea");
    EXPECT_EQ(german("Curacao_a._S._Maarten"), "Curaçao und Saint-Martin (Niederländischer Teil)");
    // A spelling of nowhere stays, made readable.
    EXPECT_FALSE(CountryNames::IsKnown("ATLANTIS_NORD"));
    EXPECT_EQ(german("ATLANTIS_NORD"), "Atlantis Nord");
}

TEST(CountryNamesTest, EveryIsoNameHasAGermanNameInWindows1252) {
    ASSERT_GT(CountryNames::IsoNames().size(), 400u);
    for (const CountryNames::TIsoName& name : CountryNames::IsoNames()) {
        EXPECT_TRUE(Windows1252::FromUtf8(name.English)) << name.English;
        EXPECT_TRUE(Windows1252::FromUtf8(name.German)) << name.German;
    }
}

std::string Field(const std::string& line, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i)
        start = line.find(',', start) + 1;
    std::string field = line.substr(start, line.find(',', start) - start);
    field.erase(0, field.find_first_not_of(' '));
    field.erase(field.find_last_not_of(' ') + 1);
    return field;
}

// The spellings of the whole published set: the country column of the composite files and the
// country list of the normals.
std::set<std::string> WmoCountrySpellings() {
    std::set<std::string> spellings;
    const auto addColumn = [&spellings](const std::string& file, int column) {
        std::ifstream in(file);
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line))
            spellings.insert(Field(line, column));
    };
    for (const char* parameter : {"PRCP", "TAVG", "TMAX", "TMIN"})
        addColumn(std::string(PELVANOR_WMO_NORMALS_DIR) + "/wmo_normals_9120_" + parameter + ".csv",
                  7);
    addColumn(std::string(PELVANOR_TEST_DATA_DIR) + "/wmo/country_station_counts.csv", 1);
    return spellings;
}

TEST(CountryNamesTest, EverySpellingOfTheNormalsHasAGermanName) {
    const std::set<std::string> spellings = WmoCountrySpellings();
    ASSERT_GT(spellings.size(), 170u);
    for (const std::string& spelling : spellings)
        EXPECT_TRUE(CountryNames::IsKnown(spelling)) << spelling;
}

} // namespace
