#include "engine/libreoffice/load_plan.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace plainquill::engine::libreoffice {
namespace {

bool has_html_extension(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".htm" || extension == ".html";
}

bool looks_binary(std::string_view head)
{
    return head.find('\0') != std::string_view::npos;
}

// The signatures of the containers .doc (OLE2), .docx (ZIP) and .rtf files are made of. A file
// that starts like one but reads only as text is a damaged document, not a text file.
bool starts_like_a_document_container(std::string_view head)
{
    static constexpr std::array<std::string_view, 3> signatures{
        std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8), std::string_view("PK\x03\x04", 4),
        std::string_view("{\\rtf", 5)};
    return std::any_of(signatures.begin(), signatures.end(),
                       [&](std::string_view signature) { return head.starts_with(signature); });
}

bool is_word_processor_service(std::string_view service)
{
    return service == kTextDocumentService || service == kWebDocumentService;
}

} // namespace

bool is_plain_text_filter(std::string_view filter)
{
    static constexpr std::array<std::string_view, 7> text_filters{
        "Text",
        "Text (encoded)",
        "Text (StarWriter/Web)",
        "Text (encoded) (StarWriter/Web)",
        "Text (StarWriter/GlobalDocument)",
        "Text (encoded) (StarWriter/GlobalDocument)",
        "Text - txt - csv (StarCalc)",
    };
    return std::find(text_filters.begin(), text_filters.end(), filter) != text_filters.end();
}

LoadPlan plan_load(const Detection& detection, const std::filesystem::path& file,
                   std::string_view head)
{
    if (!detection.question.empty())
        return {LoadRoute::CouldNotOpen, {}, {}, detection.question};
    if (detection.type.empty() || detection.filter.empty())
        return {LoadRoute::CouldNotOpen, {}, {},
                "LibreOffice does not recognise the file's format; it may be damaged or not a document at all"};

    if (is_plain_text_filter(detection.filter)) {
        if (has_html_extension(file) && !looks_binary(head))
            return {LoadRoute::Load, std::string(kHtmlFilter), std::string(kWebDocumentService), {}};
        if (starts_like_a_document_container(head))
            return {LoadRoute::CouldNotOpen, {}, {},
                    "the document is damaged or in a form LibreOffice cannot read"};
        return {LoadRoute::NotADocument, {}, {},
                "the file is not a document: LibreOffice can read it only as plain text"};
    }

    if (!is_word_processor_service(detection.document_service))
        return {LoadRoute::CouldNotOpen, {}, {},
                "not a word-processing document (LibreOffice reads it as another kind of file, "
                "such as a spreadsheet)"};
    return {LoadRoute::Load, detection.filter, detection.document_service, {}};
}

} // namespace plainquill::engine::libreoffice
