#pragma once
// The parts of a document that are not part of its content, and so left out of its text unless
// the user asks for them: headers and footers repeat on every page, comments are about the text.
#include <optional>
#include <string>
#include <string_view>

namespace plainquill::engine {

struct TextParts {
    bool headers = false;
    bool footers = false;
    bool comments = false;
};

// A comma list of "headers", "footers" and "comments", or "all". Nothing when a word is none of
// these; `unknown` then holds it.
std::optional<TextParts> parseTextParts(std::string_view list, std::string& unknown);

} // namespace plainquill::engine
