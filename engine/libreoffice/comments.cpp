#include "engine/libreoffice/comments.h"

#include "engine/libreoffice/text_lines.h"
#include "engine/libreoffice/text_places.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/util/DateTime.hpp>

#include <algorithm>
#include <array>
#include <cstdint>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

// -1, 0 or 1 as `a` begins before, with or after `b`; 0 too when they lie in different texts
// (two cells of one table), which keep the order they came in.
int compare(const Reference<css::text::XTextRange>& a, const Reference<css::text::XTextRange>& b)
{
    const Reference<css::text::XTextRangeCompare> ranges(a->getText(), UNO_QUERY);
    try {
        return ranges.is() ? -ranges->compareRegionStarts(a, b) : 0;
    } catch (const css::lang::IllegalArgumentException&) {
        return 0;
    }
}

// True when `a` comes before `b`, both places inside the body (a comment outside it has none).
bool before(const std::vector<Reference<css::text::XTextRange>>& a,
            const std::vector<Reference<css::text::XTextRange>>& b)
{
    if (a.empty() || b.empty())
        return !a.empty() && b.empty(); // outside the body: after everything in it
    for (std::size_t level = 0; level < a.size() && level < b.size(); ++level)
        if (const int order = compare(a[level], b[level]); order != 0)
            return order < 0;
    return false;
}

std::vector<Reference<css::text::XTextRange>> placeInBody(const Reference<css::text::XTextRange>& anchor,
                                                          const Reference<css::text::XText>& body)
{
    std::vector<Reference<css::text::XTextRange>> place = placeOf(anchor, body);
    if (!place.empty() && place.front()->getText() != body)
        place.clear();
    return place;
}

// When the comment was written, as parts that order times; all 0 when it does not say.
using Written = std::array<std::int64_t, 7>;

Written writtenAt(const Reference<css::text::XTextContent>& comment)
{
    const Reference<css::beans::XPropertySet> properties(comment, UNO_QUERY);
    css::util::DateTime when;
    if (!properties.is() || !(properties->getPropertyValue("DateTimeValue") >>= when))
        return {};
    return {when.Year, when.Month, when.Day, when.Hours, when.Minutes, when.Seconds, when.NanoSeconds};
}

std::string commentText(const Reference<css::text::XTextContent>& comment)
{
    const Reference<css::beans::XPropertySet> properties(comment, UNO_QUERY);
    if (!properties.is())
        return {};
    rtl::OUString author, content;
    properties->getPropertyValue("Author") >>= author;
    properties->getPropertyValue("Content") >>= content;
    const std::vector<std::string> lines = textLines(fromUno(content));
    std::string text = author.isEmpty() ? "[comment]" : "[comment: " + fromUno(author) + "]";
    return text + (lines.empty() ? "\n" : " " + joinedLines(lines));
}

} // namespace

std::string commentsText(std::vector<Reference<css::text::XTextContent>> comments,
                         const Reference<css::text::XText>& body)
{
    struct Placed {
        Reference<css::text::XTextContent> comment;
        std::vector<Reference<css::text::XTextRange>> place;
        Written written;
    };
    std::vector<Placed> placed;
    for (const Reference<css::text::XTextContent>& comment : comments)
        if (comment.is())
            placed.push_back({comment, placeInBody(comment->getAnchor(), body), writtenAt(comment)});
    // Comments at one place, a reply and the comment it answers, in the order they were written.
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return before(a.place, b.place) || (!before(b.place, a.place) && a.written < b.written);
    });
    std::string text;
    for (const Placed& each : placed)
        text += commentText(each.comment);
    return text.empty() ? text : "\n" + text;
}

} // namespace plainquill::engine::libreoffice
