#include "engine/libreoffice/text_places.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/text/XTextContent.hpp>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

constexpr int kMostNesting = 8;

// The table, frame or note that holds `range`; null for a range that nothing holds.
Reference<css::text::XTextContent> holderOf(const Reference<css::text::XTextRange>& range)
{
    const Reference<css::beans::XPropertySet> properties(range, UNO_QUERY);
    if (!properties.is())
        return {};
    const Reference<css::beans::XPropertySetInfo> info = properties->getPropertySetInfo();
    Reference<css::text::XTextContent> holder;
    for (const char* kind : {"TextTable", "TextFrame", "Footnote", "Endnote"}) {
        const rtl::OUString name = rtl::OUString::createFromAscii(kind);
        if (info->hasPropertyByName(name) && (properties->getPropertyValue(name) >>= holder) && holder.is())
            return holder;
    }
    return {};
}

} // namespace

std::vector<Reference<css::text::XTextRange>> placeOf(Reference<css::text::XTextRange> range,
                                                      const Reference<css::text::XText>& body)
{
    std::vector<Reference<css::text::XTextRange>> place;
    for (int depth = 0; range.is() && depth < kMostNesting; ++depth) {
        place.insert(place.begin(), range);
        if (range->getText() == body)
            break;
        const Reference<css::text::XTextContent> holder = holderOf(range);
        range = holder.is() ? holder->getAnchor() : nullptr;
    }
    return place;
}

} // namespace plainquill::engine::libreoffice
