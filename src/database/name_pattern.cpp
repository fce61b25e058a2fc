#include "database/name_pattern.h"

#include <algorithm>

namespace {

std::bitset<256> Single(char c) {
    std::bitset<256> set;
    set.set(static_cast<unsigned char>(c));
    return set;
}

// Parses a set after its "["; pos ends behind the "]". Nothing when the set is malformed.
std::optional<std::bitset<256>> ParseSet(std::string_view pattern, std::size_t& pos) {
    const bool negated = pos < pattern.size() && pattern[pos] == '^';
    if (negated)
        ++pos;
    std::bitset<256> members;
    bool first = true;
    while (pos < pattern.size() && (pattern[pos] != ']' || first)) {
        first = false;
        if (pattern[pos] == '\\' && ++pos == pattern.size())
            return std::nullopt;
        const auto low = static_cast<unsigned char>(pattern[pos++]);
        auto high = low;
        if (pos + 1 < pattern.size() && pattern[pos] == '-' && pattern[pos + 1] != ']') {
            pos += 1;
            if (pattern[pos] == '\\' && ++pos == pattern.size())
                return std::nullopt;
            high = static_cast<unsigned char>(pattern[pos++]);
            if (high < low)
                return std::nullopt;
        }
        for (unsigned c = low; c <= high; ++c)
            members.set(c);
    }
    if (pos == pattern.size())
        return std::nullopt;
    ++pos;
    return negated ? ~members : members;
}

} // namespace

std::optional<TNamePattern> TNamePattern::Compile(std::string_view pattern) {
    TNamePattern compiled;
    std::size_t pos = 0;
    if (!pattern.empty() && pattern[0] == '^') {
        compiled.AnchoredAtStart = true;
        pos = 1;
    }
    std::string literal;
    bool plain = true;
    while (pos < pattern.size()) {
        const char c = pattern[pos++];
        if (c == '$' && pos == pattern.size()) {
            compiled.AnchoredAtEnd = true;
        } else if (c == '*' || c == '+' || c == '?') {
            if (compiled.Elements.empty() || compiled.Elements.back().Repeat != TRepeat::Once)
                return std::nullopt;
            plain = false;
            TElement& last = compiled.Elements.back();
            if (c == '+')
                compiled.Elements.push_back({last.Accepts, TRepeat::Any});
            else
                last.Repeat = c == '*' ? TRepeat::Any : TRepeat::Optional;
        } else if (c == '.') {
            plain = false;
            compiled.Elements.push_back({std::bitset<256>().set(), TRepeat::Once});
        } else if (c == '[') {
            plain = false;
            const auto set = ParseSet(pattern, pos);
            if (!set)
                return std::nullopt;
            compiled.Elements.push_back({*set, TRepeat::Once});
        } else {
            if (c == '\\' && pos == pattern.size())
                return std::nullopt;
            const char literalChar = c == '\\' ? pattern[pos++] : c;
            literal += literalChar;
            compiled.Elements.push_back({Single(literalChar), TRepeat::Once});
        }
    }
    if (plain)
        compiled.Literal = std::move(literal);
    else if (compiled.Elements.size() <= WordStates)
        compiled.PrepareWordStates();
    return compiled;
}

void TNamePattern::PrepareWordStates() {
    AcceptMasks.assign(256, 0);
    for (std::size_t state = 0; state < Elements.size(); ++state) {
        const std::uint64_t bit = std::uint64_t{1} << state;
        for (std::size_t c = 0; c < 256; ++c)
            if (Elements[state].Accepts[c])
                AcceptMasks[c] |= bit;
        if (Elements[state].Repeat != TRepeat::Once)
            SkipMask |= bit;
        if (Elements[state].Repeat == TRepeat::Any)
            StayMask |= bit;
    }
}

bool TNamePattern::Search(std::string_view text) const {
    if (Literal) {
        if (AnchoredAtStart && AnchoredAtEnd)
            return text == *Literal;
        if (AnchoredAtStart)
            return text.starts_with(*Literal);
        if (AnchoredAtEnd)
            return text.ends_with(*Literal);
        return text.find(*Literal) != std::string_view::npos;
    }
    return AcceptMasks.empty() ? SearchElements(text) : SearchWordStates(text);
}

// Adds a state and every state reachable from it by skipping optional elements.
void TNamePattern::AddWithSkips(std::vector<bool>& states, std::size_t state) const {
    for (;; ++state) {
        states[state] = true;
        if (state == Elements.size() || Elements[state].Repeat == TRepeat::Once)
            return;
    }
}

// Follows all ways through the elements at once: state i means "element i is next", the last
// state means the whole pattern has matched.
bool TNamePattern::SearchElements(std::string_view text) const {
    const std::size_t accept = Elements.size();
    std::vector<bool> current(accept + 1), next(accept + 1);
    AddWithSkips(current, 0);
    for (std::size_t pos = 0;; ++pos) {
        if (current[accept] && (!AnchoredAtEnd || pos == text.size()))
            return true;
        if (pos == text.size())
            return false;
        const auto c = static_cast<unsigned char>(text[pos]);
        std::fill(next.begin(), next.end(), false);
        for (std::size_t state = 0; state < accept; ++state) {
            if (!current[state] || !Elements[state].Accepts[c])
                continue;
            if (Elements[state].Repeat == TRepeat::Any)
                AddWithSkips(next, state);
            else
                AddWithSkips(next, state + 1);
        }
        if (!AnchoredAtStart)
            AddWithSkips(next, 0);
        current.swap(next);
    }
}

// The same walk as below with one bit a state.
bool TNamePattern::SearchWordStates(std::string_view text) const {
    const std::uint64_t accept = std::uint64_t{1} << Elements.size();
    const auto withSkips = [this](std::uint64_t states) {
        for (;;) {
            const std::uint64_t more = states | ((states & SkipMask) << 1);
            if (more == states)
                return states;
            states = more;
        }
    };
    std::uint64_t current = withSkips(1);
    for (std::size_t pos = 0;; ++pos) {
        if ((current & accept) && (!AnchoredAtEnd || pos == text.size()))
            return true;
        if (pos == text.size() || (AnchoredAtStart && current == 0))
            return false;
        const std::uint64_t moved = current & AcceptMasks[static_cast<unsigned char>(text[pos])];
        current = (moved & StayMask) | ((moved & ~StayMask) << 1);
        current = withSkips(AnchoredAtStart ? current : current | 1);
    }
}
