#include "convert/field_values.h"

#include "convert/station_names.h"
#include "model/windows1252.h"

using namespace Windows1252::Literals;

namespace FieldValues {
namespace {

constexpr std::string_view Blanks = " \t\n\v\f\r";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits from pos on; false when there is none.
bool SkipDigits(std::string_view text, std::size_t& pos) {
    const std::size_t first = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos > first;
}

bool IsNumber(std::string_view text, bool withFraction) {
    std::size_t pos = 0;
    if (text[pos] == '-' || text[pos] == '+')
        ++pos;
    if (!SkipDigits(text, pos))
        return false;
    if (withFraction && pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
        ++pos;
        if (!SkipDigits(text, pos))
            return false;
    }
    return pos == text.size();
}

template <int Digits>
Math::fixed<long, Digits> Number(std::string_view field) {
    const std::size_t first = field.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return 0;
    const std::string_view number = field.substr(first, field.find_last_not_of(Blanks) + 1 - first);
    if (!IsNumber(number, Digits > 0))
        throw TXInvalidField(Quoted(field) + " ist keine Zahl");
    return Math::fixed<long, Digits>::FromText(number);
}

} // namespace

Math::Whole Whole(std::string_view field) {
    return Number<0>(field);
}

Math::Tenths Tenths(std::string_view field) {
    return Number<1>(field);
}

std::string Name(std::string_view field) {
    if (field.size() > MaxNameLength)
        throw TXInvalidField(Quoted(field) + " ist länger als "_cp1252 +
                             std::to_string(MaxNameLength) + " Zeichen");
    return std::string(field);
}

std::string Quoted(std::string_view text) {
    const bool cut = text.size() > QuotedLength;
    return '"' + StationNames::WithoutControlCharacters(std::string(text.substr(0, QuotedLength))) +
           (cut ? "...\"" : "\"");
}

} // namespace FieldValues
