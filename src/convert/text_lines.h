#pragma once

#include <string>
#include <string_view>

// The lines of a text file as a text-mode stream hands them out: each without its line end,
// a CR before the LF dropped; after the last line the reader is used up. The files are
// Windows-1252, unless they begin with the UTF-8 byte-order mark that spreadsheets write: then
// each line is converted to Windows-1252.
class TTextLines {
public:
    explicit TTextLines(std::string_view text);

    // The next line into `line`; false (and `line` empty) once no line is left.
    bool Next(std::string& line);
    // Whether the last line held characters that Windows-1252 cannot store, or malformed UTF-8;
    // each of them stands as "?" in the line.
    bool LastLineLostCharacters() const { return LostCharacters; }

private:
    std::string_view Text;
    std::size_t Position = 0;
    bool Utf8 = false;
    bool LostCharacters = false;
};
