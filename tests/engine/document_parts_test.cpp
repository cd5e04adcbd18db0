// Notes, text boxes, headers, footers and comments in the text, on documents LibreOffice makes
// from one flat OpenDocument source in each format, each part carrying a word of its own.
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/document_maker.h"
#include "tests/engine/support/test_files.h"
#include "tests/engine/support/zip_writer.h"
#include "tests/support/failure_printer.h"

#include <gtest/gtest.h>


namespace plainquill::engine::testing {
namespace {

namespace fs = std::filesystem;

const std::string kRunningHeaderAndFooter = R"(<style:master-page style:name="Standard">
  <style:header><text:p>Running headerword</text:p></style:header>
  <style:footer><text:p>Running footerword</text:p></style:footer>
 </style:master-page>)";

const std::string kBarePages = "<style:master-page style:name=\"Standard\"/>";

// A flat OpenDocument text: `body` on pages of `masterPage`.
std::string flatDocument(const std::string& body, const std::string& masterPage = kRunningHeaderAndFooter)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.3"
 office:mimetype="application/vnd.oasis.opendocument.text">
 <office:automatic-styles>
  <text:list-style style:name="L1"><text:list-level-style-bullet text:level="1" text:bullet-char="&#x2022;"/></text:list-style>
  <style:style style:name="NewPage" style:family="paragraph"><style:paragraph-properties fo:break-before="page"/></style:style>
 </office:automatic-styles>
 <office:master-styles>)" + masterPage + R"(</office:master-styles>
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

struct Format {
    std::string ending;
    const char* filter;
};

const Format kFlat{".fodt", ""};
const Format kDocx{".docx", "MS Word 2007 XML"};
const Format kDoc{".doc", "MS Word 97"};
const Format kRtf{".rtf", "Rich Text Format"};
const Format kOdt{".odt", "writer8"};
const std::vector<Format> kFormats = {
    kFlat, kDocx, kDoc, kRtf, kOdt,
    {".ott", "writer8_template"},
    {".dot", "MS Word 97 Vorlage"},
    {".dotx", "MS Word 2007 XML Template"},
    {".docm", "MS Word 2007 XML VBA"},
};

// One way a document is made, and its text by default and with every optional part. A flat
// OpenDocument source is also converted as each of `formats` LibreOffice makes of it; any other
// source is converted as it is, in the first format's ending.
struct PartsCase {
    const char* name;
    std::string source;
    std::vector<Format> formats;
    std::string byDefault;
    std::string withAll;
};

const std::string kPicture =
    "<draw:frame text:anchor-type=\"paragraph\" svg:width=\"1cm\" svg:height=\"1cm\"><draw:image><office:binary-data>"
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC"
    "</office:binary-data></draw:image></draw:frame>";

std::string twoCellTable(const std::string& word)
{
    return "<table:table><table:table-column table:number-columns-repeated=\"2\"/><table:table-row>"
           "<table:table-cell><text:p>" + word + "1</text:p></table:table-cell>"
           "<table:table-cell><text:p>" + word + "2</text:p></table:table-cell></table:table-row></table:table>";
}

std::string textBox(const std::string& content)
{
    return "<draw:frame text:anchor-type=\"paragraph\" svg:width=\"8cm\" svg:height=\"3cm\"><draw:text-box>" + content
         + "</draw:text-box></draw:frame>";
}

std::string drawnBox(const char* word, int x)
{
    return "<draw:rect svg:x=\"" + std::to_string(x) + "cm\" svg:y=\"0cm\" svg:width=\"3cm\" svg:height=\"2cm\">"
           "<text:p>" + word + "</text:p></draw:rect>";
}

std::string comment(const char* author)
{
    return std::string("<office:annotation><dc:creator>") + author + "</dc:creator><text:p>Comment " + author
         + "</text:p></office:annotation>";
}

// Word's own markup, which LibreOffice's exports do not write: a paragraph framed in a footer, a
// custom note mark repeated in the note's text, sections with headers of their own.
const std::string kWordNamespaces =
    R"( xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")"
    R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")";
std::string wordParagraph(const std::string& text, const std::string& properties = {})
{
    return "<w:p>" + properties + "<w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>";
}

std::string relationship(const char* id, const char* type, const char* target)
{
    return std::string("<Relationship Id=\"") + id + "\" Target=\"" + target
         + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + type + "\"/>";
}

std::string wordPart(const char* element, const std::string& content)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><w:") + element
         + kWordNamespaces + ">" + content + "</w:" + element + ">";
}

std::string framedInWord(const std::string& text)
{
    return wordParagraph(text, "<w:pPr><w:framePr w:w=\"3000\" w:h=\"600\" w:hRule=\"exact\" w:wrap=\"around\" "
                               "w:vAnchor=\"text\" w:hAnchor=\"margin\" w:y=\"1\"/></w:pPr>");
}

// Its default footer is used; its even-page and first-page ones are not, as neither the settings
// ask for even pages nor the section for a first page of its own.
std::string framedFooterDocx()
{
    return docxPackage(
        wordParagraph("Body words")
            + R"(<w:sectPr><w:footerReference w:type="default" r:id="rIdF1"/><w:footerReference w:type="even" r:id="rIdF2"/>)"
              R"(<w:footerReference w:type="first" r:id="rIdF3"/></w:sectPr>)",
        relationship("rIdF1", "footer", "footer1.xml") + relationship("rIdF2", "footer", "footer2.xml")
            + relationship("rIdF3", "footer", "footer3.xml"),
        {{"word/footer1.xml", wordPart("ftr", framedInWord("Footer words") + "<w:p/>")},
         {"word/footer2.xml", wordPart("ftr", framedInWord("Even footer box") + wordParagraph("Even footer words"))},
         {"word/footer3.xml", wordPart("ftr", wordParagraph("First footer words") + framedInWord("First footer box"))}});
}

// Two sections, each with a header of its own: LibreOffice gives the second a page style that
// only its first paragraph names.
std::string twoSectionsDocx()
{
    return docxPackage(
        wordParagraph("First section")
            + R"(<w:p><w:pPr><w:sectPr><w:headerReference w:type="default" r:id="rIdH1"/></w:sectPr></w:pPr></w:p>)"
            + wordParagraph("Second section")
            + R"(<w:sectPr><w:headerReference w:type="default" r:id="rIdH2"/></w:sectPr>)",
        relationship("rIdH1", "header", "header1.xml") + relationship("rIdH2", "header", "header2.xml"),
        {{"word/header1.xml", wordPart("hdr", wordParagraph("First header"))},
         {"word/header2.xml", wordPart("hdr", wordParagraph("Second header"))}});
}

const std::string kSuperscript = R"(<w:rPr><w:vertAlign w:val="superscript"/></w:rPr>)";

std::string daggerDocx()
{
    return docxPackage(
        "<w:p><w:r><w:t>Text here</w:t></w:r><w:r>" + kSuperscript
            + R"(<w:endnoteReference w:customMarkFollows="1" w:id="1"/><w:t>&#x2020;</w:t></w:r>)"
              R"(<w:r><w:t xml:space="preserve"> and on</w:t></w:r></w:p>)",
        relationship("rIdE", "endnotes", "endnotes.xml"),
        {{"word/endnotes.xml",
          wordPart("endnotes", R"(<w:endnote w:id="1"><w:p><w:r>)" + kSuperscript
                                   + R"(<w:t>&#x2020;</w:t></w:r><w:r><w:tab/><w:t>Daggernote</w:t></w:r></w:p></w:endnote>)")}});
}

// Word's RTF keeps a custom mark both as the note's mark and in the text after it.
const std::string kDaggerRtf =
    R"({\rtf1\ansi\deff0{\fonttbl{\f0 Times New Roman;}}\fet1\aendnotes\pard\plain Text here)"
    R"({\super \u8224\'86{\*\footnote\ftnalt \pard\plain {\super \u8224\'86}\tab Daggernote\par}} and on\par})";

// Built when asked: the documents are made by helpers whose own constants may not be ready yet
// while the program starts.
std::vector<PartsCase> partsCases()
{
    return {
        {"every part", kParts, kFormats, kBody + kNotes,
         "Running headerword\n\n" + kBody + "\nRunning footerword\n" + kNotes + "\n[comment: Ann] A commentword here\n"},
        // A scanned letter: converted, to no text at all.
        {"only a picture", flatDocument("<text:p>" + kPicture + "</text:p>", kBarePages), {kFlat, kDocx, kDoc, kRtf, kOdt}, "", ""},
        {"a header and a footer that are only a table",
         flatDocument("<text:p>Body words</text:p>",
                      "<style:master-page style:name=\"Standard\"><style:header>" + twoCellTable("Head")
                          + "</style:header><style:footer>" + twoCellTable("Foot") + "</style:footer></style:master-page>"),
         {kFlat, kDocx, kDoc, kRtf, kOdt}, "Body words\n", "Head1\nHead2\n\nBody words\n\nFoot1\nFoot2\n"},
        // LibreOffice's .doc export gives the even footer the odd one's box, and its RTF export drops it.
        {"boxes in the footers of odd and even pages",
         flatDocument("<text:p>Body words</text:p>",
                      "<style:master-page style:name=\"Standard\"><style:footer><text:p>Footer words"
                          + textBox("<text:p>Footbox words</text:p>") + "</text:p></style:footer><style:footer-left>"
                          "<text:p>Even words" + textBox("<text:p>Evenbox words</text:p>")
                          + "</text:p></style:footer-left></style:master-page>"),
         {kFlat, kDocx, kOdt}, "Body words\n", "Body words\n\nFooter words\nFootbox words\nEven words\nEvenbox words\n"},
        {"a framed paragraph in a used footer and in unused ones", framedFooterDocx(), {kDocx}, "Body words\n",
         "Body words\n\nFooter words\n"},
        {"a header for each section", twoSectionsDocx(), {kDocx}, "First section\nSecond section\n",
         "First header\nSecond header\n\nFirst section\nSecond section\n"},
        // LibreOffice's .doc export loses such a box; node-word-extractor's test07.doc, from Word, has one.
        {"a text box that begins with a table",
         flatDocument("<text:p>Before" + textBox(twoCellTable("Cell") + "<text:p>Box line</text:p>") + "</text:p><text:p>After</text:p>",
                     kBarePages),
         {kFlat, kDocx, kRtf, kOdt}, "Before\nCell1\nCell2\nBox line\nAfter\n", "Before\nCell1\nCell2\nBox line\nAfter\n"},
        {"a group of boxes alone",
         flatDocument("<text:p><draw:g text:anchor-type=\"paragraph\">" + drawnBox("First box", 0) + drawnBox("Second box", 4)
                      + drawnBox("Third box", 8) + "</draw:g></text:p>",
                     kBarePages),
         {kFlat, kDocx, kDoc, kOdt}, "First box\nSecond box\nThird box\n", "First box\nSecond box\nThird box\n"},
        {"comments",
         flatDocument("<text:p>One" + comment("A") + " two" + comment("B") + "</text:p><text:p>Three" + comment("C")
                      + " four" + comment("D") + "</text:p>"),
         {kFlat, kDocx, kDoc, kRtf, kOdt}, "One two\nThree four\n",
         "Running headerword\n\nOne two\nThree four\n\nRunning footerword\n\n[comment: A] Comment A\n[comment: B] Comment B\n"
         "[comment: C] Comment C\n[comment: D] Comment D\n"},
        {"page numbers and cross-references",
         flatDocument("<text:p><text:bookmark-start text:name=\"t1\"/>Topic 1<text:bookmark-end text:name=\"t1\"/></text:p>"
                      "<text:p>Page <text:page-number text:select-page=\"current\">9</text:page-number> of "
                      "<text:page-count>9</text:page-count></text:p>"
                      "<text:p text:style-name=\"NewPage\">See <text:bookmark-ref text:reference-format=\"text\" "
                      "text:ref-name=\"t1\">Topic 9</text:bookmark-ref> on page <text:bookmark-ref "
                      "text:reference-format=\"page\" text:ref-name=\"t1\">9</text:bookmark-ref>, page "
                      "<text:page-number text:select-page=\"current\">9</text:page-number></text:p>",
                      kBarePages),
         {kFlat, kDocx, kDoc, kRtf, kOdt}, "Topic 1\nPage 1 of 2\nSee Topic 1 on page 1, page 2\n",
         "Topic 1\nPage 1 of 2\nSee Topic 1 on page 1, page 2\n"},
        {"a custom endnote mark in Word's .docx", daggerDocx(), {kDocx}, "Text here[\u2020] and on\n\n[\u2020] Daggernote\n",
         "Text here[\u2020] and on\n\n[\u2020] Daggernote\n"},
        {"a custom endnote mark in Word's RTF", kDaggerRtf, {kRtf}, "Text here[\u2020] and on\n\n[\u2020] Daggernote\n",
         "Text here[\u2020] and on\n\n[\u2020] Daggernote\n"},
    };
}

class DocumentParts : public WithSharedLibreOffice {
protected:
    // `source` as `format` ("" for the flat document itself).
    fs::path made(const std::string& source, const Format& format) const
    {
        const bool flat = source.starts_with("<?xml") && source.find("<office:document") != std::string::npos;
        const fs::path written = inputFolder() / ("source" + (flat ? std::string(".fodt") : format.ending));
        writeBytes(written, source);
        if (!flat || *format.filter == 0)
            return written;
        const fs::path document = inputFolder() / ("made" + format.ending);
        makeDocument(libreoffice(), written, document, format.filter);
        return document;
    }
};

// Each case in each format: its text by default, and with headers, footers and comments asked for.
// A document without text converts, and says it has none.
TEST_F(DocumentParts, EachPartLandsInItsPlaceOnceAndTheOptionalOnesOnlyWhenAsked)
{
    // A LibreOffice beside the shared one, asked for every optional part.
    const TemporaryFolder scratch;
    LibreOfficeOptions options = optionsUnder(scratch.path());
    options.textParts = {true, true, true};
    LibreOfficeLauncher launcher(options);
    const std::unique_ptr<WordProcessor> withAll = launcher.Start();
    ASSERT_NE(withAll, nullptr) << launcher.lastFailure();

    for (const PartsCase& row : partsCases())
        for (const Format& format : row.formats) {
            SCOPED_TRACE(std::string(row.name) + " as " + format.ending);
            const fs::path document = made(row.source, format);
            const fs::path byDefault = outputFolder() / "default.txt";
            const SaveResult saved = convert(document, byDefault);
            ASSERT_TRUE(saved.ok()) << describe(saved.failure) << ": " << saved.detail << " (" << saved.rawDetail << ")";
            EXPECT_EQ(readBytes(byDefault), row.byDefault);
            EXPECT_EQ(saved.noText, row.byDefault.empty());

            OpenResult opened = withAll->Open(document);
            ASSERT_NE(opened.document, nullptr) << opened.detail;
            const fs::path everything = outputFolder() / "all.txt";
            ASSERT_TRUE(withAll->SaveAs(*opened.document, everything, SaveFormat::Text).ok());
            withAll->Close(std::move(opened.document));
            EXPECT_EQ(readBytes(everything), row.withAll);
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
    const fs::path page = made(kParts, {".html", "HTML (StarWriter)"});
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
