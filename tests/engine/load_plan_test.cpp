#include "engine/libreoffice/load_plan.h"

#include <gtest/gtest.h>

#include <string>

namespace plainquill::engine::libreoffice {
namespace {

const std::string kOle2Head("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 rest", 13);
const std::string kBinaryHead("ab\0cd", 5);

struct PlanCase {
    const char* name;
    Detection detection;
    const char* file;
    std::string head;
    LoadRoute route;
    const char* filter; // for Load
};

void PrintTo(const PlanCase& c, std::ostream* out) { *out << c.name; }

class LibreOfficeLoadPlan : public ::testing::TestWithParam<PlanCase> {};

TEST_P(LibreOfficeLoadPlan, RoutesEachDetectionByFormatAndExtension)
{
    const PlanCase& c = GetParam();
    const LoadPlan plan = planLoad(c.detection, c.file, c.head);
    EXPECT_EQ(plan.route, c.route);
    if (c.route == LoadRoute::Load) {
        EXPECT_EQ(plan.filter, c.filter);
        EXPECT_FALSE(plan.documentService.empty());
    } else {
        EXPECT_FALSE(plan.detail.empty()) << "a failure always says why";
    }
}

const Detection kWord97{"writer_MS_Word_97", "MS Word 97", "com.sun.star.text.TextDocument", ""};
const Detection kPlainText{"generic_Text", "Text", "com.sun.star.text.TextDocument", ""};
const Detection kHtml{"generic_HTML", "HTML", "com.sun.star.text.WebDocument", ""};

INSTANTIATE_TEST_SUITE_P(
    Detections, LibreOfficeLoadPlan,
    ::testing::Values(
        PlanCase{"word97", kWord97, "/d/a.doc", "x", LoadRoute::Load, "MS Word 97"},
        PlanCase{"html", kHtml, "/d/a.html", "<p>", LoadRoute::Load, "HTML"},
        // A real document under a misleading name is still a document.
        PlanCase{"odt_named_doc", {"writer8", "writer8", "com.sun.star.text.TextDocument", ""},
                 "/d/a.doc", "PK\x03\x04", LoadRoute::Load, "writer8"},
        PlanCase{"text_as_doc", kPlainText, "/d/a.doc", "hello", LoadRoute::NotADocument, ""},
        PlanCase{"text_as_docx", kPlainText, "/d/a.docx", "hello", LoadRoute::NotADocument, ""},
        PlanCase{"text_as_rtf", kPlainText, "/d/a.rtf", "hello", LoadRoute::NotADocument, ""},
        PlanCase{"binary_as_doc", kPlainText, "/d/a.doc", kBinaryHead, LoadRoute::NotADocument, ""},
        PlanCase{"encoded_text", {"generic_Text", "Text (encoded)", "com.sun.star.text.TextDocument", ""},
                 "/d/a.rtf", "hello", LoadRoute::NotADocument, ""},
        PlanCase{"csv_as_doc", {"calc_Text", "Text - txt - csv (StarCalc)",
                                "com.sun.star.sheet.SpreadsheetDocument", ""},
                 "/d/a.doc", "1,2", LoadRoute::NotADocument, ""},
        // Tag-less text is still HTML to a browser; binary junk is not.
        PlanCase{"text_as_html", kPlainText, "/d/a.html", "hello", LoadRoute::Load, "HTML"},
        PlanCase{"text_as_htm_upper", kPlainText, "/d/A.HTM", "hello", LoadRoute::Load, "HTML"},
        PlanCase{"binary_as_html", kPlainText, "/d/a.html", kBinaryHead, LoadRoute::NotADocument, ""},
        // A container that only reads as text is a damaged document.
        PlanCase{"damaged_ole", kPlainText, "/d/a.doc", kOle2Head, LoadRoute::CouldNotOpen, ""},
        PlanCase{"damaged_zip", kPlainText, "/d/a.docx", "PK\x03\x04zz", LoadRoute::CouldNotOpen, ""},
        PlanCase{"damaged_rtf", kPlainText, "/d/a.rtf", "{\\rtf1 junk", LoadRoute::CouldNotOpen, ""},
        PlanCase{"question_asked", {"writer_OOXML", "Office Open XML Text",
                                    "com.sun.star.text.TextDocument", "the document is password-protected"},
                 "/d/a.docx", "x", LoadRoute::CouldNotOpen, ""},
        PlanCase{"question_then_text", {"generic_Text", "Text", "com.sun.star.text.TextDocument",
                                        "the document is damaged"},
                 "/d/a.docx", "PK", LoadRoute::CouldNotOpen, ""},
        // A .xml is converted only as Word 2003 XML, though Writer reads other XML too.
        PlanCase{"word2003_xml", {"writer_MS_Word_2003_XML", "MS Word 2003 XML", "com.sun.star.text.TextDocument", ""},
                 "/d/A.XML", "<?xml", LoadRoute::Load, "MS Word 2003 XML"},
        PlanCase{"docbook_xml", {"writer_DocBook_File", "DocBook File", "com.sun.star.text.TextDocument", ""},
                 "/d/a.xml", "<?xml", LoadRoute::NotADocument, ""},
        PlanCase{"flat_odt_xml", {"writer_ODT_FlatXML", "OpenDocument Text Flat XML",
                                  "com.sun.star.text.TextDocument", ""},
                 "/d/a.xml", "<?xml", LoadRoute::NotADocument, ""},
        PlanCase{"flat_odt_fodt", {"writer_ODT_FlatXML", "OpenDocument Text Flat XML",
                                   "com.sun.star.text.TextDocument", ""},
                 "/d/a.fodt", "<?xml", LoadRoute::Load, "OpenDocument Text Flat XML"},
        PlanCase{"unrecognised", {"", "", "", ""}, "/d/a.doc", "x", LoadRoute::CouldNotOpen, ""},
        PlanCase{"spreadsheet", {"calc_MS_Excel_97", "MS Excel 97",
                                 "com.sun.star.sheet.SpreadsheetDocument", ""},
                 "/d/a.doc", kOle2Head, LoadRoute::CouldNotOpen, ""}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace plainquill::engine::libreoffice
