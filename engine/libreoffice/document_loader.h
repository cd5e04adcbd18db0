#pragma once
// Loading a document into LibreOffice without a view: detect its type, build the model that type
// calls for and load it read-only, macros off, links not updated, every question aborted.
// Without a view LibreOffice does not lay out pages: twice as fast on long documents, and it
// avoids a crash the HTML import has in a hidden view on these packages.
#include "engine/libreoffice/outcome.h"
#include "engine/libreoffice/uno_connection.h"

#include <com/sun/star/lang/XComponent.hpp>

#include <filesystem>

namespace plainquill::engine::libreoffice {

struct LoadedDocument {
    Outcome outcome;
    css::uno::Reference<css::lang::XComponent> model; // set when outcome is ok
    bool web = false;                                  // an HTML (Writer/Web) document
};

// Expects an existing, non-empty file named by an absolute path, which LibreOffice sees as
// `seenAs` (confinement.h). UNO exceptions that say nothing about the document (LibreOffice gone,
// say) are left to the caller.
LoadedDocument loadDocument(const UnoConnection& uno, const std::filesystem::path& file,
                            const std::filesystem::path& seenAs);

} // namespace plainquill::engine::libreoffice
