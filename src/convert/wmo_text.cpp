#include "convert/wmo_text.h"

#include "model/windows1252.h"

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool HoldsUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (!Windows1252::DecodeUtf8(bytes, pos))
            return false;
        multiByte = true;
    }
    return multiByte;
}

} // namespace

TWmoText::TWmoText(std::string_view bytes) : Bytes(bytes) {
    const bool marked = Bytes.starts_with(ByteOrderMark);
    if (marked)
        Bytes.remove_prefix(ByteOrderMark.size());
    Utf8 = marked || HoldsUtf8(Bytes);
}

bool TWmoText::NextRow(std::vector<std::string_view>& fields) {
    fields.clear();
    Unquoted.clear();
    if (Position >= Bytes.size())
        return false;
    ++Row;
    const std::size_t end = std::min(Bytes.find_first_of("\r\n", Position), Bytes.size());
    const std::string_view row = Bytes.substr(Position, end - Position);
    Position = end;
    CutOff = end == Bytes.size();
    if (Position < Bytes.size() && Bytes[Position] == '\r')
        ++Position;
    if (Position < Bytes.size() && Bytes[Position] == '\n')
        ++Position;

    const std::string_view noBreakSpace = Utf8 ? "\xC2\xA0" : "\xA0";
    const auto trimmed = [&](std::string_view field) {
        for (bool changed = true; changed;) {
            changed = false;
            for (const std::string_view blank :
                 {std::string_view(" "), std::string_view("\t"), noBreakSpace}) {
                while (field.starts_with(blank))
                    field.remove_prefix(blank.size()), changed = true;
                while (field.ends_with(blank))
                    field.remove_suffix(blank.size()), changed = true;
            }
        }
        return field;
    };
    const auto unquoted = [&](std::string_view field) -> std::string_view {
        if (field.find('"') == std::string_view::npos)
            return trimmed(field);
        std::string& text = Unquoted.emplace_back();
        bool quoted = false;
        for (std::size_t i = 0; i < field.size(); ++i) {
            if (field[i] != '"')
                text += field[i];
            else if (quoted && i + 1 < field.size() && field[i + 1] == '"')
                text += field[++i];
            else
                quoted = !quoted;
        }
        return trimmed(text);
    };

    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (row[i] == '"') {
            quoted = !quoted;
        } else if (row[i] == ',' && !quoted) {
            fields.push_back(unquoted(row.substr(start, i - start)));
            start = i + 1;
        }
    }
    fields.push_back(unquoted(row.substr(start)));
    return true;
}

std::string TWmoText::Text(std::string_view field, bool& complete) const {
    if (Utf8)
        return Windows1252::FromUtf8Replacing(field, complete);
    complete = true;
    return std::string(field);
}

std::string LabelKey(std::string_view label) {
    std::string key;
    for (const char c : label)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            key += static_cast<char>(c | 0x20);
    return key;
}

namespace WmoNumbers {

std::optional<std::int64_t> Units(std::string_view text, int decimals) {
    // Nine digits before the point hold every value a station can have, far from overflow.
    constexpr int MostIntegerDigits = 9;
    const auto isDigit = [](char c) {
        return c >= '0' && c <= '9';
    };
    std::size_t pos = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        ++pos;
    std::int64_t units = 0;
    int integerDigits = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        if (++integerDigits > MostIntegerDigits)
            return std::nullopt;
        units = units * 10 + (text[pos] - '0');
    }
    int fractionDigits = 0;
    bool roundUp = false;
    if (pos < text.size() && text[pos] == '.') {
        for (++pos; pos < text.size() && isDigit(text[pos]); ++pos, ++fractionDigits) {
            if (fractionDigits < decimals)
                units = units * 10 + (text[pos] - '0');
            else if (fractionDigits == decimals)
                roundUp = text[pos] >= '5';
        }
    }
    if (pos != text.size() || integerDigits + fractionDigits == 0)
        return std::nullopt;
    for (int kept = std::min(fractionDigits, decimals); kept < decimals; ++kept)
        units *= 10;
    if (roundUp)
        ++units;
    return negative ? -units : units;
}

} // namespace WmoNumbers
