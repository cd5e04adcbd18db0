#pragma once
// Headers and footers: what each page style in use prints at the top and the bottom of its pages.
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XText.hpp>

#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

struct Furniture {
    css::uno::Reference<css::text::XText> text;
    std::vector<std::string> lines; // its own text, then that of the text boxes anchored in it
};

struct PageFurniture {
    std::vector<Furniture> headers;
    std::vector<Furniture> footers;
};

// Every header and footer text of `model`'s page styles: the first page's, the right and the left
// pages', in that order; empty ones too, as text boxes may be anchored in them.
PageFurniture pageFurnitureOf(const css::uno::Reference<css::lang::XComponent>& model);

// The distinct texts of `furniture` (a text repeated on every page, or shared by two styles,
// comes once), each ended by a line feed, in their order. Empty when all are empty.
std::string distinctText(const std::vector<Furniture>& furniture);

} // namespace plainquill::engine::libreoffice
