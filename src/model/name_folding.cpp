#include "model/name_folding.h"

#include <array>

namespace {

// The spelling of every byte that folds to something else than its lower-case self.
using TFoldTable = std::array<std::string_view, 256>;

constexpr void Spell(TFoldTable& table, std::string_view bytes, std::string_view spelling) {
    for (const char byte : bytes)
        table[static_cast<unsigned char>(byte)] = spelling;
}

constexpr TFoldTable MakeFoldTable() {
    TFoldTable table{};
    Spell(table, "\x8A\x9A", "s");
    Spell(table, "\x8C\x9C\xD6\xD8\xF6\xF8", "oe");
    Spell(table, "\x9F\xDD\xFD\xFF", "y");
    Spell(table, "\xC0\xC1\xC2\xC3\xC5\xE0\xE1\xE2\xE3\xE5", "a");
    Spell(table, "\xC4\xC6\xE4\xE6", "ae");
    Spell(table, "\xC7\xE7", "c");
    Spell(table, "\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "e");
    Spell(table, "\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "i");
    Spell(table, "\xD1\xF1", "n");
    Spell(table, "\xD2\xD3\xD4\xD5\xF2\xF3\xF4\xF5", "o");
    Spell(table, "\xD9\xDA\xDB\xF9\xFA\xFB", "u");
    Spell(table, "\xDC\xFC", "ue");
    Spell(table, "\xDF", "ss");
    return table;
}

constexpr TFoldTable Spellings = MakeFoldTable();

} // namespace

std::string FoldName(std::string_view name) {
    std::string folded;
    folded.reserve(name.size() + name.size() / 4);
    for (const char c : name) {
        const std::string_view spelling = Spellings[static_cast<unsigned char>(c)];
        if (!spelling.empty())
            folded += spelling;
        else
            folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded;
}
