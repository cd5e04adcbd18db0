#pragma once
// The whole text of a document, not only what LibreOffice's text export writes: the body with
// each note mark bracketed and each text box after its paragraph, then the notes, and the
// headers, footers and comments when asked for.
#include "engine/libreoffice/layout_crashes.h"
#include "engine/libreoffice/uno_connection.h"
#include "engine/text_parts.h"

#include <com/sun/star/lang/XComponent.hpp>

#include <string>

namespace plainquill::engine::libreoffice {

struct SurroundingText {
    std::string before; // the headers
    std::string after;  // boxes without a place, footers, footnotes, endnotes, comments
    // False when the body is a single empty paragraph. The text export then writes the content
    // of the document's first frame instead (nothing for a picture), so it is not asked.
    bool bodyHasText = true;
    // True when pages were laid out, which `crashes` holds until the caller ends it.
    bool laidOut = false;
};

// Readies `model` for the text export (marks, boxes, page numbers) and returns the text that goes
// around the export's. A document with none of these parts is left as it was, and both texts
// are empty. `source`, the file `model` was read from, is laid out unless `crashes` holds it;
// the caller tells `crashes` once the text is exported.
SurroundingText readyForExport(const UnoConnection& uno, const css::uno::Reference<css::lang::XComponent>& model,
                               const TextParts& parts, LayoutCrashes& crashes, const std::filesystem::path& source);

} // namespace plainquill::engine::libreoffice
