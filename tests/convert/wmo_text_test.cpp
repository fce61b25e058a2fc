#include "convert/wmo_text.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows RowsOf(const std::string& bytes) {
    TWmoText text(bytes);
    Rows rows;
    std::vector<std::string_view> fields;
    while (text.NextRow(fields))
        rows.emplace_back(fields.begin(), fields.end());
    return rows;
}

TEST(WmoTextTest, FieldsAreUnquotedAndUnpaddedWhateverTheLineEnds) {
    EXPECT_EQ(RowsOf("a, b ,\"c, d\",,\r\n\"x \"\"y\"\"\"\n\tz\t\rlast"),
              (Rows{{"a", "b", "c, d", "", ""}, {"x \"y\""}, {"z"}, {"last"}}));
    // An empty line is a row of one empty field; the end of the text ends the rows.
    EXPECT_EQ(RowsOf("\n\nx\n"), (Rows{{""}, {""}, {"x"}}));
    EXPECT_TRUE(RowsOf("").empty());
    // A quote left open ends with its row.
    EXPECT_EQ(RowsOf("\"open,still\nnext"), (Rows{{"open,still"}, {"next"}}));
}

TEST(WmoTextTest, NoBreakSpacesPadInEitherEncoding) {
    // Windows-1252: the byte A0; UTF-8: C2 A0, while an A0 inside a character stays.
    EXPECT_EQ(RowsOf("\xA0"
                     "61802\xA0,\xA0"),
              (Rows{{"61802", ""}}));
    const std::string utf8 = "\xC2\xA0"
                             "K\xC3\xB6ln\xC2\xA0,Mari\xC3\xA0";
    EXPECT_EQ(RowsOf(utf8), (Rows{{"K\xC3\xB6ln", "Mari\xC3\xA0"}}));
}

TEST(WmoTextTest, EncodingIsUtf8OnlyWhereTheBytesSaySo) {
    bool complete = false;
    // Plain ASCII and Windows-1252 stay as they are.
    TWmoText latin("Angerm\xFCnde");
    EXPECT_FALSE(latin.IsUtf8());
    EXPECT_EQ(latin.Text("Angerm\xFCnde", complete), "Angerm\xFCnde");
    EXPECT_TRUE(complete);
    // Valid UTF-8 with a multi-byte sequence, or a byte-order mark, is converted.
    TWmoText utf8("Angerm\xC3\xBCnde");
    EXPECT_TRUE(utf8.IsUtf8());
    EXPECT_EQ(utf8.Text("Angerm\xC3\xBCnde", complete), "Angerm\xFCnde");
    TWmoText marked("\xEF\xBB\xBFStation_Name,Aachen");
    EXPECT_TRUE(marked.IsUtf8());
    std::vector<std::string_view> fields;
    ASSERT_TRUE(marked.NextRow(fields));
    EXPECT_EQ(fields.front(), "Station_Name");
    // A character that Windows-1252 cannot hold is reported.
    EXPECT_EQ(utf8.Text("\xD0\xA2"
                        "EJEN",
                        complete),
              "?EJEN");
    EXPECT_FALSE(complete);
}

struct TNumberCase {
    const char* Text;
    int Decimals;
    std::optional<std::int64_t> Units;
};

class WmoNumberTest : public testing::TestWithParam<TNumberCase> {};

TEST_P(WmoNumberTest, ReadsTheWmoFormsOfNumbers) {
    EXPECT_EQ(WmoNumbers::Units(GetParam().Text, GetParam().Decimals), GetParam().Units)
        << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, WmoNumberTest,
    testing::Values(TNumberCase{"64.3", 1, 643}, TNumberCase{".8", 1, 8}, TNumberCase{"-.3", 0, 0},
                    TNumberCase{"-0.5", 0, -1}, TNumberCase{"285.05", 0, 285},
                    TNumberCase{"64.46", 0, 64}, TNumberCase{"4.77", 2, 477},
                    TNumberCase{"4.77", 1, 48}, TNumberCase{"-99.9", 1, -999},
                    TNumberCase{"+7", 1, 70}, TNumberCase{"32.449999999999996", 2, 3245},
                    TNumberCase{"12.", 1, 120}, TNumberCase{"", 1, std::nullopt},
                    TNumberCase{"-", 1, std::nullopt}, TNumberCase{".", 1, std::nullopt},
                    TNumberCase{"abc", 1, std::nullopt}, TNumberCase{"12a", 1, std::nullopt},
                    TNumberCase{"1e5", 1, std::nullopt}, TNumberCase{"1,5", 1, std::nullopt},
                    TNumberCase{"1 5", 1, std::nullopt}, TNumberCase{"1234567890", 0, std::nullopt},
                    TNumberCase{"99999999999999999999999", 1, std::nullopt}));

} // namespace
