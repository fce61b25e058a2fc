// Arbitrary bytes as a text file, read in lines of a small limit (the first byte) so that the
// pieces the file is read in end everywhere. The lines must be those of the whole text split at
// once: a CR before an LF dropped, too long lines flagged, UTF-8 taken when the text is UTF-8.

#include "convert/text_lines.h"
#include "fuzz_input.h"
#include "model/windows1252.h"

#include <string_view>
#include <vector>

namespace {

void Expect(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool IsUtf8BeyondAscii(std::string_view text) {
    bool beyondAscii = false;
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (!Windows1252::DecodeUtf8(text, pos))
            return false;
        beyondAscii = true;
    }
    return beyondAscii;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (end != std::string_view::npos && line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t limit = 1 + data[0] % 16;
    const std::string file = FuzzInputFile(data + 1, size - 1);
    if (file.empty())
        return 0;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool byteOrderMark = text.starts_with("\xEF\xBB\xBF");
    if (byteOrderMark)
        text.remove_prefix(3);
    const bool utf8 = byteOrderMark || IsUtf8BeyondAscii(text);

    TInputFile input(file);
    TTextLines lines(input, limit);
    std::string line;
    for (const std::string_view expected : SplitLines(text)) {
        Expect(lines.Next(line));
        Expect(lines.LastLineTooLong() == (expected.size() > limit));
        bool complete = true;
        const std::string converted =
            utf8 ? Windows1252::FromUtf8Replacing(expected, complete) : std::string(expected);
        if (!lines.LastLineTooLong())
            Expect(line == converted && lines.LastLineLostCharacters() == !complete);
        else if (!utf8)
            Expect(line.size() > limit && expected.starts_with(line));
    }
    Expect(!lines.Next(line) && line.empty());
    return 0;
}
