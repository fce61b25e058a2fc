#include "model/name_folding.h"

#include <array>

namespace {

// What a byte folds to: one or two bytes.
struct TSpelling {
    char Bytes[2];
    unsigned char Length;
};
using TFoldTable = std::array<TSpelling, 256>;

constexpr void Spell(TFoldTable& table, std::string_view bytes, std::string_view spelling) {
    for (const char byte : bytes)
        table[static_cast<unsigned char>(byte)] = {
            {spelling[0], spelling.size() > 1 ? spelling[1] : '\0'},
            static_cast<unsigned char>(spelling.size())};
}

constexpr TFoldTable MakeFoldTable() {
    TFoldTable table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        table[static_cast<std::size_t>(byte)] = {
            {c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c, '\0'}, 1};
    }
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

// Every name of the database is folded when it is read, so this is kept quick: written into a
// buffer with room for the longest spelling, then copied once into a string of the right size.
std::string FoldName(std::string_view name) {
    char local[256];
    std::string large;
    char* folded = local;
    if (2 * name.size() > sizeof local) {
        large.resize(2 * name.size());
        folded = large.data();
    }
    char* end = folded;
    for (const char c : name) {
        const TSpelling& spelling = Spellings[static_cast<unsigned char>(c)];
        end[0] = spelling.Bytes[0];
        end[1] = spelling.Bytes[1];
        end += spelling.Length;
    }
    return std::string(folded, end);
}
