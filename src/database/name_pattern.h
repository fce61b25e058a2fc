#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A search pattern in the classic simple dialect: "^" at the start and "$" at the end anchor,
// "." is any character, "[set]" and "[^set]" with ranges such as a-z, "*", "+" and "?" repeat the
// element before them, and "\" takes the next character literally. Every other character,
// parentheses and "|" included, stands for itself. Matching takes time proportional to text
// length times pattern length, whatever the pattern.
class TNamePattern {
public:
    // Nothing when the pattern is malformed (an open set, a reversed range, a repeat without
    // element, a trailing "\").
    static std::optional<TNamePattern> Compile(std::string_view pattern);

    // True when the pattern matches somewhere in the text.
    bool Search(std::string_view text) const;

private:
    enum class TRepeat { Once, Optional, Any };
    struct TElement {
        std::bitset<256> Accepts;
        TRepeat Repeat = TRepeat::Once;
    };

    // Patterns of fewer elements than the bits of a word follow all their states at once.
    static constexpr std::size_t WordStates = 63;

    void PrepareWordStates();
    bool SearchWordStates(std::string_view text) const;
    bool SearchElements(std::string_view text) const;
    void AddWithSkips(std::vector<bool>& states, std::size_t state) const;

    std::vector<TElement> Elements;
    bool AnchoredAtStart = false;
    bool AnchoredAtEnd = false;
    // The plain text the pattern stands for when it holds no special element; searched directly.
    std::optional<std::string> Literal;
    // For each character, the states whose element accepts it; the states that may be skipped
    // and the states that stay after accepting a character.
    std::vector<std::uint64_t> AcceptMasks;
    std::uint64_t SkipMask = 0;
    std::uint64_t StayMask = 0;
};
