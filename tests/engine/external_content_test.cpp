// Converting documents that name things outside themselves fetches nothing and reads no other file.
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/http_recorder.h"
#include "tests/engine/support/test_files.h"
#include "tests/engine/support/zip_writer.h"

#include <gtest/gtest.h>

namespace plainquill::engine::testing {
namespace {

constexpr std::string_view kSecret = "SECRET-LOCAL-CONTENT-4711";

struct References {
    std::string base; // "http://127.0.0.1:port"
    std::string localFile;
};

std::string htmlWithReferences(const References& to)
{
    const std::string& b = to.base;
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
           "<link rel=\"stylesheet\" href=\"" + b + "/style.css\">\n"
           "<style>@import url(\"" + b + "/import.css\"); p { background: url(\"" + b
        + "/background.png\"); }</style>\n"
           "<script src=\"" + b + "/script.js\"></script>\n"
           "</head><body background=\"" + b + "/body.png\">\n"
           "<p>Visible words.</p>\n"
           "<p><img src=\"" + b + "/image.png\" alt=\"\"> <img src=\"" + b
        + "/sized.png\" width=\"10\" height=\"10\"> <img src=\"file://" + to.localFile + "\">"
           " <img src=\"file:///dev/zero\"></p>\n"
           "<iframe src=\"" + b + "/frame.html\"></iframe>\n"
           "<object data=\"" + b + "/object.svg\" type=\"image/svg+xml\"></object>\n"
           "<embed src=\"" + b + "/embed.svg\">\n"
           "<div href=\"file://" + to.localFile + "\"><p>cached section</p></div>\n"
           "<div href=\"" + b + "/section.html\"><p>cached web section</p></div>\n"
           "<p>More words.</p>\n</body></html>\n";
}

std::string field(const std::string& instruction, const std::string& cachedResult)
{
    return "<w:p><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
           "<w:r><w:instrText xml:space=\"preserve\"> " + instruction + " </w:instrText></w:r>"
           "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>"
           "<w:r><w:t>" + cachedResult + "</w:t></w:r>"
           "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:p>";
}

std::string paragraph(const std::string& text)
{
    return "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>";
}

std::string relationship(const char* id, const char* type, const std::string& target)
{
    return std::string("<Relationship Id=\"") + id + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
        "2006/relationships/" + type + "\" Target=\"" + target + "\" TargetMode=\"External\"/>";
}

std::string docxWithReferences(const References& to)
{
    const std::string& b = to.base;
    const auto linkedPicture = [](const char* relationship) {
        return std::string("<w:p><w:r><w:drawing><wp:inline><wp:extent cx=\"95250\" cy=\"95250\"/>"
        "<wp:docPr id=\"1\" name=\"p\"/>"
        "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
        "<pic:pic><pic:nvPicPr><pic:cNvPr id=\"1\" name=\"p\"/><pic:cNvPicPr/></pic:nvPicPr>"
        "<pic:blipFill><a:blip r:link=\"") + relationship + "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
        "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"95250\" cy=\"95250\"/></a:xfrm>"
        "<a:prstGeom prst=\"rect\"/></pic:spPr></pic:pic></a:graphicData></a:graphic></wp:inline>"
        "</w:drawing></w:r></w:p>";
    };
    const std::string body = paragraph("Visible words.")
        + field("INCLUDEPICTURE \"" + b + "/field-picture.png\" \\d", "")
        + field("INCLUDETEXT \"" + b + "/included.docx\"", "cached web text")
        + field("INCLUDETEXT \"" + to.localFile + "\"", "cached local text") + linkedPicture("rIdImage")
        + linkedPicture("rIdZero")
        + "<w:p><w:r><w:object><v:shape id=\"o1\" style=\"width:10pt;height:10pt\"><v:imagedata r:id=\"rIdVml\"/>"
          "</v:shape><o:OLEObject Type=\"Link\" ProgID=\"Word.Document.12\" ShapeID=\"o1\" r:id=\"rIdOle\" "
          "UpdateMode=\"Always\"><o:LinkType>EnhancedMetafile</o:LinkType></o:OLEObject></w:object></w:r></w:p>"
        + paragraph("More words.");
    const std::string relationships = relationship("rIdImage", "image", b + "/docx-image.png")
        + relationship("rIdZero", "image", "file:///dev/zero") + relationship("rIdVml", "image", b + "/vml-image.png")
        + relationship("rIdOle", "oleObject", b + "/linked-object.docx")
        + "<Relationship Id=\"rIdSettings\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
          "relationships/settings\" Target=\"settings.xml\"/>";
    const ZipEntries settings{
        {"word/settings.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
         "<w:settings xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
         "<w:attachedTemplate r:id=\"rIdTemplate\"/></w:settings>"},
        {"word/_rels/settings.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
             + relationship("rIdTemplate", "attachedTemplate", b + "/template.dotx") + "</Relationships>"},
    };
    return docxPackage(body, relationships, settings);
}

std::string rtfWithReferences(const References& to)
{
    return "{\\rtf1\\ansi Visible words.\\par "
           "{\\field{\\*\\fldinst INCLUDETEXT \"" + to.localFile + "\"}{\\fldrslt cached local text}}\\par "
           "{\\field{\\*\\fldinst INCLUDEPICTURE \"" + to.base + "/rtf-picture.png\" \\\\d}{\\fldrslt }}\\par "
           "More words.\\par}";
}

// Entities that name a local file and a web address, and a style sheet to fetch: an XML parser
// that resolves them would bring their content into the text.
std::string word2003XmlWithReferences(const References& to)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<!DOCTYPE w:wordDocument [\n"
           "<!ENTITY local SYSTEM \"file://" + to.localFile + "\">\n"
           "<!ENTITY web SYSTEM \"" + to.base + "/entity.txt\">\n]>\n"
           "<?xml-stylesheet type=\"text/xsl\" href=\"" + to.base + "/style.xsl\"?>\n"
           "<?mso-application progid=\"Word.Document\"?>\n"
           "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\"><w:body>\n"
           "<w:p><w:r><w:t>Visible words.</w:t></w:r></w:p>\n"
           "<w:p><w:r><w:t>[&local;]</w:t></w:r></w:p>\n"
           "<w:p><w:r><w:t>[&web;]</w:t></w:r></w:p>\n"
           "<w:p><w:r><w:t>More words.</w:t></w:r></w:p>\n"
           "</w:body></w:wordDocument>\n";
}

struct ReferringDocument {
    const char* name;
    const char* fileName;
    std::string (*write)(const References&);
};

void PrintTo(const ReferringDocument& document, std::ostream* out) { *out << document.fileName; }

class LibreOfficeExternalReferences : public WithSharedLibreOffice,
                                      public ::testing::WithParamInterface<ReferringDocument> {};

TEST_P(LibreOfficeExternalReferences, ConvertWithoutFetchingAnythingOrReadingOtherFiles)
{
    const HttpRecorder server;
    const TemporaryFolder elsewhere;
    const auto localFile = elsewhere / "secret.txt";
    writeBytes(localFile, std::string(kSecret) + "\n");
    const auto input = inputFolder() / GetParam().fileName;
    writeBytes(input, GetParam().write({server.baseUrl(), localFile.string()}));
    const auto output = outputFolder() / "out.txt";

    const SaveResult saved = convert(input, output);

    ASSERT_TRUE(saved.ok()) << describe(saved.failure) << ": " << saved.detail;
    const std::string text = readBytes(output);
    EXPECT_NE(text.find("Visible words."), std::string::npos) << text;
    EXPECT_NE(text.find("More words."), std::string::npos) << text;
    EXPECT_EQ(text.find(kSecret), std::string::npos) << "a local file's content came in:\n" << text;
    EXPECT_EQ(server.requests(), std::vector<std::string>{}) << "LibreOffice reached out to the network";
}

INSTANTIATE_TEST_SUITE_P(Documents, LibreOfficeExternalReferences,
                         ::testing::Values(ReferringDocument{"html", "page.html", htmlWithReferences},
                                           ReferringDocument{"docx", "linked.docx", docxWithReferences},
                                           ReferringDocument{"rtf", "linked.rtf", rtfWithReferences},
                                           ReferringDocument{"word2003_xml", "entities.xml",
                                                             word2003XmlWithReferences}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace plainquill::engine::testing
