#include "model/windows1252.h"

#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;

TEST(Windows1252Test, LiteralsAreEncodedWhileCompiling) {
    EXPECT_STREQ("März"_cp1252, "M\xE4rz");
    EXPECT_STREQ("außerhalb des gültigen Bereichs"_cp1252, "au\xDF"
                                                           "erhalb des g\xFCltigen Bereichs");
    EXPECT_STREQ("52°31'"_cp1252, "52\xB0"
                                  "31'");
    EXPECT_STREQ("€ Š œ Ÿ"_cp1252, "\x80 \x8A \x9C \x9F");
}

TEST(Windows1252Test, ConvertsToUtf8AndBack) {
    const std::string all = [] {
        std::string bytes;
        for (int b = 1; b < 256; ++b)
            bytes += static_cast<char>(b);
        return bytes;
    }();
    const std::string utf8 = Windows1252::ToUtf8(all);
    EXPECT_EQ(Windows1252::FromUtf8(utf8), all);
    EXPECT_EQ(Windows1252::ToUtf8("K\xF6ln \x80"), "Köln €");
}

TEST(Windows1252Test, RefusesTextTheCodePageCannotHold) {
    EXPECT_EQ(Windows1252::FromUtf8("Łódź"), std::nullopt); // Ł is not in the code page
    EXPECT_EQ(Windows1252::FromUtf8("東京"), std::nullopt);
    EXPECT_EQ(Windows1252::FromUtf8("\xC3"), std::nullopt);         // cut sequence
    EXPECT_EQ(Windows1252::FromUtf8("\xC0\xAF"), std::nullopt);     // overlong "/"
    EXPECT_EQ(Windows1252::FromUtf8("\xED\xA0\x80"), std::nullopt); // surrogate
    EXPECT_EQ(Windows1252::FromUtf8("\xFF"), std::nullopt);
    EXPECT_EQ(Windows1252::FromUtf8("Zürich"), "Z\xFCrich");
    EXPECT_EQ(Windows1252::FromUtf8(""), "");
}

} // namespace
