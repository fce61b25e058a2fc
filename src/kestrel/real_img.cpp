#include "kestrel/real_img.h"

#include <bit>

namespace Math {

long double ToDouble(const TRealImg& image) {
    const std::uint64_t sign = image.Bytes[5] >> 7;
    const std::uint64_t exponent = image.Bytes[0];
    if (exponent == 0)
        return sign ? -0.0L : 0.0L;

    std::uint64_t fraction = image.Bytes[5] & 0x7Fu;
    for (int i = 4; i >= 1; --i)
        fraction = (fraction << 8) | image.Bytes[i];

    // Bias 129 becomes the double's bias 1023; the 39 fraction bits head the 52-bit mantissa.
    const std::uint64_t bits = (sign << 63) | ((exponent + 894) << 52) | (fraction << 13);
    return std::bit_cast<double>(bits);
}

} // namespace Math
