#include "model/windows1252.h"

namespace Windows1252 {

std::string ToUtf8(std::string_view windows1252) {
    std::string utf8;
    utf8.reserve(windows1252.size());
    for (const char byte : windows1252) {
        const char32_t codePoint = ToCodePoint(static_cast<unsigned char>(byte));
        if (codePoint < 0x80) {
            utf8 += static_cast<char>(codePoint);
        } else if (codePoint < 0x800) {
            utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
            utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
            utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
    }
    return utf8;
}

std::optional<std::string> FromUtf8(std::string_view utf8) {
    bool complete = true;
    std::string bytes = FromUtf8Replacing(utf8, complete);
    if (!complete)
        return std::nullopt;
    return bytes;
}

std::string FromUtf8Replacing(std::string_view utf8, bool& complete) {
    complete = true;
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        // ASCII, most of any text, is the same in both.
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            bytes += utf8[pos++];
            continue;
        }
        const auto codePoint = DecodeUtf8(utf8, pos);
        const auto byte = codePoint ? FromCodePoint(*codePoint) : std::nullopt;
        if (!byte) {
            complete = false;
            // A malformed sequence is passed over one byte at a time.
            if (!codePoint)
                ++pos;
        }
        bytes += byte ? static_cast<char>(*byte) : '?';
    }
    return bytes;
}

} // namespace Windows1252
