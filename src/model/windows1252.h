#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Station names, messages and every file format of the program use the single-byte character
// set Windows-1252. These helpers translate between it and Unicode (UTF-8).
namespace Windows1252 {

// Unicode code points of the bytes 0x80 to 0x9F. The five bytes the code page leaves undefined
// map to the control characters of the same number, as the platform always did.
inline constexpr std::array<char32_t, 32> HighRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t ToCodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? HighRange[byte - 0x80] : char32_t{byte};
}

// The byte for a code point, or nothing when Windows-1252 cannot hold it.
constexpr std::optional<unsigned char> FromCodePoint(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (std::size_t i = 0; i < HighRange.size(); ++i)
        if (HighRange[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// Decodes the UTF-8 sequence at pos and moves pos behind it; nothing for a malformed sequence
// (overlong forms, surrogates and values above U+10FFFF included).
constexpr std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    char32_t codePoint = lead;
    char32_t smallest = 0;
    if (lead >= 0xF0 && lead < 0xF5) {
        length = 4, codePoint = lead & 0x07u, smallest = 0x10000;
    } else if (lead >= 0xE0) {
        length = 3, codePoint = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2, codePoint = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0x80) {
        return std::nullopt;
    }
    if (lead >= 0xF5 || text.size() - pos < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0u) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint < 0xE000))
        return std::nullopt;
    pos += length;
    return codePoint;
}

std::string ToUtf8(std::string_view windows1252);

// The Windows-1252 form of UTF-8 text, or nothing when the text is malformed or holds a
// character the code page cannot store.
std::optional<std::string> FromUtf8(std::string_view utf8);
// The Windows-1252 form of UTF-8 text with "?" for every malformed sequence and every character
// the code page cannot store; `complete` tells whether there was none.
std::string FromUtf8Replacing(std::string_view utf8, bool& complete);

namespace Detail {

template <std::size_t N>
struct Utf8Literal {
    char Chars[N]{};
    consteval Utf8Literal(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            Chars[i] = text[i];
    }
    consteval std::string_view View() const { return {Chars, N - 1}; }
};

consteval std::size_t EncodedLength(std::string_view utf8) {
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++length) {
        const auto codePoint = DecodeUtf8(utf8, pos);
        if (!codePoint || !FromCodePoint(*codePoint))
            throw std::invalid_argument("text not representable in Windows-1252");
    }
    return length;
}

template <Utf8Literal Text>
inline constexpr auto Encoded = [] {
    std::array<char, EncodedLength(Text.View()) + 1> bytes{};
    std::size_t pos = 0;
    for (std::size_t i = 0; pos < Text.View().size(); ++i)
        bytes[i] = static_cast<char>(*FromCodePoint(*DecodeUtf8(Text.View(), pos)));
    return bytes;
}();

} // namespace Detail

namespace Literals {

// "März"_cp1252 is the Windows-1252 form of a text written in the (UTF-8) source, made while
// compiling; a character outside the code page does not compile.
template <Detail::Utf8Literal Text>
constexpr const char* operator""_cp1252() {
    return Detail::Encoded<Text>.data();
}

} // namespace Literals
} // namespace Windows1252
