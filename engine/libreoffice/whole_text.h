#pragma once
// The text of a header, a footer or a text box, tables included. XText::getString leaves out a
// table the text begins with, and throws "no text available" for a text that is only a table.
#include <com/sun/star/text/XText.hpp>

#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

// The lines of `text` as the text export writes a body: a line per paragraph, each table cell's
// paragraphs in turn, row by row (tables in cells too); without the empty lines it ends with.
std::vector<std::string> wholeTextLines(const css::uno::Reference<css::text::XText>& text);

} // namespace plainquill::engine::libreoffice
