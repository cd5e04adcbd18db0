#include "engine/libreoffice/text_lines.h"

namespace plainquill::engine::libreoffice {

std::vector<std::string> textLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.push_back(std::move(line));
        line.clear();
    }
    lines.push_back(std::move(line));
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::string joinedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

} // namespace plainquill::engine::libreoffice
