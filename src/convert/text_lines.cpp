#include "convert/text_lines.h"

bool TTextLines::Next(std::string& line) {
    line.clear();
    if (Position >= Text.size())
        return false;
    const std::size_t end = Text.find('\n', Position);
    if (end == std::string_view::npos) {
        line = Text.substr(Position);
        Position = Text.size();
        return true;
    }
    std::size_t length = end - Position;
    if (length > 0 && Text[end - 1] == '\r')
        --length;
    line = Text.substr(Position, length);
    Position = end + 1;
    return true;
}
