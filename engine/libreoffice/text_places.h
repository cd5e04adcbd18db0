#pragma once
// Where a piece of text lies: in the body, in a header or footer, or in a table, frame or note
// held by one of them.
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <vector>

namespace plainquill::engine::libreoffice {

// The place of `range`, from the outside inwards: the anchor of the outermost table, frame or
// note that holds it, then that of the one inside it, down to `range` itself. The first lies in
// `body`, or in a text that nothing holds (a header, say). Deep enough for a comment in a table
// in a frame in a table; anything deeper is placed by its outer places alone.
std::vector<css::uno::Reference<css::text::XTextRange>> placeOf(css::uno::Reference<css::text::XTextRange> range,
                                                                const css::uno::Reference<css::text::XText>& body);

} // namespace plainquill::engine::libreoffice
