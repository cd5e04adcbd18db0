#pragma once
// The lines of a text LibreOffice hands over in one string, a paragraph or a line break each.
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::engine::libreoffice {

// `text` split at its line ends (LF, CR or CR LF), without the empty lines it ends with.
std::vector<std::string> textLines(std::string_view text);

// `lines` as a text, each line ended by a line feed.
std::string joinedLines(const std::vector<std::string>& lines);

} // namespace plainquill::engine::libreoffice
