#pragma once
// Failures print by name in test messages rather than as the bytes of an enum.
#include "engine/word_processor.h"

#include <ostream>

namespace plainquill::engine {

inline void PrintTo(Failure failure, std::ostream* out)
{
    *out << describe(failure);
}

} // namespace plainquill::engine
