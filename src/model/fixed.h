#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <compare>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace Math {

// A decimal number with a fixed count of fractional digits: Digits = 1 holds tenths (temperatures
// in °C, precipitation in mm), Digits = 0 whole numbers (degrees, minutes, metres).
//
// The value keeps three fields: a sign flag, a signed 32-bit integer part and a signed
// fractional part counted in units of the last digit. Both parts always carry the sign of the
// value (-0.5 is integer 0, fraction -5, sign set), the fraction stays below one unit of the
// integer part, and zero is never negative. Results that do not fit the 32-bit integer part are
// held at its nearest limit.
template <typename Int, int Digits>
class fixed {
    static_assert(Digits >= 0 && Digits <= 4);

public:
    static constexpr std::int64_t Scale = [] {
        std::int64_t scale = 1;
        for (int i = 0; i < Digits; ++i)
            scale *= 10;
        return scale;
    }();

    constexpr fixed() = default;
    constexpr fixed(Int whole) : fixed(FromUnits(static_cast<std::int64_t>(whole) * Scale)) {}

    // An exact copy of a value with fewer fractional digits.
    template <int OtherDigits>
    requires(OtherDigits < Digits) constexpr explicit fixed(const fixed<Int, OtherDigits>& other)
        : fixed(FromUnits(other.Units() * (Scale / fixed<Int, OtherDigits>::Scale))) {}

    // The value of a count of units of the last digit (for tenths: 123 is 12.3).
    static constexpr fixed FromUnits(std::int64_t units) {
        constexpr std::int64_t lowest =
            std::numeric_limits<std::int32_t>::min() * Scale - (Scale - 1);
        constexpr std::int64_t highest =
            std::numeric_limits<std::int32_t>::max() * Scale + (Scale - 1);
        units = std::clamp(units, lowest, highest);
        fixed value;
        value.Integer = static_cast<std::int32_t>(units / Scale);
        value.Fraction = static_cast<std::int16_t>(units % Scale);
        value.Negative = units < 0;
        return value;
    }

    // Reads a value the way files and dialogs give it: leading blanks, an optional sign, the
    // integer digits, then "." (or ",") and the fraction. The fraction is rounded half up on the
    // first digit beyond the kept ones, with carry; further digits are ignored. Reading stops at
    // the first character that cannot belong to the number; text without digits reads as 0.
    static constexpr fixed FromText(std::string_view text) {
        std::size_t pos = 0;
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        bool negative = false;
        if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
            negative = text[pos++] == '-';

        constexpr std::int64_t integerLimit = std::int64_t{1} << 32;
        std::int64_t integer = 0;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos)
            integer = std::min(integer * 10 + (text[pos] - '0'), integerLimit);

        std::int64_t fraction = 0;
        if (Digits > 0 && pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
            ++pos;
            for (int digit = 0; digit < Digits; ++digit) {
                fraction *= 10;
                if (pos < text.size() && IsDigit(text[pos]))
                    fraction += text[pos++] - '0';
            }
            if (pos < text.size() && IsDigit(text[pos]) && text[pos] >= '5')
                ++fraction;
        }
        const std::int64_t units = integer * Scale + fraction;
        return FromUnits(negative ? -units : units);
    }

    // A double as the older files stored values: written as the standard stream writes it (six
    // significant digits) and read back by the rule above, so 12.35 becomes 12.4.
    static fixed FromDouble(double value) {
        char text[32];
        const auto end =
            std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
        return FromText(std::string_view(text, static_cast<std::size_t>(end.ptr - text)));
    }

    constexpr bool IsNegative() const { return Negative; }
    constexpr std::int32_t IntegerPart() const { return Integer; }
    constexpr std::int32_t FractionPart() const { return Fraction; }
    constexpr std::int64_t Units() const { return std::int64_t{Integer} * Scale + Fraction; }

    // Room for the text form of any value.
    using TTextBuffer = std::array<char, 24>;

    // The text form with a point: 12.3, -0.5, -7.0, 0.0; whole numbers without point.
    std::string Text() const {
        TTextBuffer buffer;
        return std::string(Text(buffer));
    }
    // The same made in the buffer, for the many values of a file.
    std::string_view Text(TTextBuffer& buffer) const {
        char* end = buffer.data();
        if (Negative && Integer == 0)
            *end++ = '-';
        // Room is left for the point and the fraction.
        end = std::to_chars(end, buffer.data() + buffer.size() - 1 - Digits, Integer).ptr;
        if constexpr (Digits > 0) {
            *end++ = '.';
            for (std::int64_t unit = Scale / 10, rest = Fraction < 0 ? -Fraction : Fraction;
                 unit > 0; rest %= unit, unit /= 10)
                *end++ = static_cast<char>('0' + rest / unit);
        }
        return std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    }

    // The text form as the user sees it, with a decimal comma.
    std::string DisplayText() const {
        std::string text = Text();
        std::replace(text.begin(), text.end(), '.', ',');
        return text;
    }

    // Rounded to fewer fractional digits, halves away from zero.
    template <int FewerDigits>
    requires(FewerDigits < Digits) constexpr fixed<Int, FewerDigits> RoundedTo() const {
        constexpr std::int64_t divisor = Scale / fixed<Int, FewerDigits>::Scale;
        const std::int64_t half = Negative ? -(divisor / 2) : divisor / 2;
        return fixed<Int, FewerDigits>::FromUnits((Units() + half) / divisor);
    }

    constexpr fixed operator-() const { return FromUnits(-Units()); }
    constexpr fixed& operator+=(const fixed& other) {
        return *this = FromUnits(Units() + other.Units());
    }
    constexpr fixed& operator-=(const fixed& other) {
        return *this = FromUnits(Units() - other.Units());
    }
    friend constexpr fixed operator+(fixed a, const fixed& b) { return a += b; }
    friend constexpr fixed operator-(fixed a, const fixed& b) { return a -= b; }
    // Scaling by a whole number; division truncates toward zero.
    friend constexpr fixed operator*(const fixed& a, Int factor) {
        return FromUnits(a.Units() * factor);
    }
    friend constexpr fixed operator/(const fixed& a, Int divisor) {
        return FromUnits(a.Units() / divisor);
    }

    // Integer part first, fractional part second; the sign flag takes no part.
    friend constexpr bool operator==(const fixed& a, const fixed& b) {
        return a.Integer == b.Integer && a.Fraction == b.Fraction;
    }
    friend constexpr std::strong_ordering operator<=>(const fixed& a, const fixed& b) {
        if (const auto order = a.Integer <=> b.Integer; order != 0)
            return order;
        return a.Fraction <=> b.Fraction;
    }

private:
    static constexpr bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    static constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    std::int32_t Integer = 0;
    // Less than one unit of the integer part, which 16 bits hold for up to four digits: a
    // station's fifty values take less room so.
    std::int16_t Fraction = 0;
    bool Negative = false;
};

// Tenths: monthly temperatures and precipitation and the values derived from them.
using Tenths = fixed<long, 1>;
// Whole numbers: degrees, minutes, metres.
using Whole = fixed<long, 0>;

} // namespace Math
