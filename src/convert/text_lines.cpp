#include "convert/text_lines.h"

#include "convert/field_values.h"
#include "model/windows1252.h"

#include <cstdint>
#include <cstring>

using namespace Windows1252::Literals;

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
// Enough bytes for the characters that a message quotes of a line, even in UTF-8.
constexpr std::size_t QuotedBytes = 4 * FieldValues::QuotedLength;

// The first of the bytes from pos on that is not ASCII, eight at a time where it can.
std::size_t SkipAscii(std::string_view text, std::size_t pos) {
    for (std::uint64_t word; pos + sizeof word <= text.size(); pos += sizeof word) {
        std::memcpy(&word, text.data() + pos, sizeof word);
        if (word & 0x8080808080808080u)
            break;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80)
        ++pos;
    return pos;
}

} // namespace

// The buffer holds the longest line with its line end, and as much again to read into.
TTextLines::TTextLines(TInputFile& file, std::size_t maxLength)
    : Input(file), Limit(maxLength), Buffer(2 * (maxLength + 2)) {
    while (!EndOfFile && End < Utf8ByteOrderMark.size())
        FillBuffer();
    if (std::string_view(Buffer.data(), End).starts_with(Utf8ByteOrderMark)) {
        Utf8 = true;
        Begin = Utf8ByteOrderMark.size();
        return;
    }
    Utf8 = IsUtf8Throughout();
    Input.Rewind();
    Begin = End = 0;
    EndOfFile = false;
}

// Reads the whole file once; stops at the first byte that cannot be UTF-8.
bool TTextLines::IsUtf8Throughout() {
    bool beyondAscii = false;
    std::size_t pos = 0;
    for (;;) {
        const std::string_view text(Buffer.data(), End);
        while ((pos = SkipAscii(text, pos)) < text.size()) {
            const std::size_t start = pos;
            if (!Windows1252::DecodeUtf8(text, pos)) {
                // A character cut by the end of the piece is judged with the next piece.
                if (!EndOfFile && text.size() - start < 4)
                    break;
                return false;
            }
            beyondAscii = true;
        }
        if (EndOfFile)
            return beyondAscii;
        std::memmove(Buffer.data(), Buffer.data() + pos, End - pos);
        End -= pos;
        pos = 0;
        FillBuffer();
    }
}

bool TTextLines::FillBuffer() {
    const std::size_t count = Input.Read(Buffer.data() + End, Buffer.size() - End);
    End += count;
    EndOfFile = count == 0;
    return !EndOfFile;
}

bool TTextLines::Next(std::string& line) {
    line.clear();
    LostCharacters = false;
    TooLong = false;
    std::size_t searched = Begin;
    for (;;) {
        const auto* lineEnd =
            static_cast<const char*>(std::memchr(Buffer.data() + searched, '\n', End - searched));
        if (!lineEnd && EndOfFile && Begin == End)
            return false;
        const bool complete = lineEnd || EndOfFile;
        // Without its line end the line is longer than allowed already.
        if (complete || End - Begin > Limit + 1) {
            const std::size_t end =
                lineEnd ? static_cast<std::size_t>(lineEnd - Buffer.data()) : End;
            std::string_view bytes(Buffer.data() + Begin, end - Begin);
            // The beginning of a line too long to see its end may stop before its LF, too.
            if ((lineEnd || !complete) && bytes.ends_with('\r'))
                bytes.remove_suffix(1);
            ++Number;
            TooLong = bytes.size() > Limit;
            Deliver(TooLong ? bytes.substr(0, QuotedBytes) : bytes, line);
            if (TooLong)
                QuotedBeginning = FieldValues::Quoted(line);
            Begin = lineEnd ? end + 1 : end;
            if (!complete)
                PassOverRestOfLine();
            return true;
        }
        // Keep the unfinished line at the front and read on behind it.
        std::memmove(Buffer.data(), Buffer.data() + Begin, End - Begin);
        End -= Begin;
        Begin = 0;
        searched = End;
        FillBuffer();
    }
}

void TTextLines::PassOverRestOfLine() {
    Begin = End = 0;
    while (FillBuffer()) {
        if (const void* lineEnd = std::memchr(Buffer.data(), '\n', End)) {
            Begin = static_cast<std::size_t>(static_cast<const char*>(lineEnd) - Buffer.data()) + 1;
            return;
        }
        End = 0;
    }
}

void TTextLines::Deliver(std::string_view bytes, std::string& line) {
    if (!Utf8) {
        line.assign(bytes);
        return;
    }
    bool complete = true;
    line = Windows1252::FromUtf8Replacing(bytes, complete);
    LostCharacters = !complete;
}

std::string TTextLines::TooLongError() const {
    return "Zeile " + std::to_string(Number) + " ist länger als "_cp1252 + std::to_string(Limit) +
           " Zeichen: " + QuotedBeginning;
}
