#include "board/int16.h"

#include "board/errors.h"

#include <cmath>
#include <limits>

namespace vantirelle {

Int16 checkedInt16(long long value)
{
    if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max())
        throw OverflowError();
    return static_cast<Int16>(value);
}

Int16 add16(Int16 a, Int16 b) { return checkedInt16(static_cast<long long>(a) + b); }
Int16 sub16(Int16 a, Int16 b) { return checkedInt16(static_cast<long long>(a) - b); }
Int16 mul16(Int16 a, Int16 b) { return checkedInt16(static_cast<long long>(a) * b); }

Int16 roundToInt16(double value)
{
    if (!std::isfinite(value) || value < -32768.5 || value > 32767.5)
        throw OverflowError();
    // Decide the half case explicitly rather than trusting the FPU's rounding mode.
    const double below = std::floor(value);
    const double fraction = value - below;
    double nearest = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        nearest = below + 1.0;
    return checkedInt16(static_cast<long long>(nearest));
}

} // namespace vantirelle
