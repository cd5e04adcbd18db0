#include "engine/libreoffice/document_parts.h"

#include "engine/libreoffice/comments.h"
#include "engine/libreoffice/note_marks.h"
#include "engine/libreoffice/page_furniture.h"
#include "engine/libreoffice/text_boxes.h"
#include "engine/libreoffice/text_lines.h"


namespace plainquill::engine::libreoffice {
namespace {

// Gives each header and footer the lines of the boxes anchored in it; returns the other boxes.
std::vector<TextBox> furnish(PageFurniture& furniture, const std::vector<TextBox>& boxes)
{
    std::vector<TextBox> rest;
    for (const TextBox& box : boxes) {
        bool inFurniture = false;
        for (std::vector<Furniture>* pieces : {&furniture.headers, &furniture.footers})
            for (Furniture& piece : *pieces)
                if (box.anchorText.is() && piece.text == box.anchorText) {
                    piece.lines.insert(piece.lines.end(), box.lines.begin(), box.lines.end());
                    inFurniture = true;
                }
        if (!inFurniture)
            rest.push_back(box);
    }
    return rest;
}

std::string afterBlankLine(const std::string& text)
{
    return text.empty() ? text : "\n" + text;
}

} // namespace

SurroundingText readyForExport(const css::uno::Reference<css::lang::XComponent>& model, const TextParts& parts)
{
    SurroundingText around;
    const std::string notes = bracketNotes(model);
    PageFurniture furniture = pageFurnitureOf(model);
    const std::vector<TextBox> unplaced = placeAfterAnchors(model, furnish(furniture, textBoxesOf(model)));
    if (parts.headers)
        if (const std::string headers = distinctText(furniture.headers); !headers.empty())
            around.before = headers + "\n";
    for (const TextBox& box : unplaced)
        around.after += joinedLines(box.lines);
    if (parts.footers)
        around.after += afterBlankLine(distinctText(furniture.footers));
    around.after += notes;
    if (parts.comments)
        around.after += commentsText(model);
    return around;
}

} // namespace plainquill::engine::libreoffice
