#include "controls/progressbar/progress_arithmetic.h"

#include "controls/contracts/control_errors.h"

#include <cmath>
#include <limits>

namespace plainquill::progressbar {

std::int32_t roundHalfEven(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min()
        || rounded > std::numeric_limits<std::int32_t>::max())
        throw contracts::OverflowError();
    return static_cast<std::int32_t>(rounded);
}

std::int32_t percentFromValue(std::int32_t value, std::int32_t max, std::int32_t min)
{
    const std::int64_t hundredfold = std::int64_t{value} * 100;
    using Int32 = std::numeric_limits<std::int32_t>;
    if (hundredfold < Int32::min() || hundredfold > Int32::max())
        throw contracts::OverflowError();
    if (max == 0)
        throw contracts::DivisionByZeroError();
    return roundHalfEven(static_cast<double>(hundredfold) / max + min);
}

std::int32_t valueFromPercent(std::int32_t percent, std::int32_t max, std::int32_t min)
{
    return roundHalfEven((static_cast<double>(percent) - min) / 100.0 * max);
}

} // namespace plainquill::progressbar
