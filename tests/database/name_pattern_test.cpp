#include "database/name_pattern.h"

#include <gtest/gtest.h>

namespace {

struct PatternCase {
    const char* Pattern;
    const char* Text;
    bool Matches;
};

class NamePatternTest : public testing::TestWithParam<PatternCase> {};

TEST_P(NamePatternTest, Searches) {
    const PatternCase& c = GetParam();
    const auto pattern = TNamePattern::Compile(c.Pattern);
    ASSERT_TRUE(pattern) << c.Pattern;
    EXPECT_EQ(pattern->Search(c.Text), c.Matches)
        << '"' << c.Pattern << "\" in \"" << c.Text << '"';

    // Long patterns take another way through the states; optional leading elements change no
    // unanchored search.
    if (c.Pattern[0] == '^')
        return;
    std::string padded;
    for (int i = 0; i < 40; ++i)
        padded += ".?";
    padded += c.Pattern;
    EXPECT_EQ(TNamePattern::Compile(padded)->Search(c.Text), c.Matches) << padded;
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, NamePatternTest,
    testing::Values(PatternCase{"ber", "ueberlingen", true},
                    PatternCase{"^ber", "ueberlingen", false}, PatternCase{"^ber", "berlin", true},
                    PatternCase{"lin$", "berlin", true}, PatternCase{"lin$", "linz", false},
                    PatternCase{"^berlin$", "berlin", true},
                    PatternCase{"^berlin$", "berlin/d", false}, PatternCase{"", "anything", true},
                    PatternCase{"^$", "", true}, PatternCase{"^$", "x", false},
                    PatternCase{"b.r", "bar", true}, PatternCase{"b.r", "br", false},
                    PatternCase{"[a-c]x", "zbx", true}, PatternCase{"[a-c]x", "dx", false},
                    PatternCase{"[^a-c]x", "dx", true}, PatternCase{"[^a-c]x", "cx", false},
                    PatternCase{"[]]", "a]", true}, PatternCase{"[a-]", "-", true},
                    PatternCase{"[\\]]", "]", true}, PatternCase{"ab*c", "ac", true},
                    PatternCase{"ab*c", "abbbc", true}, PatternCase{"ab+c", "ac", false},
                    PatternCase{"ab+c", "abbc", true}, PatternCase{"ab?c", "ac", true},
                    PatternCase{"ab?c", "abbc", false}, PatternCase{"^a*$", "", true},
                    PatternCase{"x.*y", "x123y", true}, PatternCase{"[0-9]+m$", "h 120m", true},
                    PatternCase{"\\.", "a.b", true}, PatternCase{"\\.", "ab", false},
                    PatternCase{"\\*", "*", true},
                    // Parentheses, bars and anchors inside the pattern stand for themselves.
                    PatternCase{"(a|b)", "x(a|b)", true}, PatternCase{"a|b", "a", false},
                    PatternCase{"a^b", "a^b", true}, PatternCase{"a$b", "a$b", true}));

TEST(NamePatternCompileTest, MalformedPatternsAreRefused) {
    for (const char* malformed :
         {"[abc", "[z-a]", "*a", "+", "^?", "a**", "a+*", "a?+", "ab\\", "[", "[^", "[]", "[a-\\"})
        EXPECT_FALSE(TNamePattern::Compile(malformed)) << malformed;
}

TEST(NamePatternCompileTest, NoPatternTakesLongerThanLengthTimesLength) {
    // Patterns that make backtracking matchers take exponential time.
    std::string pattern;
    for (int i = 0; i < 85; ++i)
        pattern += "a*";
    pattern += "b";
    const std::string text(256, 'a');
    const auto compiled = TNamePattern::Compile(pattern);
    ASSERT_TRUE(compiled);
    EXPECT_FALSE(compiled->Search(text));
    EXPECT_TRUE(
        TNamePattern::Compile(std::string(128, 'a') + "?" + std::string(127, 'a'))->Search(text));
}

} // namespace
