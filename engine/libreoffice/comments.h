#pragma once
// Comments: notes about the text that its readers left in the margin.
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>

#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

// A blank line and "[comment: author] text" for each of `comments`, in the order of the places
// they are anchored at in `body` (a reply right after the comment it answers); empty when there
// are none.
std::string commentsText(std::vector<css::uno::Reference<css::text::XTextContent>> comments,
                         const css::uno::Reference<css::text::XText>& body);

} // namespace plainquill::engine::libreoffice
