#pragma once

#include "kestrel/kestrel_export.h"

namespace Math {

// Rounds x to n decimal digits after the point (n may be 0 or negative). Halves go towards
// positive infinity: 2.25 -> 2.3 at n = 1, -2.5 -> -2 at n = 0.
KESTREL_API long double round(double x, int n);

} // namespace Math
