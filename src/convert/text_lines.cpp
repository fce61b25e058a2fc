#include "convert/text_lines.h"

#include "model/windows1252.h"

namespace {
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
} // namespace

TTextLines::TTextLines(std::string_view text) : Text(text) {
    if (Text.starts_with(Utf8ByteOrderMark)) {
        Utf8 = true;
        Position = Utf8ByteOrderMark.size();
    }
}

bool TTextLines::Next(std::string& line) {
    line.clear();
    LostCharacters = false;
    if (Position >= Text.size())
        return false;
    const std::size_t end = Text.find('\n', Position);
    std::string_view found;
    if (end == std::string_view::npos) {
        found = Text.substr(Position);
        Position = Text.size();
    } else {
        std::size_t length = end - Position;
        if (length > 0 && Text[end - 1] == '\r')
            --length;
        found = Text.substr(Position, length);
        Position = end + 1;
    }
    if (!Utf8) {
        line = found;
        return true;
    }
    bool complete = true;
    line = Windows1252::FromUtf8Replacing(found, complete);
    LostCharacters = !complete;
    return true;
}
