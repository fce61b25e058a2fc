#include "convert/readable_names.h"

#include <algorithm>

namespace ReadableNames {
namespace {

// Letters of Windows-1252 by case: A to Z, À to Þ (but ×), Š Œ Ž Ÿ, and their small forms.
bool IsCapital(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A ||
           c == 0x8C || c == 0x8E || c == 0x9F;
}

bool IsSmall(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7) || c == 0x9A || c == 0x9C ||
           c == 0x9E;
}

char Small(unsigned char c) {
    if (c == 0x9F)
        return static_cast<char>(0xFF);
    if (c >= 0x8A && c <= 0x8E)
        return static_cast<char>(c + 0x10);
    return static_cast<char>(IsCapital(c) ? c + 0x20 : c);
}

bool IsWordCharacter(unsigned char c) {
    return IsCapital(c) || IsSmall(c) || (c >= '0' && c <= '9');
}

// Capital first letters of words, small letters elsewhere. An apostrophe begins a new word only
// after a single letter, as in L'Ile or D'Oex, not in Ploumanac'h.
std::string CapitalisedWords(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!IsCapital(c))
            continue;
        bool startsWord = i == 0 || !IsWordCharacter(static_cast<unsigned char>(text[i - 1]));
        if (startsWord && i > 0 && text[i - 1] == '\'')
            startsWord = i < 3 || !IsWordCharacter(static_cast<unsigned char>(text[i - 3]));
        if (!startsWord)
            text[i] = Small(c);
    }
    return text;
}

} // namespace

std::string Readable(std::string_view text) {
    std::string readable;
    readable.reserve(text.size());
    for (const char c : text) {
        const bool blank = c == '_' || c == ' ' || static_cast<unsigned char>(c) < 0x20 ||
                           c == 0x7F || c == '\xA0';
        if (!blank)
            readable += c;
        else if (!readable.empty() && readable.back() != ' ')
            readable += ' ';
    }
    if (!readable.empty() && readable.back() == ' ')
        readable.pop_back();
    const bool anySmall = std::any_of(readable.begin(), readable.end(), [](char c) {
        return IsSmall(static_cast<unsigned char>(c));
    });
    return anySmall ? readable : CapitalisedWords(std::move(readable));
}

std::string StationPart(std::string_view text) {
    std::string station = Readable(text);
    for (std::size_t slash; (slash = station.find('/')) != std::string::npos;) {
        std::size_t begin = slash;
        std::size_t end = slash + 1;
        while (begin > 0 && station[begin - 1] == ' ')
            --begin;
        while (end < station.size() && station[end] == ' ')
            ++end;
        station.replace(begin, end - begin, "-");
    }
    return station;
}

} // namespace ReadableNames
