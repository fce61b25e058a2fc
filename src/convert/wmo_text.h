#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a file of the WMO climate normals: comma-separated rows in ASCII, Windows-1252 or
// UTF-8 (with or without byte-order mark), quoted or not, padded with blanks.
class TWmoText {
public:
    // The bytes are kept by reference. Text that is valid UTF-8 and holds a multi-byte sequence
    // is UTF-8, any other Windows-1252.
    explicit TWmoText(std::string_view bytes);

    bool IsUtf8() const { return Utf8; }

    // The fields of the next row, or false at the end: split at the commas outside double
    // quotes, the quotes taken off ("" inside them is one quote), blanks, tabs and no-break
    // spaces around each field dropped. Rows end in LF, CR LF or CR. The fields stay valid
    // until the next call.
    bool NextRow(std::vector<std::string_view>& fields);
    // The number of the row NextRow gave last, from 1.
    int RowNumber() const { return Row; }
    // Whether that row ends the text without a line end, as a file cut off in the middle does.
    bool RowCutOff() const { return CutOff; }

    // A field as Windows-1252; `complete` tells whether every character could be kept (the
    // others stand as "?").
    std::string Text(std::string_view field, bool& complete) const;

private:
    std::string_view Bytes;
    std::size_t Position = 0;
    bool Utf8 = false;
    int Row = 0;
    bool CutOff = false;
    std::deque<std::string> Unquoted;
};

// A label of the WMO files as a key: its letters A to Z in small letters ("Station_Name",
// "STATION NAME" -> "stationname").
std::string LabelKey(std::string_view label);

namespace WmoNumbers {

// The value of a number written as the WMO files write them (an optional sign, digits, and "."
// with more digits; ".8" and "-.3" included), in units of the given count of decimals, rounded
// half away from zero on the first digit dropped. Nothing for a text that is no such number or
// too large to be a value of a station.
std::optional<std::int64_t> Units(std::string_view text, int decimals);

} // namespace WmoNumbers
