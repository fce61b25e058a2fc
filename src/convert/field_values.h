#pragma once

#include "model/fixed.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// Values as the text filters read them from the fields of a file, checked before a record sees
// them: a field that is no number in a number column is an error, never a silent 0.
namespace FieldValues {

// As long as the edit dialog lets a name be.
constexpr std::size_t MaxNameLength = 255;

// A field that does not hold what its column needs; the message quotes the field.
class TXInvalidField : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An empty field (or one of blanks only) is 0. Otherwise the whole field, blanks around it
// allowed, is an optional sign and digits; tenths may go on with "." or "," and digits. Anything
// else throws TXInvalidField.
Math::Whole Whole(std::string_view field);
Math::Tenths Tenths(std::string_view field);

// The field as a name; longer than MaxNameLength throws TXInvalidField.
std::string Name(std::string_view field);

// A text from a file as a log line shows it: in double quotes, control characters as blanks,
// and at most QuotedLength characters, with "..." where more follows.
constexpr std::size_t QuotedLength = 60;
std::string Quoted(std::string_view text);

} // namespace FieldValues
