#pragma once

#include <cstdint>

namespace vantirelle {

// The board's counters and sizes are 16-bit signed values. Arithmetic on them
// is checked: a result outside the range raises OverflowError instead of wrapping.
using Int16 = std::int16_t;

Int16 checkedInt16(long long value);
Int16 add16(Int16 a, Int16 b);
Int16 sub16(Int16 a, Int16 b);
Int16 mul16(Int16 a, Int16 b);

// Nearest integer, an exact half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Raises OverflowError for a result outside the 16-bit range or a value that is not finite.
Int16 roundToInt16(double value);

} // namespace vantirelle
