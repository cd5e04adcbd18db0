#pragma once
// What the window uses of the drawn progress bar.
#include "controls/contracts/colour.h"

#include <cstdint>

namespace plainquill::contracts {

class ProgressFace {
public:
    virtual ~ProgressFace() = default;

    // The value at which the bar is full. Writing it does not repaint.
    virtual std::int32_t Max() const = 0;
    virtual void SetMax(std::int32_t max) = 0;

    // Writing repaints at once. Throws DivisionByZeroError when Max is 0 and OverflowError
    // when value * 100 leaves the 32-bit range; the bar is then unchanged.
    virtual std::int32_t Value() const = 0;
    virtual void SetValue(std::int32_t value) = 0;

    // The fill colour; writing repaints at once.
    virtual Colour Color() const = 0;
    virtual void SetColor(Colour colour) = 0;
};

} // namespace plainquill::contracts
