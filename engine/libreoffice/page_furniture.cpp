#include "engine/libreoffice/page_furniture.h"

#include "engine/libreoffice/text_lines.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>

#include <algorithm>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

void addTexts(const Reference<css::beans::XPropertySet>& style, const char* kind, std::vector<Furniture>& into)
{
    bool on = false;
    style->getPropertyValue(toUno(std::string(kind) + "IsOn")) >>= on;
    if (!on)
        return;
    for (const char* which : {"TextFirst", "Text", "TextLeft"}) {
        Reference<css::text::XText> text;
        style->getPropertyValue(toUno(std::string(kind) + which)) >>= text;
        if (!text.is())
            continue;
        const bool known = std::any_of(into.begin(), into.end(), [&](const Furniture& f) { return f.text == text; });
        if (!known)
            into.push_back({text, textLines(fromUno(text->getString()))});
    }
}

} // namespace

PageFurniture pageFurnitureOf(const Reference<css::lang::XComponent>& model)
{
    PageFurniture furniture;
    const Reference<css::style::XStyleFamiliesSupplier> families(model, UNO_QUERY);
    if (!families.is())
        return furniture;
    Reference<css::container::XNameAccess> pageStyles;
    families->getStyleFamilies()->getByName("PageStyles") >>= pageStyles;
    if (!pageStyles.is())
        return furniture;
    for (const rtl::OUString& name : pageStyles->getElementNames()) {
        const Reference<css::beans::XPropertySet> properties(pageStyles->getByName(name), UNO_QUERY);
        // Whether a style is in use is known only once pages are laid out, which we never do; a
        // style that was given a header or a footer is taken to be one a page uses.
        if (!properties.is())
            continue;
        addTexts(properties, "Header", furniture.headers);
        addTexts(properties, "Footer", furniture.footers);
    }
    return furniture;
}

std::string distinctText(const std::vector<Furniture>& furniture)
{
    std::vector<std::string> seen;
    std::string text;
    for (const Furniture& piece : furniture) {
        const std::string block = joinedLines(piece.lines);
        if (block.empty() || std::find(seen.begin(), seen.end(), block) != seen.end())
            continue;
        seen.push_back(block);
        text += block;
    }
    return text;
}

} // namespace plainquill::engine::libreoffice
