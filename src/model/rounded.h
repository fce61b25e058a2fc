#pragma once

#include "kestrel/rounding.h"

namespace Math {

// A computed value as a whole number, the way the program has always made one: rounded with
// the library's rounding (halves upwards) and then cut.
inline int Rounded(double value) {
    return static_cast<int>(Math::round(value, 0));
}

} // namespace Math
