#include "model/diagram_data.h"
#include "model/windows1252.h"

#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using TPlace = TDiagramData::TPlace;

struct NameCase {
    const char* A;
    const char* B;
    int Grade;
};

class NameSimilarityTest : public testing::TestWithParam<NameCase> {};

TEST_P(NameSimilarityTest, GradesBothWays) {
    const NameCase& c = GetParam();
    EXPECT_EQ(TPlace(c.A).Similarity(TPlace(c.B)), c.Grade) << c.A << " ~ " << c.B;
    EXPECT_EQ(TPlace(c.B).Similarity(TPlace(c.A)), c.Grade) << c.B << " ~ " << c.A;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameSimilarityTest,
    testing::Values(NameCase{"Berlin/Deutschland", "Berlin/Deutschland", 5},
                    // Folded parts equal, but not the same bytes.
                    NameCase{"Berlin/Deutschland", "berlin/DEUTSCHLAND", 3},
                    NameCase{"München/Deutschland"_cp1252, "Muenchen/Deutschland", 3},
                    // Same station, one country part inside the other; no country part at all.
                    NameCase{"Berlin/Deutschland", "Berlin/BR Deutschland", 3},
                    NameCase{"Berlin", "Berlin/Deutschland", 3},
                    // Same country, one station part inside the other.
                    NameCase{"Frankfurt/Deutschland", "Frankfurt am Main/Deutschland", 3},
                    // Station parts sharing their first or last k = 4/5 of the shorter length.
                    NameCase{"Hamburg/Deutschland", "Hamburg-Fuhlsbuettel/D", 2},
                    NameCase{"Bad Reichenhall/D", "Reichenhall/Deutschland", 2},
                    // Only the part after the first "/" is the country part.
                    NameCase{"Wien/Österreich/Hohe Warte"_cp1252, "Wien/Oesterreich/Hohe Warte", 3},
                    // One-letter station parts make k = 0, which always agrees.
                    NameCase{"A/X", "B/Y", 2},
                    NameCase{"Berlin/Deutschland", "Paris/Frankreich", 0},
                    NameCase{"Hamburg/Deutschland", "Hambach/Deutschland", 0}));

TEST(PlaceValidationTest, EmptyNameIsRefusedWithItsMessage) {
    try {
        TPlace place{""};
        FAIL() << "an empty name was accepted";
    } catch (const TPlace::TXInvalidPlaceName& error) {
        EXPECT_STREQ(error.what(), "Datenbank: Name \"\" ist ungültig"_cp1252);
        EXPECT_EQ(error.Name(), "");
    }
}

TEST(PlaceValidationTest, SettingAnInvalidNameKeepsIt) {
    TPlace place("Wien/Österreich"_cp1252);
    EXPECT_THROW(place.SetName(""), TDiagramData::TXBase);
    EXPECT_EQ(place.Name(), "");
    EXPECT_THROW(place.Validate(), TPlace::TXInvalidPlaceName);
    place.SetName("Graz/Österreich"_cp1252);
    EXPECT_NO_THROW(place.Validate());
}

} // namespace
