#pragma once

#include "convert/input_file.h"

#include <cstddef>
#include <string>
#include <vector>

// The lines of a text file as a text-mode stream hands them out: each without its line end, a CR
// before the LF dropped; after the last line the reader is used up. The file is read piece by
// piece, and a line may be at most MaxLength bytes long: no station needs more than a few
// hundred, and a file of one endless line must neither fill the memory nor end up whole in a
// message.
//
// The files are Windows-1252, unless they are UTF-8 as spreadsheets write it: with the
// byte-order mark, or without it when the whole file is valid UTF-8 and holds at least one
// character beyond ASCII. Then each line is converted to Windows-1252.
class TTextLines {
public:
    static constexpr std::size_t MaxLength = 64 * 1024;

    explicit TTextLines(TInputFile& file, std::size_t maxLength = MaxLength);

    // The next line into `line`; false (and `line` empty) once no line is left, or the file
    // cannot be read (the file says why).
    bool Next(std::string& line);
    // The number of the last line handed out, counted from 1.
    std::size_t LineNumber() const { return Number; }
    // Whether the last line held characters that Windows-1252 cannot store, or malformed UTF-8;
    // each of them stands as "?" in the line.
    bool LastLineLostCharacters() const { return LostCharacters; }
    // Whether the last line was longer than allowed. The line then holds only its beginning,
    // and the rest of it is passed over.
    bool LastLineTooLong() const { return TooLong; }
    // The error for that line: "Zeile N ist länger als MAX Zeichen: "BEGINNING..."".
    std::string TooLongError() const;

private:
    bool IsUtf8Throughout();
    bool FillBuffer();
    void PassOverRestOfLine();
    void Deliver(std::string_view bytes, std::string& line);

    TInputFile& Input;
    const std::size_t Limit;
    std::vector<char> Buffer;
    // The bytes read but not yet handed out.
    std::size_t Begin = 0;
    std::size_t End = 0;
    bool EndOfFile = false;
    bool Utf8 = false;
    std::size_t Number = 0;
    bool LostCharacters = false;
    bool TooLong = false;
    std::string QuotedBeginning;
};
