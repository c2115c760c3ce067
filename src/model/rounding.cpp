#include "model/rounding.h"

#include "model/runtimeerror.h"

#include <cmath>
#include <limits>

namespace kinetra {

namespace {

template <typename Int>
Int roundHalfEven(double value)
{
    if (std::isnan(value))
        throw RuntimeError(ErrorCode::Overflow);
    // Halves go to the even neighbour; spelled out so no floating-point mode can change it.
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double r = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        r = floor + 1.0;
    if (r < double(std::numeric_limits<Int>::min()) || r > double(std::numeric_limits<Int>::max()))
        throw RuntimeError(ErrorCode::Overflow);
    return static_cast<Int>(r);
}

} // namespace

int16_t toInt16(double value)
{
    return roundHalfEven<int16_t>(value);
}

bool fitsInt16(double value)
{
    // Halves go to even: -32768.5 rounds to -32768, 32767.5 to 32768.
    constexpr double kLow = std::numeric_limits<int16_t>::min() - 0.5;
    constexpr double kHigh = std::numeric_limits<int16_t>::max() + 0.5;
    return value >= kLow && value < kHigh;
}

int32_t toInt32(double value)
{
    return roundHalfEven<int32_t>(value);
}

} // namespace kinetra
