#include "engine/libreoffice/page_furniture.h"

#include "engine/libreoffice/text_lines.h"
#include "engine/libreoffice/uno_strings.h"
#include "engine/libreoffice/whole_text.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/UnknownPropertyException.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

bool flag(const Reference<css::beans::XPropertySet>& style, const std::string& name, bool otherwise)
{
    bool value = otherwise;
    if (style->getPropertySetInfo()->hasPropertyByName(toUno(name)))
        style->getPropertyValue(toUno(name)) >>= value;
    return value;
}

bool isOn(const Reference<css::beans::XPropertySet>& style, const char* kind)
{
    bool on = false;
    style->getPropertyValue(rtl::OUString::createFromAscii(kind) + "IsOn") >>= on;
    return on;
}

// Which of a style's texts pages print.
enum class Printed { All, None, AsTheStyleSays };

// `style`'s texts of `kind` (Header, Footer) into those pages print or those they do not.
void addTexts(const Reference<css::beans::XPropertySet>& style, const std::string& kind, Printed printing,
              std::vector<Furniture>& into, std::vector<Reference<css::text::XText>>& unused)
{
    if (!isOn(style, kind.c_str()))
        return;
    const bool styleUsed = printing != Printed::None;
    // A style whose first or left pages share the right pages' text may still hold texts of their
    // own for them; pages never print those.
    const bool asked = printing == Printed::AsTheStyleSays;
    const bool firstPrinted = styleUsed && !(asked && flag(style, "FirstIsShared", true));
    const bool leftPrinted = styleUsed && !(asked && flag(style, kind + "IsShared", true));
    for (const auto& [which, printed] : {std::pair{"TextFirst", firstPrinted}, {"Text", styleUsed}, {"TextLeft", leftPrinted}}) {
        Reference<css::text::XText> text;
        style->getPropertyValue(toUno(kind + which)) >>= text;
        if (!text.is() || holds(into, text))
            continue;
        if (printed)
            into.push_back({text, {}});
        else if (std::find(unused.begin(), unused.end(), text) == unused.end())
            unused.push_back(text);
    }
}

// Beyond this many paragraphs and tables, the page styles they name are not looked for: each
// costs a few calls, and a long document could spend its time limit on them.
constexpr int kMostScanned = 20000;

// The page styles the body names where a page style begins: its first paragraph or table names
// its own, or the default one is taken. Nothing when the body is too long to look through.
std::optional<std::vector<rtl::OUString>> namedPageStyles(const Reference<css::lang::XComponent>& model)
{
    // LibreOffice's XStyle::isInUse says no of the page styles a Word document's sections name.
    const Reference<css::text::XTextDocument> document(model, UNO_QUERY);
    const Reference<css::container::XEnumerationAccess> body(document.is() ? document->getText() : nullptr, UNO_QUERY);
    std::vector<rtl::OUString> named{"Standard"};
    if (!body.is())
        return named;
    const Reference<css::container::XEnumeration> each = body->createEnumeration();
    for (int scanned = 0; each->hasMoreElements(); ++scanned) {
        if (scanned == kMostScanned)
            return std::nullopt;
        const Reference<css::beans::XPropertySet> element(each->nextElement(), UNO_QUERY);
        rtl::OUString name;
        try {
            if (element.is())
                element->getPropertyValue("PageDescName") >>= name;
        } catch (const css::beans::UnknownPropertyException&) {
        }
        if (!name.isEmpty()) {
            if (scanned == 0)
                named.front() = name;
            else
                named.push_back(name);
        }
    }
    return named;
}

using PageStyles = std::map<rtl::OUString, Reference<css::beans::XPropertySet>>;

// The page styles that pages use: the first page's, those a paragraph or a table names, and
// those that follow a used one on the next page; all of them in a body too long to look through.
// Word documents bring styles along unused (a first-page style for a section that has no
// distinct first page).
std::set<rtl::OUString> usedPageStyles(const Reference<css::lang::XComponent>& model, const PageStyles& styles)
{
    std::optional<std::vector<rtl::OUString>> named = namedPageStyles(model);
    if (!named) {
        std::set<rtl::OUString> all;
        for (const auto& style : styles)
            all.insert(style.first);
        return all;
    }
    std::vector<rtl::OUString> used = std::move(*named);
    std::set<rtl::OUString> closure;
    while (!used.empty()) {
        const auto style = styles.find(used.back());
        used.pop_back();
        if (style == styles.end() || !closure.insert(style->first).second)
            continue;
        rtl::OUString follow;
        style->second->getPropertyValue("FollowStyle") >>= follow;
        used.push_back(follow);
    }
    return closure;
}

} // namespace

bool holds(const std::vector<Furniture>& furniture, const Reference<css::text::XText>& text)
{
    return std::any_of(furniture.begin(), furniture.end(), [&](const Furniture& piece) { return piece.text == text; });
}

PageFurniture pageFurnitureOf(const Reference<css::lang::XComponent>& model, bool whichPrinted)
{
    PageFurniture furniture;
    const Reference<css::style::XStyleFamiliesSupplier> families(model, UNO_QUERY);
    if (!families.is())
        return furniture;
    Reference<css::container::XNameAccess> pageStyles;
    families->getStyleFamilies()->getByName("PageStyles") >>= pageStyles;
    if (!pageStyles.is())
        return furniture;
    PageStyles styles;
    std::vector<PageStyles::const_iterator> furnished;
    for (const rtl::OUString& name : pageStyles->getElementNames()) {
        const Reference<css::beans::XPropertySet> properties(pageStyles->getByName(name), UNO_QUERY);
        if (!properties.is())
            continue;
        const auto style = styles.emplace(name, properties).first;
        if (isOn(properties, "Header") || isOn(properties, "Footer"))
            furnished.push_back(style);
    }
    // Asking which styles are used costs a call a style: only asked when it can matter.
    const std::set<rtl::OUString> used = whichPrinted && !furnished.empty() ? usedPageStyles(model, styles)
                                                                             : std::set<rtl::OUString>{};
    for (const auto& style : furnished) {
        const auto& [name, properties] = *style;
        const Printed printing = !whichPrinted            ? Printed::All
                               : used.count(name) > 0 ? Printed::AsTheStyleSays
                                                      : Printed::None;
        addTexts(properties, "Header", printing, furniture.headers, furniture.unused);
        addTexts(properties, "Footer", printing, furniture.footers, furniture.unused);
    }
    // A text printed by one style and kept unused by another is printed.
    std::erase_if(furniture.unused, [&](const Reference<css::text::XText>& text) {
        return holds(furniture.headers, text) || holds(furniture.footers, text);
    });
    return furniture;
}

std::string distinctText(const std::vector<Furniture>& furniture)
{
    std::vector<std::string> seen;
    std::string text;
    for (const Furniture& piece : furniture) {
        std::vector<std::string> lines = wholeTextLines(piece.text);
        lines.insert(lines.end(), piece.boxLines.begin(), piece.boxLines.end());
        const std::string block = joinedLines(lines);
        if (block.empty() || std::find(seen.begin(), seen.end(), block) != seen.end())
            continue;
        seen.push_back(block);
        text += block;
    }
    return text;
}

} // namespace plainquill::engine::libreoffice
