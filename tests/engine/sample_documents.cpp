#include "tests/engine/sample_documents.h"

#include "tests/engine/support/document_maker.h"
#include "tests/engine/support/test_files.h"

#include <stdexcept>

namespace plainquill::engine::testing {

std::string sampleRtf()
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0 "
           "Plainquill sample: \\u1055?\\u1088?\\u1080?\\u1074?\\u1077?\\u1090?, caf\\u233?, "
           "\\u163?5, \\u8364?10, \\u20013?\\u25991?\\par "
           "Second line \\u8212? with an em dash\\par}";
}

std::string sampleHtml()
{
    const std::string_view text = kSampleText;
    const std::size_t lineEnd = text.find('\n');
    const std::string first(text.substr(0, lineEnd));
    const std::string second(text.substr(lineEnd + 1, text.size() - lineEnd - 2));
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Sample</title></head>\n"
           "<body>\n<p>" + first + "</p>\n<p>" + second + "</p>\n</body></html>\n";
}

std::string sampleAbiWord()
{
    const std::string_view text = kSampleText;
    const std::size_t lineEnd = text.find('\n');
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<abiword xmlns=\"http://www.abisource.com/awml.dtd\" version=\"\" fileformat=\"1.0\">\n<section>\n<p>"
         + std::string(text.substr(0, lineEnd)) + "</p>\n<p>" + std::string(text.substr(lineEnd + 1, text.size() - lineEnd - 2))
         + "</p>\n</section>\n</abiword>\n";
}

namespace {

// LibreOffice's export filter for each ending the samples are made in.
const char* exportFilter(const std::string& extension)
{
    static const std::pair<const char*, const char*> filters[] = {
        {".doc", "MS Word 97"},
        {".docx", "MS Word 2007 XML"},
        {".odt", "writer8"},
        {".ott", "writer8_template"},
        {".fodt", "OpenDocument Text Flat XML"},
        {".dot", "MS Word 97 Vorlage"},
        {".dotx", "MS Word 2007 XML Template"},
        {".dotm", "MS Word 2007 XML Template"},
        {".docm", "MS Word 2007 XML VBA"},
        {".xml", "MS Word 2003 XML"},
    };
    for (const auto& [ending, filter] : filters)
        if (extension == ending)
            return filter;
    return nullptr;
}

} // namespace

std::string longHtml(int paragraphs)
{
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n";
    for (int i = 1; i <= paragraphs; ++i) {
        html += "<p>Paragraph " + std::to_string(i)
            + ": Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor "
              "incididunt ut labore et dolore magna aliqua. Ut enim ad minim veniam, quis nostrud "
              "exercitation ullamco laboris nisi ut aliquip ex ea commodo consequat. Duis aute "
              "irure dolor in reprehenderit in voluptate velit esse cillum dolore eu fugiat.</p>\n";
    }
    return html + "</body></html>\n";
}

std::filesystem::path writeSample(WordProcessor& wordProcessor, const std::filesystem::path& folder,
                                  const std::string& stem, const std::string& extension)
{
    const std::filesystem::path target = folder / (stem + extension);
    if (extension == ".html" || extension == ".htm" || extension == ".HTML") {
        writeBytes(target, sampleHtml());
    } else if (extension == ".rtf") {
        writeBytes(target, sampleRtf());
    } else if (extension == ".abw") {
        writeBytes(target, sampleAbiWord());
    } else {
        const char* filter = exportFilter(extension);
        if (filter == nullptr)
            throw std::invalid_argument("no sample in " + extension);
        const TemporaryFolder scratch;
        const auto source = scratch / "sample.rtf";
        writeBytes(source, sampleRtf());
        makeDocument(wordProcessor, source, target, filter);
    }
    return target;
}

std::filesystem::path writeLongDocx(WordProcessor& wordProcessor,
                                    const std::filesystem::path& folder, int paragraphs)
{
    const TemporaryFolder scratch;
    const auto source = scratch / "long.html";
    writeBytes(source, longHtml(paragraphs));
    const auto target = folder / ("long-" + std::to_string(paragraphs) + ".docx");
    makeDocument(wordProcessor, source, target, "MS Word 2007 XML");
    return target;
}

} // namespace plainquill::engine::testing
