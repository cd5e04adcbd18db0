#pragma once
// Text boxes, text frames and shapes with text. LibreOffice's text export writes only the body,
// so the words in them would be lost.
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

struct TextBox {
    std::vector<std::string> lines;
    css::uno::Reference<css::text::XText> anchorText;       // the text it is anchored in; null
                                                            // in a header that pages never print
    css::uno::Reference<css::text::XTextRange> anchor;      // null when it is anchored to the page
};

// The boxes of `model` that hold text, in the order of its drawing layer, each with its tables. A
// text box made of a shape and the frame that holds its text counts once, in the shape's place:
// the frames of a group come after it, in reverse order.
std::vector<TextBox> textBoxesOf(const css::uno::Reference<css::lang::XComponent>& model);

// True when `model` holds any frame, picture or drawn shape, text or none.
bool hasDrawnObjects(const css::uno::Reference<css::lang::XComponent>& model);

// Writes each box anchored in the body, or in a table cell, into the document as paragraphs of
// its own right after the paragraph it is anchored to, boxes of one paragraph in their order.
// Returns the boxes it could not place.
std::vector<TextBox> placeAfterAnchors(const css::uno::Reference<css::lang::XComponent>& model,
                                       std::vector<TextBox> boxes);

} // namespace plainquill::engine::libreoffice
