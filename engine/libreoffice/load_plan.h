#pragma once
// Deciding, from what LibreOffice's type detection said about a file, whether and how to load it.
// LibreOffice reads nearly anything as plain text: random bytes named .doc load as a page of junk.
// A word-processor file that only the plain-text filter accepts is therefore not a document to us.
// HTML is different: it is text by nature, and a browser shows a tag-less .html file as text, so
// for .htm/.html the HTML filter takes whatever is not binary. A .xml file must be Word 2003 XML.
#include <filesystem>
#include <string>
#include <string_view>

namespace plainquill::engine::libreoffice {

struct Detection {
    std::string type;             // LibreOffice's type name; empty when it recognised nothing
    std::string filter;           // the import filter for that type
    std::string documentService; // the kind of document that filter builds
    std::string question;         // what LibreOffice asked (and we aborted) while detecting
};

enum class LoadRoute { Load, NotADocument, CouldNotOpen };

struct LoadPlan {
    LoadRoute route = LoadRoute::CouldNotOpen;
    std::string filter;           // for Load
    std::string documentService; // for Load
    std::string detail;           // for the failures
};

// `head` is the start of the file (a few kilobytes are plenty).
LoadPlan planLoad(const Detection& detection, const std::filesystem::path& file,
                  std::string_view head);

// LibreOffice's import filters that read a file as unformatted text.
bool isPlainTextFilter(std::string_view filter);

inline constexpr std::string_view kTextDocumentService = "com.sun.star.text.TextDocument";
inline constexpr std::string_view kWebDocumentService = "com.sun.star.text.WebDocument";
inline constexpr std::string_view kHtmlFilter = "HTML";
inline constexpr std::string_view kWord2003XmlType = "writer_MS_Word_2003_XML";

} // namespace plainquill::engine::libreoffice
