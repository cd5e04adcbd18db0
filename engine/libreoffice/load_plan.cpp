#include "engine/libreoffice/load_plan.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace plainquill::engine::libreoffice {
namespace {

std::string lowerExtension(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool hasHtmlExtension(const std::filesystem::path& file)
{
    const std::string extension = lowerExtension(file);
    return extension == ".htm" || extension == ".html";
}

// Countless formats are XML; a file named .xml is taken for a Word 2003 XML document only. Writer
// would also read DocBook or flat OpenDocument under that name, but nobody who asked for Word
// documents expects those converted.
bool isXmlOfAnotherKind(const Detection& detection, const std::filesystem::path& file)
{
    return lowerExtension(file) == ".xml" && detection.type != kWord2003XmlType;
}

bool looksBinary(std::string_view head)
{
    return head.find('\0') != std::string_view::npos;
}

// The signatures of the containers .doc (OLE2), .docx (ZIP) and .rtf files are made of. A file
// that starts like one but reads only as text is a damaged document, not a text file.
bool startsLikeADocumentContainer(std::string_view head)
{
    static constexpr std::array<std::string_view, 3> signatures{
        std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8), std::string_view("PK\x03\x04", 4),
        std::string_view("{\\rtf", 5)};
    return std::any_of(signatures.begin(), signatures.end(),
                       [&](std::string_view signature) { return head.starts_with(signature); });
}

bool isWordProcessorService(std::string_view service)
{
    return service == kTextDocumentService || service == kWebDocumentService;
}

} // namespace

bool isPlainTextFilter(std::string_view filter)
{
    static constexpr std::array<std::string_view, 7> textFilters{
        "Text",
        "Text (encoded)",
        "Text (StarWriter/Web)",
        "Text (encoded) (StarWriter/Web)",
        "Text (StarWriter/GlobalDocument)",
        "Text (encoded) (StarWriter/GlobalDocument)",
        "Text - txt - csv (StarCalc)",
    };
    return std::find(textFilters.begin(), textFilters.end(), filter) != textFilters.end();
}

LoadPlan planLoad(const Detection& detection, const std::filesystem::path& file,
                  std::string_view head)
{
    if (!detection.question.empty())
        return {LoadRoute::CouldNotOpen, {}, {}, detection.question};
    if (detection.type.empty() || detection.filter.empty())
        return {LoadRoute::CouldNotOpen, {}, {},
                "LibreOffice does not recognise the file's format; it may be damaged or not a document at all"};

    if (isXmlOfAnotherKind(detection, file))
        return {LoadRoute::NotADocument, {}, {},
                "the file is not a Word 2003 XML document, the only kind of .xml file converted"};

    if (isPlainTextFilter(detection.filter)) {
        if (hasHtmlExtension(file) && !looksBinary(head))
            return {LoadRoute::Load, std::string(kHtmlFilter), std::string(kWebDocumentService), {}};
        if (startsLikeADocumentContainer(head))
            return {LoadRoute::CouldNotOpen, {}, {},
                    "the document is damaged or in a form LibreOffice cannot read"};
        return {LoadRoute::NotADocument, {}, {},
                "the file is not a document: LibreOffice can read it only as plain text"};
    }

    if (!isWordProcessorService(detection.documentService))
        return {LoadRoute::CouldNotOpen, {}, {},
                "not a word-processing document (LibreOffice reads it as another kind of file, "
                "such as a spreadsheet)"};
    return {LoadRoute::Load, detection.filter, detection.documentService, {}};
}

} // namespace plainquill::engine::libreoffice
