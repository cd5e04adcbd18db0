#include "engine/libreoffice/text_boxes.h"

#include "engine/libreoffice/tracked_changes.h"
#include "engine/libreoffice/uno_strings.h"
#include "engine/libreoffice/whole_text.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>

#include <algorithm>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// The text frame that holds the text of a shape drawn as a text box; null for other shapes. The
// frame is listed on its own too, after the shapes: the shape's place is the box's.
Reference<css::uno::XInterface> textBoxContent(const Reference<css::uno::XInterface>& shape)
{
    const Reference<css::beans::XPropertySet> properties(shape, UNO_QUERY);
    if (!properties.is())
        return {};
    const Reference<css::beans::XPropertySetInfo> info = properties->getPropertySetInfo();
    bool textBox = false;
    if (info->hasPropertyByName("TextBox"))
        properties->getPropertyValue("TextBox") >>= textBox;
    Reference<css::uno::XInterface> frame;
    if (textBox && info->hasPropertyByName("TextBoxContent"))
        properties->getPropertyValue("TextBoxContent") >>= frame;
    return frame;
}

// The lines of a shape's text; none for a shape without text, such as a frame that holds a picture
// or an embedded object, which says so by throwing.
std::vector<std::string> textOf(const Reference<css::uno::XInterface>& shape)
{
    const Reference<css::text::XText> text(shape, UNO_QUERY);
    if (!text.is())
        return {};
    try {
        return wholeTextLines(text);
    } catch (const css::lang::DisposedException&) {
        throw;
    } catch (const css::uno::RuntimeException&) {
        return {};
    }
}

struct Collected {
    std::vector<TextBox> boxes;
    std::vector<Reference<css::uno::XInterface>> sources; // what each box was read from
};

// The anchor of a shape, or the group's for a shape in a group, which has none of its own.
Reference<css::text::XTextRange> anchorOf(const Reference<css::uno::XInterface>& shape,
                                          const Reference<css::text::XTextRange>& groupAnchor)
{
    if (groupAnchor.is())
        return groupAnchor;
    const Reference<css::text::XTextContent> content(shape, UNO_QUERY);
    return content.is() ? content->getAnchor() : nullptr;
}

void collect(const Reference<css::container::XIndexAccess>& shapes, const Reference<css::text::XTextRange>& groupAnchor,
             Collected& into)
{
    for (sal_Int32 i = 0; i < shapes->getCount(); ++i) {
        const Reference<css::uno::XInterface> shape(shapes->getByIndex(i), UNO_QUERY);
        const Reference<css::text::XTextRange> anchor = anchorOf(shape, groupAnchor);
        if (const Reference<css::drawing::XShapes> group(shape, UNO_QUERY); group.is()) {
            collect(Reference<css::container::XIndexAccess>(group, UNO_QUERY_THROW), anchor, into);
            continue;
        }
        const Reference<css::uno::XInterface> frame = textBoxContent(shape);
        const Reference<css::uno::XInterface> source = frame.is() ? frame : shape;
        if (std::find(into.sources.begin(), into.sources.end(), source) != into.sources.end())
            continue;
        TextBox box{textOf(source), nullptr, anchor};
        if (box.lines.empty())
            continue;
        if (anchor.is())
            box.anchorText = anchor->getText();
        into.boxes.push_back(std::move(box));
        into.sources.push_back(source);
    }
}

bool placeable(const TextBox& box, const Reference<css::text::XText>& body)
{
    return box.anchor.is() && box.anchorText.is()
        && (box.anchorText == body || Reference<css::table::XCell>(box.anchorText, UNO_QUERY).is());
}

// True when `a` and `b` end at the same place; ranges of different texts never do.
bool sameEnd(const Reference<css::text::XTextCursor>& a, const Reference<css::text::XTextCursor>& b)
{
    const Reference<css::text::XTextRangeCompare> compare(a->getText(), UNO_QUERY);
    try {
        return compare.is() && compare->compareRegionEnds(a.get(), b.get()) == 0;
    } catch (const css::lang::IllegalArgumentException&) {
        return false;
    }
}

struct Paragraph {
    Reference<css::text::XTextCursor> end; // at the end of the anchor's paragraph
    std::vector<const TextBox*> boxes;
};

void writeAfter(const Paragraph& paragraph)
{
    const Reference<css::text::XText> text = paragraph.end->getText();
    const Reference<css::beans::XPropertySet> format(paragraph.end, UNO_QUERY);
    for (const TextBox* box : paragraph.boxes)
        for (const std::string& line : box->lines) {
            text->insertControlCharacter(paragraph.end.get(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
            // A new paragraph takes on the one before it: a list item would give the box's lines
            // a bullet or a number, a heading its chapter number.
            format->setPropertyValue("ParaStyleName", css::uno::Any(rtl::OUString("Standard")));
            format->setPropertyValue("NumberingStyleName", css::uno::Any(rtl::OUString()));
            text->insertString(paragraph.end.get(), toUno(line), false);
        }
}

// The shapes of `model`'s drawing layer, frames and pictures among them; null for a document without one.
Reference<css::container::XIndexAccess> drawingLayerOf(const Reference<css::lang::XComponent>& model)
{
    const Reference<css::drawing::XDrawPageSupplier> drawing(model, UNO_QUERY);
    if (!drawing.is())
        return {};
    // Writer offers its shapes through this interface only, deprecated or not.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return Reference<css::container::XIndexAccess>(drawing->getDrawPage(), UNO_QUERY);
#pragma GCC diagnostic pop
}

} // namespace

std::vector<TextBox> textBoxesOf(const Reference<css::lang::XComponent>& model)
{
    Collected collected;
    if (const Reference<css::container::XIndexAccess> shapes = drawingLayerOf(model); shapes.is())
        collect(shapes, nullptr, collected);
    return std::move(collected.boxes);
}

bool hasDrawnObjects(const Reference<css::lang::XComponent>& model)
{
    const Reference<css::container::XIndexAccess> shapes = drawingLayerOf(model);
    return shapes.is() && shapes->getCount() > 0;
}

std::vector<TextBox> placeAfterAnchors(const Reference<css::lang::XComponent>& model, std::vector<TextBox> boxes)
{
    const Reference<css::text::XTextDocument> document(model, UNO_QUERY);
    const Reference<css::text::XText> body = document.is() ? document->getText() : nullptr;
    std::vector<TextBox> unplaced;
    std::vector<Paragraph> paragraphs;
    // Every place is found before any text is written: writing moves what comes after it.
    for (const TextBox& box : boxes) {
        if (!placeable(box, body)) {
            unplaced.push_back(box);
            continue;
        }
        const Reference<css::text::XTextCursor> end = box.anchorText->createTextCursorByRange(box.anchor->getStart());
        Reference<css::text::XParagraphCursor>(end, UNO_QUERY_THROW)->gotoEndOfParagraph(false);
        const auto same = std::find_if(paragraphs.begin(), paragraphs.end(),
                                       [&](const Paragraph& p) { return sameEnd(p.end, end); });
        if (same != paragraphs.end())
            same->boxes.push_back(&box);
        else
            paragraphs.push_back({end, {&box}});
    }
    if (!paragraphs.empty())
        stopRecordingChanges(model);
    for (const Paragraph& paragraph : paragraphs)
        writeAfter(paragraph);
    return unplaced;
}

} // namespace plainquill::engine::libreoffice
