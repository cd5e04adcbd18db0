#pragma once
// One queued document and the text file it becomes, both settled before any conversion starts.
#include <filesystem>

namespace plainquill::engine {

struct ConversionItem {
    std::filesystem::path source;
    std::filesystem::path target;
};

} // namespace plainquill::engine
