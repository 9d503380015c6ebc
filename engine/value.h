#pragma once

#include <limits>

namespace tallimo {

// Every computation of the engine runs in x87 extended precision.
using Value = long double;
static_assert(std::numeric_limits<Value>::digits == 64, "Value needs a 64-bit mantissa");

}  // namespace tallimo
