#include "engine/word_processor.h"

namespace plainquill::engine {

std::string describe(Failure failure)
{
    switch (failure) {
    case Failure::None: return "converted";
    case Failure::CouldNotOpen: return "could not open";
    case Failure::NotADocument: return "not a document";
    case Failure::CouldNotSave: return "could not save";
    case Failure::TimedOut: return "timed out";
    case Failure::Stopped: return "the word processor stopped";
    case Failure::TooLarge: return "too large";
    }
    return "unknown failure";
}

bool isBlankText(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

} // namespace plainquill::engine
