// Round trips on real documents from other projects' test suites, read where they lie.
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/failure_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace plainquill::engine::testing {
namespace {

const std::filesystem::path kCorpus = PLAINQUILL_CORPUS_DIR;

class LibreOfficeCorpus : public WithSharedLibreOffice {
protected:
    void SetUp() override
    {
        if (!std::filesystem::is_directory(kCorpus))
            GTEST_SKIP() << "no corpus at " << kCorpus << " (set PLAINQUILL_CORPUS_DIR)";
        WithSharedLibreOffice::SetUp();
    }
};

// The extractor whose expectations the node-word-extractor files carry writes typographic quotes
// as straight ones; LibreOffice keeps them.
std::string straightQuotes(std::string text)
{
    const std::pair<std::string_view, char> quotes[] = {
        {"\xE2\x80\x98", '\''}, {"\xE2\x80\x99", '\''}, {"\xE2\x80\x9C", '"'}, {"\xE2\x80\x9D", '"'}};
    for (const auto& [curly, straight] : quotes) {
        for (std::size_t at; (at = text.find(curly)) != std::string::npos;)
            text.replace(at, curly.size(), 1, straight);
    }
    return text;
}

struct CorpusCase {
    const char* document;
    const char* expected;
    bool foldQuotes;
    // Lines of text boxes our text holds after their paragraphs and the project's body leaves out.
    std::vector<std::string> textBoxLines = {};
};

// `text` without the first line equal to each of `lines`.
std::string withoutLines(const std::string& text, const std::vector<std::string>& lines)
{
    std::string kept;
    std::vector<std::string> left = lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (const auto found = std::find(left.begin(), left.end(), line); found != left.end())
            left.erase(found);
        else
            kept += line + '\n';
    }
    EXPECT_TRUE(left.empty()) << "not in the text: " << (left.empty() ? "" : left.front());
    return kept;
}

void PrintTo(const CorpusCase& c, std::ostream* out) { *out << c.document; }

class LibreOfficeCorpusDocument : public LibreOfficeCorpus, public ::testing::WithParamInterface<CorpusCase> {};

TEST_P(LibreOfficeCorpusDocument, ConvertsToTheTextItsProjectExpects)
{
    const CorpusCase& c = GetParam();
    const auto document = kCorpus / c.document;
    const auto output = outputFolder() / "out.txt";

    const SaveResult saved = convert(document, output);

    ASSERT_TRUE(saved.ok()) << describe(saved.failure) << ": " << saved.detail;
    std::string actual = withoutLines(readBytes(output), c.textBoxLines);
    std::string expected = readBytes(kCorpus / c.expected);
    if (c.foldQuotes) {
        actual = straightQuotes(actual);
        expected = straightQuotes(expected);
    }
    EXPECT_EQ(normalisedLines(actual), normalisedLines(expected));
    EXPECT_EQ(fileNames(outputFolder()), std::vector<std::string>{"out.txt"});
}

#define NWE "node-word-extractor/__tests__/data/"
#define NWE_TEXT "node-word-extractor/_derived_expected_text/"

INSTANTIATE_TEST_SUITE_P(
    Documents, LibreOfficeCorpusDocument,
    ::testing::Values(
        CorpusCase{"textract/tests/doc/raw_text.doc", "textract/tests/doc/raw_text.txt", false},
        CorpusCase{"textract/tests/docx/raw_text.docx", "textract/tests/docx/raw_text.txt", false},
        CorpusCase{"textract/tests/rtf/raw_text.rtf", "textract/tests/rtf/raw_text.txt", false},
        CorpusCase{"textract/tests/docx/paragraphs_and_tables.docx",
                   "textract/tests/docx/paragraphs_and_tables.txt", false},
        CorpusCase{"textract/tests/html/cyrillic_cp1251.html",
                   "textract/tests/html/cyrillic_cp1251.txt", false},
        // Tracked changes read as accepted.
        CorpusCase{NWE "test01.doc", NWE_TEXT "test01.doc.body.txt", true},
        CorpusCase{NWE "test01.docx", NWE_TEXT "test01.doc.body.txt", true},
        CorpusCase{NWE "test14.doc", NWE_TEXT "test14.doc.body.txt", true},
        CorpusCase{NWE "test14.docx", NWE_TEXT "test14.doc.body.txt", true},
        CorpusCase{NWE "test04.doc", NWE_TEXT "test04.doc.body.txt", true},
        CorpusCase{NWE "test04.docx", NWE_TEXT "test04.doc.body.txt", true},
        CorpusCase{NWE "test08.doc", NWE_TEXT "test08.doc.body.txt", true},
        CorpusCase{NWE "test10.docx", NWE_TEXT "test10.doc.body.txt", true},
        CorpusCase{NWE "test11.doc", NWE_TEXT "test11.doc.body.txt", true},
        CorpusCase{NWE "test11.docx", NWE_TEXT "test11.doc.body.txt", true},
        CorpusCase{NWE "test15.doc", NWE_TEXT "test15.doc.body.txt", true},
        CorpusCase{NWE "test16.docx", NWE_TEXT "test16.doc.body.txt", true,
                   {"First text box, regular", "A shape with text inside",
                    "Second text box, copied and pasted from the first. The anchor point is the same",
                    "A second paragraph in the second text box, but it might wrap between boxes. ",
                    "This is in a third text box, but it\u2019s linked to the same text from the second.",
                    "Vertical text box added too"}}),
    [](const auto& info) {
        std::string name = info.param.document;
        name = name.substr(name.rfind('/') + 1);
        std::replace(name.begin(), name.end(), '.', '_');
        return name + "_" + std::to_string(info.index);
    });

class LibreOfficeStandardisedText : public LibreOfficeCorpus, public ::testing::WithParamInterface<const char*> {};

TEST_P(LibreOfficeStandardisedText, GivesThePangramWhateverTheFormat)
{
    const auto output = outputFolder() / "out.txt";
    const SaveResult saved = convert(kCorpus / GetParam(), output);
    ASSERT_TRUE(saved.ok()) << saved.detail;
    std::string letters = readBytes(output);
    std::erase_if(letters, [](unsigned char c) { return std::isspace(c); });
    EXPECT_EQ(letters, "thequickbrownfoxjumpsoverthelazydog");
}

INSTANTIATE_TEST_SUITE_P(Formats, LibreOfficeStandardisedText,
                         ::testing::Values("textract/tests/doc/standardized_text.doc",
                                           "textract/tests/docx/standardized_text.docx",
                                           "textract/tests/rtf/standardized_text.rtf",
                                           "textract/tests/html/standardized_text.html"),
                         [](const auto& info) {
                             const std::string path = info.param;
                             return path.substr(path.rfind('.') + 1);
                         });

TEST_F(LibreOfficeCorpus, KeepsTheAccentsAndCurrencySignsOfAWord97Document)
{
    const auto output = outputFolder() / "test04.txt";
    const SaveResult saved = convert(kCorpus / NWE "test04.doc", output);
    ASSERT_TRUE(saved.ok()) << saved.detail;
    const std::string text = readBytes(output);
    for (const char* word : {"\xC2\xA3", "\xE2\x82\xAC", "Moli\xC3\xA8re", "\xC3\x89" "cole"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
}

TEST_F(LibreOfficeCorpus, RefusesAWord97FileWithABrokenHeader)
{
    const OpenResult opened = libreoffice().Open(kCorpus / NWE "badfile-01-bad-header.doc");
    EXPECT_EQ(opened.document, nullptr);
    EXPECT_EQ(opened.failure, Failure::CouldNotOpen) << opened.detail;
    EXPECT_TRUE(libreoffice().IsObjectValid());
}

} // namespace
} // namespace plainquill::engine::testing
