#include "engine/document_kinds.h"
#include "engine/queue_rules.h"

#include <gtest/gtest.h>

namespace plainquill {
namespace {

TEST(DocFileCheck, AcceptsTheFiveExtensionsInAnyCaseAfterTheLastDot)
{
    struct Case {
        const char* name;
        bool accepted;
    };
    const Case cases[] = {
        {"a.doc", true},       {"A.DOC", true},         {"b.docx", true},       {"c.RTF", true},
        {"d.htm", true},       {"e.HTML", true},        {"Report.Docx", true},  {"a.Doc", true},
        {"a.rtF", true},       {"e.Html", true},        {"x.tar.doc", true},    {".hidden.doc", true},
        {"/tmp/x y/é.doc", true}, {"/in/.cache/a.htm", true},
        {"memo_doc", false},   {"mydoc", false},        {"guide.adoc", false},  {"report.xdoc", false},
        {"page.shtml", false}, {".doc", false},         {"/in/.DOCX", false},   {"a.doc.txt", false},
        {"c.txt", false},      {"doc.txt", false},      {"", false},            {"a.docx ", false},
        {"a.", false},         {"a.d.oc", false},       {"/in/x.doc/name", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DocFileCheck(QString::fromUtf8(c.name)), c.accepted) << c.name;
}

TEST(FormatSize, PicksTheBandAndRoundsToItsDecimals)
{
    struct Case {
        std::uint64_t size;
        const char* text;
    };
    const Case cases[] = {
        {0, "0 bytes"},
        {1023, "1023 bytes"},
        {1024, "1.00 KB"},
        {1536, "1.50 KB"},
        {10239, "10.00 KB"},
        {10240, "10.0 KB"},
        {102399, "100.0 KB"},
        {102400, "100 KB"},
        {1023999, "999 KB"},
        {1024000, "0.98 MB"},
        {10485759, "10.00 MB"},
        {10485760, "10.0 MB"},
        {104857600, "100 MB"},
        {1048575999, "999 MB"},
        {1048576000, "0.98 GB"},
        {10737418240ull, "10.0 GB"},
        {107374182400ull, "100 GB"},
        {1073741823999ull, "999 GB"},
        {1073741824000ull, "0.98 TB"},
        {1099511627776ull, "1.00 TB"},
        {18446744073709551615ull, "16777216.00 TB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatSize(c.size, QLatin1Char('.')), QLatin1String(c.text)) << c.size;
}

TEST(FormatSize, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(FormatSize(1536, QLatin1Char(',')), QLatin1String("1,50 KB"));
    EXPECT_EQ(FormatSize(10485760, QLatin1Char(',')), QLatin1String("10,0 MB"));
    EXPECT_EQ(FormatSize(999, QLatin1Char(',')), QLatin1String("999 bytes"));
}

TEST(TrailingSlash, EndsInExactlyOneSeparatorUnlessEmpty)
{
    EXPECT_EQ(TrailingSlash(QString()), QString());
    EXPECT_EQ(TrailingSlash(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(TrailingSlash(QStringLiteral("/docs")), QStringLiteral("/docs/"));
    EXPECT_EQ(TrailingSlash(QStringLiteral("/docs/")), QStringLiteral("/docs/"));
    EXPECT_EQ(TrailingSlash(QStringLiteral("rel")), QStringLiteral("rel/"));
}

TEST(CountText, IsTheLengthTwoBlanksAndFiles)
{
    EXPECT_EQ(CountText(1), QStringLiteral("1  Files"));
    EXPECT_EQ(CountText(12), QStringLiteral("12  Files"));
    EXPECT_EQ(CountText(40000), QStringLiteral("40000  Files"));
}

} // namespace
} // namespace plainquill

namespace plainquill {
namespace {

std::string joined(const std::vector<std::string_view>& endings)
{
    std::string text;
    for (const std::string_view ending : endings)
        text += (text.empty() ? "" : ",") + std::string(ending);
    return text;
}

TEST(DocumentEndings, ParsesGroupsAndEndingsInAnyCaseWithOrWithoutTheDot)
{
    const std::string word = "doc,docx,rtf,htm,html";
    const std::string other = "dot,dotx,docm,dotm,xml,odt,ott,fodt,sxw,wpd,wps,lwp,abw,hwp,pages";
    const std::pair<const char*, std::string> cases[] = {
        {"word", word},
        {"WORD", word},
        {"all", word + "," + other},
        {"odt", "odt"},
        {".ODT,wpd,.Pages", "odt,wpd,pages"},
        {"pages,odt", "odt,pages"}, // table order, whatever the order asked
        {"odt,odt", "odt"},
        {"word,xml", word + ",xml"},
        {"docx", "docx"},
    };
    for (const auto& [text, expected] : cases) {
        std::string error;
        const auto endings = parseDocumentEndings(text, error);
        ASSERT_TRUE(endings.has_value()) << text << ": " << error;
        EXPECT_EQ(joined(endings->endings()), expected) << text;
    }
}

TEST(DocumentEndings, RefusesUnknownOrEmptyEndingsAndNamesTheCulprit)
{
    const std::pair<const char*, const char*> cases[] = {
        {"pdf", "'pdf'"},         {"odt,txt", "'txt'"}, {"", "empty"},  {"odt,", "empty"},
        {",odt", "empty"},        {".", "empty"},       {"..odt", "'.odt'"}, {"od t", "'od t'"},
        {"list", "'list'"},       {"*.odt", "'*.odt'"},
    };
    for (const auto& [text, culprit] : cases) {
        std::string error;
        EXPECT_FALSE(parseDocumentEndings(text, error).has_value()) << text;
        EXPECT_NE(error.find(culprit), std::string::npos) << text << ": " << error;
        EXPECT_NE(error.find("pages"), std::string::npos) << "the known endings are listed: " << error;
    }
}

TEST(DocumentEndings, AFolderGivesOnlyTheChosenEndings)
{
    std::string error;
    const DocumentEndings some = *parseDocumentEndings("odt,wpd", error);
    struct Case {
        const char* name;
        bool word, all, odtWpd;
    };
    const Case cases[] = {
        {"a.doc", true, true, false},       {"B.DOCX", true, true, false},    {"c.Html", true, true, false},
        {"a.odt", false, true, true},       {"A.ODT", false, true, true},     {"r.Wpd", false, true, true},
        {"t.ott", false, true, false},      {"m.dotm", false, true, false},   {"w.xml", false, true, false},
        {"s.pages", false, true, false},    {"h.HWP", false, true, false},    {"x.sxw", false, true, false},
        {"/in/.odt", false, false, false},  {"a.txt", false, false, false},   {"a.odt.bak", false, false, false},
        {"/in/x.odt/name", false, false, false}, {"odt", false, false, false}, {"a.", false, false, false},
        {"a.fodt", false, true, false},     {"a.abw", false, true, false},    {"a.lwp", false, true, false},
        {"a.wps", false, true, false},      {"a.dot", false, true, false},    {"a.docm", false, true, false},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(DocumentEndings::word().accepts(name), c.word) << c.name;
        EXPECT_EQ(DocumentEndings::all().accepts(name), c.all) << c.name;
        EXPECT_EQ(some.accepts(name), c.odtWpd) << c.name;
    }
}

} // namespace
} // namespace plainquill
