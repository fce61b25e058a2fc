#include "model/name_folding.h"
#include "model/windows1252.h"

#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;

TEST(NameFoldingTest, AccentedLettersAreSpelledOut) {
    EXPECT_EQ(FoldName("München"_cp1252), "muenchen");
    EXPECT_EQ(FoldName("München"_cp1252), FoldName("Muenchen"));
    EXPECT_EQ(FoldName("ŠšŒœÖØöø"_cp1252), "ssoeoeoeoeoeoe");
    EXPECT_EQ(FoldName("ŸÝýÿ"_cp1252), "yyyy");
    EXPECT_EQ(FoldName("ÀÁÂÃÅàáâãå"_cp1252), "aaaaaaaaaa");
    EXPECT_EQ(FoldName("ÄÆäæ"_cp1252), "aeaeaeae");
    EXPECT_EQ(FoldName("Çç"_cp1252), "cc");
    EXPECT_EQ(FoldName("ÈÉÊËèéêë"_cp1252), "eeeeeeee");
    EXPECT_EQ(FoldName("ÌÍÎÏìíîï"_cp1252), "iiiiiiii");
    EXPECT_EQ(FoldName("Ññ"_cp1252), "nn");
    EXPECT_EQ(FoldName("ÒÓÔÕòóôõ"_cp1252), "oooooooo");
    EXPECT_EQ(FoldName("ÙÚÛùúû"_cp1252), "uuuuuu");
    EXPECT_EQ(FoldName("Üü"_cp1252), "ueue");
    EXPECT_EQ(FoldName("Straße"_cp1252), "strasse");
}

TEST(NameFoldingTest, OnlyAToZChangeCaseOtherwise) {
    EXPECT_EQ(FoldName("BERLIN/Deutschland"), "berlin/deutschland");
    // Letters without a spelling keep their byte, whatever their case.
    EXPECT_EQ(FoldName("ŽžÐðÞþ"_cp1252), "ŽžÐðÞþ"_cp1252);
    EXPECT_EQ(FoldName("Sankt-Peter 2 (Ort)"), "sankt-peter 2 (ort)");
    EXPECT_EQ(FoldName(""), "");
}

} // namespace
