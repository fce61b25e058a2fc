#include "convert/text_lines.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class TextLinesTest : public testing::Test {
protected:
    // Every line of the text as read with the limit; a line that is too long as "long: " and
    // as much of its beginning as would fit and one more, one that lost characters as "lost: "
    // and the line.
    Strings Lines(const std::string& text, std::size_t limit) {
        TTempDir::Write(File, text);
        TInputFile file(File);
        TTextLines lines(file, limit);
        Strings read;
        for (std::string line; lines.Next(line);) {
            EXPECT_EQ(lines.LineNumber(), read.size() + 1);
            read.push_back(lines.LastLineTooLong()          ? "long: " + line.substr(0, limit + 1)
                           : lines.LastLineLostCharacters() ? "lost: " + line
                                                            : line);
        }
        return read;
    }

    TTempDir Dir;
    const std::string File = Dir.File("zeilen.txt");
};

// Whatever the length, a line beyond the limit is one line, and the next one follows intact;
// the small limits put the ends of the pieces the file is read in everywhere.
TEST_F(TextLinesTest, LinesBeyondTheLimit) {
    for (std::size_t limit = 2; limit <= 9; ++limit) {
        const std::string fits(limit, 'f');
        for (std::size_t extra = 1; extra <= 40; extra += 3) {
            const std::string tooLong(limit + extra, 'x');
            const std::string beginning = "long: " + tooLong.substr(0, limit + 1);
            EXPECT_EQ(Lines(fits + "\r\n" + tooLong + "\r\n" + fits + "\n" + tooLong, limit),
                      (Strings{fits, beginning, fits, beginning}))
                << limit << " " << extra;
        }
    }
    TTempDir::Write(File, "ab\n" + std::string(1000, 'x') + "\n");
    TInputFile file(File);
    TTextLines lines(file, 300);
    std::string line;
    ASSERT_TRUE(lines.Next(line) && lines.Next(line));
    EXPECT_EQ(line.size(), 240u); // enough to quote 60 characters of UTF-8
    EXPECT_EQ(lines.TooLongError(),
              "Zeile 2 ist l\xE4nger als 300 Zeichen: \"" + std::string(60, 'x') + "...\"");
    EXPECT_FALSE(lines.Next(line));

    // The beginning of a line is never more than the line: here the piece ends after the CR.
    TTempDir::Write(File, "xxxxxxx\r\nz");
    TInputFile cut(File);
    TTextLines cutLines(cut, 2);
    ASSERT_TRUE(cutLines.Next(line));
    EXPECT_EQ(line, "xxxxxxx");
}

TEST_F(TextLinesTest, Encodings) {
    // Windows-1252 unless the whole file is UTF-8 with a character beyond ASCII, wherever the
    // pieces are cut.
    for (std::size_t before = 0; before < 30; ++before) {
        Strings expected(before, "a");
        expected.push_back("Z\xFC");
        std::string text;
        for (std::size_t i = 0; i < before; ++i)
            text += "a\n";
        EXPECT_EQ(Lines(text + "Z\xC3\xBC", 4), expected) << before;
        expected.back() = "Z\xC3\xBC\xFC";
        EXPECT_EQ(Lines(text + "Z\xC3\xBC\xFC", 4), expected) << before;
    }
    EXPECT_EQ(Lines("M\xFCnchen\n", 16), Strings{"M\xFCnchen"});
    // A character cut off by the end of the file is no UTF-8.
    EXPECT_EQ(Lines("\xC3\xBC\n\xE2\x82", 16), (Strings{"\xC3\xBC", "\xE2\x82"}));
    // With the byte-order mark, characters Windows-1252 lacks are lost.
    EXPECT_EQ(Lines("\xEF\xBB\xBFZ\xC3\xBC\n\xE2\x98\x80\n\xFC", 16),
              (Strings{"Z\xFC", "lost: ?", "lost: ?"}));
}

} // namespace
