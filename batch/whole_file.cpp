#include "batch/whole_file.h"

#include <fstream>
#include <sstream>

namespace plainquill::batch {

std::optional<std::string> readWholeFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::error_code ignored;
    // A folder opens as a stream on Linux and reads as nothing.
    if (!in || std::filesystem::is_directory(file, ignored))
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace plainquill::batch
