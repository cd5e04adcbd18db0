#pragma once
// Errors a control raises to the caller of a property write. The host catches them at the
// notification boundary; a direct caller (the window) sees them as ordinary exceptions.
#include <stdexcept>

namespace plainquill::contracts {

class DivisionByZeroError : public std::runtime_error {
public:
    DivisionByZeroError() : std::runtime_error("Division by zero") {}
};

class OverflowError : public std::runtime_error {
public:
    OverflowError() : std::runtime_error("Overflow") {}
};

} // namespace plainquill::contracts
