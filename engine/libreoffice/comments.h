#pragma once
// Comments: notes about the text that its readers left in the margin.
#include <com/sun/star/lang/XComponent.hpp>

#include <string>

namespace plainquill::engine::libreoffice {

// A blank line and "[comment: author] text" for each comment of `model`, a reply after the
// comment it answers; empty for a document without comments.
std::string commentsText(const css::uno::Reference<css::lang::XComponent>& model);

} // namespace plainquill::engine::libreoffice
