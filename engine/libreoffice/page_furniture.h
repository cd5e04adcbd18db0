#pragma once
// Headers and footers: what each page style in use prints at the top and the bottom of its pages.
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XText.hpp>

#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

struct Furniture {
    css::uno::Reference<css::text::XText> text;
    std::vector<std::string> boxLines; // those of the text boxes anchored in it
};

struct PageFurniture {
    std::vector<Furniture> headers;
    std::vector<Furniture> footers;
    // The texts pages never print: those of page styles no page uses, and the first-page and
    // left-page texts a style keeps while its first or left pages share the right pages' text.
    // Word documents bring them along unused.
    std::vector<css::uno::Reference<css::text::XText>> unused;
};

// Every header and footer text of `model`'s page styles that pages print: the first page's, the
// right and the left pages', in that order; empty ones too, as text boxes may be anchored in them.
// A style is taken to be used when it is the first page's, when a paragraph or a table names it,
// or when it follows a used one; unless `whichPrinted` is false, which takes every style as used
// (for documents whose headers and footers are not asked for, cheaper and all the same to them).
// No text is read yet: a document's furniture is read only when it is asked for.
PageFurniture pageFurnitureOf(const css::uno::Reference<css::lang::XComponent>& model, bool whichPrinted);

// True when `text` is one of `furniture`'s.
bool holds(const std::vector<Furniture>& furniture, const css::uno::Reference<css::text::XText>& text);

// The distinct texts of `furniture`, each its own text and then its boxes' (a text repeated on
// every page, or shared by two styles, comes once), each line ended by a line feed, in their
// order. Empty when all are empty.
std::string distinctText(const std::vector<Furniture>& furniture);

} // namespace plainquill::engine::libreoffice
