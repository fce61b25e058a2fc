#pragma once

#include "kestrel/kestrel_export.h"

#include <cstdint>

namespace Math {

// The six-byte image of a 48-bit real as the old database generations stored it, bytes in file
// order: b0 is the biased exponent (0 means zero), b1..b5 hold the 39-bit fraction least
// significant byte first, and bit 7 of b5 is the sign.
struct TRealImg {
    std::uint8_t Bytes[6];
};

// The value of a six-byte real. Every such value is exactly representable as a double.
KESTREL_API long double ToDouble(const TRealImg& image);

} // namespace Math
