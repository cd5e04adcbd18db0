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
