#pragma once

// Readable failure output for the core's value types.

#include "model/diagram_data.h"
#include "model/windows1252.h"

#include <ostream>

namespace Math {

template <typename Int, int Digits>
void PrintTo(const fixed<Int, Digits>& value, std::ostream* out) {
    *out << value.Text() << (value.IsNegative() ? " (negative)" : "");
}

} // namespace Math

inline void PrintTo(const TDiagramData& record, std::ostream* out) {
    *out << '"' << Windows1252::ToUtf8(record.Place().Name()) << "\" "
         << Windows1252::ToUtf8(record.PositionText()) << " T[";
    for (const auto& value : record.Temperatures().Values())
        *out << ' ' << value.Text();
    *out << " ] P[";
    for (const auto& value : record.Precipitation().Values())
        *out << ' ' << value.Text();
    *out << " ]";
}
