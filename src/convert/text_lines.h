#pragma once

#include <string>
#include <string_view>

// The lines of a text file as a text-mode stream hands them out: each without its line end,
// a CR before the LF dropped; after the last line the reader is used up.
class TTextLines {
public:
    explicit TTextLines(std::string_view text) : Text(text) {}

    // The next line into `line`; false (and `line` empty) once no line is left.
    bool Next(std::string& line);

private:
    std::string_view Text;
    std::size_t Position = 0;
};
