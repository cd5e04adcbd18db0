// Files that must fail to open, cleanly: no document, no prompt, no output, LibreOffice unharmed.
#include "tests/engine/sample_documents.h"
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/document_maker.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/failure_printer.h"

#include <gtest/gtest.h>

#include <random>

namespace plainquill::engine::testing {
namespace {

std::string random_bytes(std::size_t count)
{
    std::mt19937 generator(20240607); // fixed: every run sees the same bytes
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(byte(generator));
    return bytes;
}

struct BadFile {
    const char* name;
    const char* file_name;
    // Writes the bad file (or not, for a missing one) into `folder`.
    void (*write)(WordProcessor& word_processor, const std::filesystem::path& file);
    Failure expected;
};

void PrintTo(const BadFile& bad, std::ostream* out) { *out << bad.name; }

class LibreOfficeBadInput : public WithSharedLibreOffice, public ::testing::WithParamInterface<BadFile> {};

TEST_P(LibreOfficeBadInput, FailsToOpenWithAReasonAndLeavesNothingBehind)
{
    const BadFile& bad = GetParam();
    const auto file = input_folder() / bad.file_name;
    bad.write(libreoffice(), file);
    const auto before = file_names(input_folder());

    const OpenResult opened = libreoffice().Open(file);

    EXPECT_EQ(opened.document, nullptr);
    EXPECT_EQ(opened.failure, bad.expected) << describe(opened.failure) << ": " << opened.detail;
    EXPECT_FALSE(opened.detail.empty());
    for (const char* internal : {"Exception", "0x", "com.sun.star", "URP"})
        EXPECT_EQ(opened.detail.find(internal), std::string::npos) << "for a log, not the window: " << opened.detail;
    EXPECT_EQ(file_names(input_folder()), before) << "no lock or temporary file appears";
    EXPECT_TRUE(libreoffice().IsObjectValid());
}

void write_nothing(WordProcessor&, const std::filesystem::path&) {}
void write_empty(WordProcessor&, const std::filesystem::path& file) { write_bytes(file, ""); }
void write_random(WordProcessor&, const std::filesystem::path& file)
{
    write_bytes(file, random_bytes(20000));
}
void write_text(WordProcessor&, const std::filesystem::path& file)
{
    write_bytes(file, "Just a note,\nrenamed.\n");
}
void write_folder(WordProcessor&, const std::filesystem::path& file)
{
    std::filesystem::create_directory(file);
}
void write_truncated_docx(WordProcessor& word_processor, const std::filesystem::path& file)
{
    const auto whole = write_sample(word_processor, file.parent_path(), "whole", ".docx");
    const std::string bytes = read_bytes(whole);
    std::filesystem::remove(whole);
    write_bytes(file, bytes.substr(0, bytes.size() / 2));
}
void write_damaged_doc(WordProcessor& word_processor, const std::filesystem::path& file)
{
    const auto whole = write_sample(word_processor, file.parent_path(), "whole", ".doc");
    std::string bytes = read_bytes(whole);
    std::filesystem::remove(whole);
    // Keep the OLE signature, wreck the header and the sector tables after it.
    const std::string junk = random_bytes(bytes.size());
    bytes.replace(8, bytes.size() - 8, junk.substr(8));
    write_bytes(file, bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LibreOfficeBadInput,
    ::testing::Values(
        BadFile{"missing", "missing.doc", write_nothing, Failure::CouldNotOpen},
        BadFile{"folder", "folder.doc", write_folder, Failure::CouldNotOpen},
        BadFile{"empty_doc", "empty.doc", write_empty, Failure::NotADocument},
        BadFile{"empty_html", "empty.html", write_empty, Failure::NotADocument},
        BadFile{"random_doc", "random.doc", write_random, Failure::NotADocument},
        BadFile{"random_docx", "random.docx", write_random, Failure::NotADocument},
        BadFile{"random_rtf", "random.rtf", write_random, Failure::NotADocument},
        BadFile{"random_html", "random.html", write_random, Failure::NotADocument},
        BadFile{"text_doc", "note.doc", write_text, Failure::NotADocument},
        BadFile{"text_docx", "note.docx", write_text, Failure::NotADocument},
        BadFile{"text_rtf", "note.rtf", write_text, Failure::NotADocument},
        BadFile{"truncated_docx", "truncated.docx", write_truncated_docx, Failure::CouldNotOpen},
        BadFile{"damaged_doc", "damaged.doc", write_damaged_doc, Failure::CouldNotOpen}),
    [](const auto& info) { return std::string(info.param.name); });

struct Protected {
    const char* extension;
    const char* filter;
};

void PrintTo(const Protected& p, std::ostream* out) { *out << p.extension << " (" << p.filter << ")"; }

class LibreOfficePasswordProtected : public WithSharedLibreOffice,
                          public ::testing::WithParamInterface<Protected> {};

TEST_P(LibreOfficePasswordProtected, FailsToOpenWithoutAskingAndSaysWhy)
{
    const Protected& p = GetParam();
    const auto source = write_sample(libreoffice(), input_folder(), "source", ".rtf");
    const auto file = input_folder() / (std::string("locked") + p.extension);
    make_document(libreoffice(), source, file, p.filter, "Password1234_");
    const auto before = file_names(input_folder());

    // A prompt would wait for an answer until the time limit; the limit would then say TimedOut.
    const OpenResult opened = libreoffice().Open(file);

    EXPECT_EQ(opened.document, nullptr);
    EXPECT_EQ(opened.failure, Failure::CouldNotOpen) << describe(opened.failure);
    EXPECT_TRUE(opened.detail.starts_with("the document is password-protected;")) << opened.detail;
    EXPECT_EQ(file_names(input_folder()), before);
    EXPECT_TRUE(libreoffice().IsObjectValid());
}

INSTANTIATE_TEST_SUITE_P(Formats, LibreOfficePasswordProtected,
                         ::testing::Values(Protected{".docx", "MS Word 2007 XML"},
                                           Protected{".doc", "MS Word 97"},
                                           Protected{".odt", "writer8"}),
                         [](const auto& info) { return std::string(info.param.extension + 1); });

} // namespace
} // namespace plainquill::engine::testing
