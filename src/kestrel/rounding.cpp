#include "kestrel/rounding.h"

#include <cmath>

namespace Math {

long double round(double x, int n) {
    const double scale = std::pow(10.0, n);
    // The shifted value is formed in extended precision and only then stored as a double,
    // exactly as the library has always done it; results depend on this.
    const double shifted = static_cast<double>(static_cast<long double>(x) * scale + 0.5L);
    return static_cast<long double>(std::floor(shifted)) / scale;
}

} // namespace Math
