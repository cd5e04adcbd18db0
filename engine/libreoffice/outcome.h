#pragma once
// What one step of an operation came to, before it is dressed as the interface's result types.
#include "engine/word_processor.h"

#include <string>
#include <utility>

namespace plainquill::engine::libreoffice {

struct Outcome {
    Outcome() = default;
    Outcome(Failure why, std::string words = {}, std::string raw = {})
        : failure(why), detail(std::move(words)), rawDetail(std::move(raw))
    {
    }

    Failure failure = Failure::None;
    std::string detail;     // plain words for the user
    std::string rawDetail; // LibreOffice's or the system's own words, for a log
    bool noText = false;   // as SaveResult::noText
    bool ok() const { return failure == Failure::None; }
};

} // namespace plainquill::engine::libreoffice
