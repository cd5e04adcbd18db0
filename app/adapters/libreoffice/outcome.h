#pragma once
// What one step of an operation came to, before it is dressed as the interface's result types.
#include "app/adapters/word_processor.h"

#include <string>

namespace plainquill::adapters::libreoffice {

struct Outcome {
    Failure failure = Failure::None;
    std::string detail;
    bool ok() const { return failure == Failure::None; }
};

} // namespace plainquill::adapters::libreoffice
