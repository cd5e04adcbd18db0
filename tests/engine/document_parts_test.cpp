// Notes, text boxes, headers, footers and comments in the text, on documents LibreOffice makes
// from one flat OpenDocument source in each format, each part carrying a word of its own.
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/document_maker.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/failure_printer.h"

#include <gtest/gtest.h>


namespace plainquill::engine::testing {
namespace {

namespace fs = std::filesystem;

// A flat OpenDocument text: its header and footer, then `body`.
std::string flatDocument(const std::string& body)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.3"
 office:mimetype="application/vnd.oasis.opendocument.text">
 <office:automatic-styles>
  <text:list-style style:name="L1"><text:list-level-style-bullet text:level="1" text:bullet-char="&#x2022;"/></text:list-style>
 </office:automatic-styles>
 <office:master-styles><style:master-page style:name="Standard">
  <style:header><text:p>Running headerword</text:p></style:header>
  <style:footer><text:p>Running footerword</text:p></style:footer>
 </style:master-page></office:master-styles>
 <office:body><office:text>)" + body + R"(</office:text></office:body>
</office:document>
)";
}

std::string note(const char* kind, const char* id, const std::string& citation, const std::string& body)
{
    return std::string("<text:note text:id=\"") + id + "\" text:note-class=\"" + kind + "\">" + citation
         + "<text:note-body>" + body + "</text:note-body></text:note>";
}

// Each part of a document with a marker word of its own. A box that a list item anchors must not
// take on its bullet. (One footnote only: LibreOffice reads the first footnote's text for the second
// in a .docx it wrote itself.)
const std::string kParts = flatDocument(
    "<text:p>Opening paragraph</text:p>"
    "<text:p>Paragraph 1"
    + note("footnote", "n1", "<text:note-citation>1</text:note-citation>",
           "<text:p>First footnoteword</text:p><text:p>its second paragraph</text:p>")
    + " and more<office:annotation><dc:creator>Ann</dc:creator><text:p>A commentword here</text:p>"
      "</office:annotation></text:p>"
      "<text:list text:style-name=\"L1\"><text:list-item><text:p>Listed item"
      "<draw:rect text:anchor-type=\"paragraph\" svg:x=\"1cm\" svg:y=\"0cm\" svg:width=\"6cm\" svg:height=\"2cm\">"
      "<text:p>Inside boxword</text:p></draw:rect></text:p></text:list-item></text:list>"
      "<text:p>The source"
    + note("endnote", "n3", "<text:note-citation>i</text:note-citation>", "<text:p>An endnoteword</text:p>")
    + " ends here</text:p>");

const std::string kBody = "Opening paragraph\n"
                          "Paragraph 1[1] and more\n"
                          "    \u2022 Listed item\n"
                          "Inside boxword\n"
                          "The source[i] ends here\n";
const std::string kNotes = "\n[1] First footnoteword\nits second paragraph\n"
                           "\n[i] An endnoteword\n";

class DocumentParts : public WithSharedLibreOffice {
protected:
    // `kParts` in the format of `filter` ("" for the flat document itself).
    fs::path made(const std::string& ending, const char* filter) const
    {
        const fs::path source = inputFolder() / "parts.fodt";
        writeBytes(source, kParts);
        if (*filter == 0)
            return source;
        const fs::path document = inputFolder() / ("parts" + ending);
        makeDocument(libreoffice(), source, document, filter);
        return document;
    }
};

struct Format {
    std::string ending;
    const char* filter;
};

const Format kFormats[] = {
    {".fodt", ""},
    {".docx", "MS Word 2007 XML"},
    {".doc", "MS Word 97"},
    {".rtf", "Rich Text Format"},
    {".odt", "writer8"},
    {".ott", "writer8_template"},
    {".dot", "MS Word 97 Vorlage"},
    {".dotx", "MS Word 2007 XML Template"},
    {".docm", "MS Word 2007 XML VBA"},
};

TEST_F(DocumentParts, EachPartLandsInItsPlaceAndTheOptionalOnesOnlyWhenAsked)
{
    // A LibreOffice beside the shared one, asked for every optional part.
    const TemporaryFolder scratch;
    LibreOfficeOptions options = optionsUnder(scratch.path());
    options.textParts = {true, true, true};
    LibreOfficeLauncher launcher(options);
    const std::unique_ptr<WordProcessor> withAll = launcher.Start();
    ASSERT_NE(withAll, nullptr) << launcher.lastFailure();

    for (const auto& [ending, filter] : kFormats) {
        SCOPED_TRACE(ending);
        const fs::path document = made(ending, filter);
        const fs::path byDefault = outputFolder() / "default.txt";
        ASSERT_TRUE(convert(document, byDefault).ok());
        EXPECT_EQ(readBytes(byDefault), kBody + kNotes);

        OpenResult opened = withAll->Open(document);
        ASSERT_NE(opened.document, nullptr) << opened.detail;
        const fs::path everything = outputFolder() / "all.txt";
        ASSERT_TRUE(withAll->SaveAs(*opened.document, everything, SaveFormat::Text).ok());
        withAll->Close(std::move(opened.document));
        EXPECT_EQ(readBytes(everything), "Running headerword\n\n" + kBody + "\nRunning footerword\n" + kNotes
                                             + "\n[comment: Ann] A commentword here\n");
    }
    withAll->Quit();
}

// Word 2003 XML by hand: LibreOffice's export of it drops endnotes and comment authors, and its
// import drops endnotes, so a made one could not show the rest.
TEST_F(DocumentParts, AWord2003XmlDocumentKeepsItsFootnotes)
{
    const fs::path document = inputFolder() / "notes.xml";
    writeBytes(document, R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<?mso-application progid="Word.Document"?>
<w:wordDocument xmlns:w="http://schemas.microsoft.com/office/word/2003/wordml"><w:body>
<w:p><w:r><w:t>Paragraph 1</w:t></w:r><w:r><w:footnote><w:p><w:r><w:t>First footnoteword</w:t></w:r></w:p>
</w:footnote></w:r><w:r><w:t> and more</w:t></w:r></w:p><w:p><w:r><w:t>Closing</w:t></w:r></w:p>
</w:body></w:wordDocument>
)");
    const fs::path output = outputFolder() / "notes.txt";
    ASSERT_TRUE(convert(document, output).ok());
    EXPECT_EQ(readBytes(output), "Paragraph 1[1] and more\nClosing\n\n[1] First footnoteword\n");
}

TEST_F(DocumentParts, AWebPageKeepsItsNotes)
{
    const fs::path page = made(".html", "HTML (StarWriter)");
    const fs::path output = outputFolder() / "page.txt";
    ASSERT_TRUE(convert(page, output).ok());
    const std::string text = readBytes(output);
    EXPECT_NE(text.find("Paragraph 1[1] and more\n"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("The source[i] ends here\n" + kNotes)) << text;
}

TEST_F(DocumentParts, MarksKeepTheirLabelsAndABoxEachOfItsParagraphs)
{
    // The second numbered note still reads 2 once the first carries its label as a custom mark.
    const auto footnote = [](const char* id, const std::string& citation, const char* text) {
        return note("footnote", id, citation, std::string("<text:p>") + text + "</text:p>");
    };
    const fs::path source = inputFolder() / "marks.fodt";
    writeBytes(source, flatDocument(
        "<text:p>Starred" + footnote("n1", "<text:note-citation text:label=\"*\">*</text:note-citation>", " Custom")
        + " first" + footnote("n2", "<text:note-citation>1</text:note-citation>", "One")
        + " second" + footnote("n3", "<text:note-citation>2</text:note-citation>", "Two")
        + "<draw:frame text:anchor-type=\"paragraph\" svg:width=\"5cm\" svg:height=\"2cm\"><draw:text-box>"
          "<text:p>Framed boxword</text:p><text:p>its second line</text:p></draw:text-box></draw:frame></text:p>"
          "<text:p>Closing</text:p>"));
    const fs::path output = outputFolder() / "marks.txt";
    ASSERT_TRUE(convert(source, output).ok());
    EXPECT_EQ(readBytes(output), "Starred[*] first[1] second[2]\nFramed boxword\nits second line\nClosing\n"
                                 "\n[*] Custom\n[1] One\n[2] Two\n");
}

} // namespace
} // namespace plainquill::engine::testing
