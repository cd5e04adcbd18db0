#include "engine/text_parts.h"

namespace plainquill::engine {

std::optional<TextParts> parseTextParts(std::string_view list, std::string& unknown)
{
    TextParts parts;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view word = list.substr(0, comma);
        if (word == "headers")
            parts.headers = true;
        else if (word == "footers")
            parts.footers = true;
        else if (word == "comments")
            parts.comments = true;
        else if (word == "all")
            parts = {true, true, true};
        else {
            unknown = word;
            return std::nullopt;
        }
        if (comma == std::string_view::npos)
            return parts;
        list.remove_prefix(comma + 1);
    }
}

} // namespace plainquill::engine
