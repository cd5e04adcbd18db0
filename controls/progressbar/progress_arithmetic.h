#pragma once
// The numbers behind the bar: rounding (halves to the even neighbour, so a run of halves does not
// drift one way; an out-of-range result an overflow error), and the conversions between Value
// and Percent.
#include <cstdint>

namespace plainquill::progressbar {

// Nearest integer, halves to even; OverflowError when it does not fit 32 bits.
std::int32_t roundHalfEven(double value);

// Value write: v x 100 in 32-bit arithmetic (OverflowError past it), divided by max in double
// precision (DivisionByZeroError for 0), plus min, rounded.
std::int32_t percentFromValue(std::int32_t value, std::int32_t max, std::int32_t min);

// Value read: the inverse of the write, (percent - min) / 100 x max, rounded. With min 0 this is
// percent / 100 x max.
std::int32_t valueFromPercent(std::int32_t percent, std::int32_t max, std::int32_t min);

} // namespace plainquill::progressbar
