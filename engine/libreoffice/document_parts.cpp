#include "engine/libreoffice/document_parts.h"

#include "engine/libreoffice/comments.h"
#include "engine/libreoffice/document_fields.h"
#include "engine/libreoffice/note_marks.h"
#include "engine/libreoffice/page_furniture.h"
#include "engine/libreoffice/page_layout.h"
#include "engine/libreoffice/text_boxes.h"
#include "engine/libreoffice/text_lines.h"
#include "engine/libreoffice/text_places.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <algorithm>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

// Gives each header and footer the lines of the boxes anchored in it, and drops those anchored
// in a header or footer that pages never print; returns the other boxes.
std::vector<TextBox> furnish(PageFurniture& furniture, const std::vector<TextBox>& boxes)
{
    std::vector<TextBox> rest;
    for (const TextBox& box : boxes) {
        bool inFurniture = box.anchor.is() && !box.anchorText.is(); // an unprinted one has no text to give
        for (std::vector<Furniture>* pieces : {&furniture.headers, &furniture.footers})
            for (Furniture& piece : *pieces)
                if (box.anchorText.is() && piece.text == box.anchorText) {
                    piece.boxLines.insert(piece.boxLines.end(), box.lines.begin(), box.lines.end());
                    inFurniture = true;
                }
        const auto& unused = furniture.unused;
        if (!inFurniture && std::find(unused.begin(), unused.end(), box.anchorText) == unused.end())
            rest.push_back(box);
    }
    return rest;
}

bool isOneEmptyParagraph(const Reference<css::text::XText>& body)
{
    const Reference<css::container::XEnumerationAccess> paragraphs(body, UNO_QUERY);
    if (!paragraphs.is())
        return false;
    const Reference<css::container::XEnumeration> each = paragraphs->createEnumeration();
    if (!each->hasMoreElements())
        return false;
    const Reference<css::text::XTextRange> first(each->nextElement(), UNO_QUERY);
    return first.is() && first->getString().isEmpty() && !each->hasMoreElements();
}

// LibreOffice's text export writes, for a body of one empty paragraph beside any frame, picture or
// shape, the content of the first frame alone (nothing for a picture) instead of the body.
bool exportWritesAFrameInstead(const Reference<css::lang::XComponent>& model, const Reference<css::text::XText>& body)
{
    return hasDrawnObjects(model) && isOneEmptyParagraph(body);
}

// True when a field that needs laid-out pages is in the text: a page number in a footer nobody
// asked for is not worth a layout.
bool needPages(const std::vector<Reference<css::text::XTextContent>>& pageFields, const PageFurniture& furniture,
               const Reference<css::text::XText>& body, const TextParts& parts)
{
    return std::any_of(pageFields.begin(), pageFields.end(), [&](const Reference<css::text::XTextContent>& field) {
        // A footer's page number often stands in a table or a frame of the footer.
        const std::vector<Reference<css::text::XTextRange>> place = placeOf(field.is() ? field->getAnchor() : nullptr, body);
        const Reference<css::text::XText> text = place.empty() ? nullptr : place.front()->getText();
        if (holds(furniture.headers, text))
            return parts.headers;
        if (holds(furniture.footers, text))
            return parts.footers;
        // No text at all: in a header or footer that pages never print.
        return text.is() && std::find(furniture.unused.begin(), furniture.unused.end(), text) == furniture.unused.end();
    });
}

std::string afterBlankLine(const std::string& text)
{
    return text.empty() ? text : "\n" + text;
}

} // namespace

SurroundingText readyForExport(const UnoConnection& uno, const Reference<css::lang::XComponent>& model,
                               const TextParts& parts, LayoutCrashes& crashes, const std::filesystem::path& source)
{
    SurroundingText around;
    const Reference<css::text::XTextDocument> document(model, UNO_QUERY);
    const Reference<css::text::XText> body = document.is() ? document->getText() : nullptr;
    const DocumentFields fields = fieldsOf(model);
    PageFurniture furniture = pageFurnitureOf(model, parts.headers || parts.footers);
    // Ended by the caller once the text is out: LibreOffice goes on laying out after the call.
    around.laidOut = needPages(fields.pageFields, furniture, body, parts) && crashes.begin(source);
    if (around.laidOut)
        layOutPages(uno, model);
    const std::string notes = bracketNotes(model);
    std::vector<TextBox> boxes = furnish(furniture, textBoxesOf(model));
    // Such a body has no text to give, and its boxes are the whole text: they are not written into
    // it, or the text would begin with its empty line.
    around.bodyHasText = !exportWritesAFrameInstead(model, body);
    const std::vector<TextBox> unplaced = around.bodyHasText ? placeAfterAnchors(model, std::move(boxes)) : boxes;
    if (parts.headers)
        if (const std::string headers = distinctText(furniture.headers); !headers.empty())
            around.before = headers + "\n";
    for (const TextBox& box : unplaced)
        around.after += joinedLines(box.lines);
    if (parts.footers)
        around.after += afterBlankLine(distinctText(furniture.footers));
    around.after += notes;
    if (parts.comments)
        around.after += commentsText(fields.comments, body);
    return around;
}

} // namespace plainquill::engine::libreoffice
