// Files that must fail to open, cleanly: no document, no prompt, no output, LibreOffice unharmed.
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "tests/engine/sample_documents.h"
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/document_maker.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/failure_printer.h"

#include <gtest/gtest.h>

#include <random>

namespace plainquill::engine::testing {
namespace {

std::string randomBytes(std::size_t count)
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
    const char* fileName;
    // Writes the bad file (or not, for a missing one) into `folder`.
    void (*write)(WordProcessor& wordProcessor, const std::filesystem::path& file);
    Failure expected;
};

void PrintTo(const BadFile& bad, std::ostream* out) { *out << bad.name; }

class LibreOfficeBadInput : public WithSharedLibreOffice, public ::testing::WithParamInterface<BadFile> {};

TEST_P(LibreOfficeBadInput, FailsToOpenWithAReasonAndLeavesNothingBehind)
{
    const BadFile& bad = GetParam();
    const auto file = inputFolder() / bad.fileName;
    bad.write(libreoffice(), file);
    const auto before = fileNames(inputFolder());

    const OpenResult opened = libreoffice().Open(file);

    EXPECT_EQ(opened.document, nullptr);
    EXPECT_EQ(opened.failure, bad.expected) << describe(opened.failure) << ": " << opened.detail;
    EXPECT_FALSE(opened.detail.empty());
    for (const char* internal : {"Exception", "0x", "com.sun.star", "URP"})
        EXPECT_EQ(opened.detail.find(internal), std::string::npos) << "for a log, not the window: " << opened.detail;
    EXPECT_EQ(fileNames(inputFolder()), before) << "no lock or temporary file appears";
    EXPECT_TRUE(libreoffice().IsObjectValid());
    // Told alike before any LibreOffice starts, of exactly the files Open refuses unseen.
    const std::optional<OpenResult> unseen = InterruptibleLibreOffice().refusalBeforeStart(file);
    EXPECT_EQ(unseen.has_value(), !opened.reachedWordProcessor);
    if (unseen) {
        EXPECT_EQ(std::pair(unseen->failure, unseen->detail), std::pair(opened.failure, opened.detail));
    }
}

void writeNothing(WordProcessor&, const std::filesystem::path&) {}
void writeEmpty(WordProcessor&, const std::filesystem::path& file) { writeBytes(file, ""); }
void writeRandom(WordProcessor&, const std::filesystem::path& file)
{
    writeBytes(file, randomBytes(20000));
}
void writeText(WordProcessor&, const std::filesystem::path& file)
{
    writeBytes(file, "Just a note,\nrenamed.\n");
}
void writeFolder(WordProcessor&, const std::filesystem::path& file)
{
    std::filesystem::create_directory(file);
}
void writeTruncatedDocx(WordProcessor& wordProcessor, const std::filesystem::path& file)
{
    const auto whole = writeSample(wordProcessor, file.parent_path(), "whole", ".docx");
    const std::string bytes = readBytes(whole);
    std::filesystem::remove(whole);
    writeBytes(file, bytes.substr(0, bytes.size() / 2));
}
void writeDamagedDoc(WordProcessor& wordProcessor, const std::filesystem::path& file)
{
    const auto whole = writeSample(wordProcessor, file.parent_path(), "whole", ".doc");
    std::string bytes = readBytes(whole);
    std::filesystem::remove(whole);
    // Keep the OLE signature, wreck the header and the sector tables after it.
    const std::string junk = randomBytes(bytes.size());
    bytes.replace(8, bytes.size() - 8, junk.substr(8));
    writeBytes(file, bytes);
}

void writeOtherXml(WordProcessor&, const std::filesystem::path& file)
{
    writeBytes(file, "<?xml version=\"1.0\"?>\n<catalog><book id=\"1\"><title>Not a letter</title></book></catalog>\n");
}
// XML that Writer reads as a document of its own, but not as Word 2003 XML.
void writeDocBookXml(WordProcessor&, const std::filesystem::path& file)
{
    writeBytes(file, "<?xml version=\"1.0\"?>\n<!DOCTYPE article PUBLIC \"-//OASIS//DTD DocBook XML V4.1.2//EN\" "
                     "\"http://www.oasis-open.org/docbook/xml/4.1.2/docbookx.dtd\">\n"
                     "<article><title>Title</title><para>A paragraph.</para></article>\n");
}
void writeFlatOdtAsXml(WordProcessor& wordProcessor, const std::filesystem::path& file)
{
    const auto flat = writeSample(wordProcessor, file.parent_path(), "flat", ".fodt");
    std::filesystem::rename(flat, file);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LibreOfficeBadInput,
    ::testing::Values(
        BadFile{"missing", "missing.doc", writeNothing, Failure::CouldNotOpen},
        BadFile{"folder", "folder.doc", writeFolder, Failure::CouldNotOpen},
        BadFile{"empty_doc", "empty.doc", writeEmpty, Failure::NotADocument},
        BadFile{"empty_html", "empty.html", writeEmpty, Failure::NotADocument},
        BadFile{"random_doc", "random.doc", writeRandom, Failure::NotADocument},
        BadFile{"random_docx", "random.docx", writeRandom, Failure::NotADocument},
        BadFile{"random_rtf", "random.rtf", writeRandom, Failure::NotADocument},
        BadFile{"random_html", "random.html", writeRandom, Failure::NotADocument},
        BadFile{"text_doc", "note.doc", writeText, Failure::NotADocument},
        BadFile{"text_docx", "note.docx", writeText, Failure::NotADocument},
        BadFile{"text_rtf", "note.rtf", writeText, Failure::NotADocument},
        BadFile{"truncated_docx", "truncated.docx", writeTruncatedDocx, Failure::CouldNotOpen},
        BadFile{"damaged_doc", "damaged.doc", writeDamagedDoc, Failure::CouldNotOpen},
        BadFile{"random_hwp", "random.hwp", writeRandom, Failure::NotADocument},
        BadFile{"text_lwp", "note.lwp", writeText, Failure::NotADocument},
        BadFile{"other_xml", "catalog.xml", writeOtherXml, Failure::NotADocument},
        BadFile{"docbook_xml", "article.xml", writeDocBookXml, Failure::NotADocument},
        BadFile{"flat_odt_xml", "flat.xml", writeFlatOdtAsXml, Failure::NotADocument}),
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
    const auto source = writeSample(libreoffice(), inputFolder(), "source", ".rtf");
    const auto file = inputFolder() / (std::string("locked") + p.extension);
    makeDocument(libreoffice(), source, file, p.filter, "Password1234_");
    const auto before = fileNames(inputFolder());

    // A prompt would wait for an answer until the time limit; the limit would then say TimedOut.
    const OpenResult opened = libreoffice().Open(file);

    EXPECT_EQ(opened.document, nullptr);
    EXPECT_EQ(opened.failure, Failure::CouldNotOpen) << describe(opened.failure);
    EXPECT_TRUE(opened.detail.starts_with("the document is password-protected;")) << opened.detail;
    EXPECT_TRUE(opened.reachedWordProcessor) << "refused by LibreOffice itself, so it counts";
    EXPECT_EQ(fileNames(inputFolder()), before);
    EXPECT_TRUE(libreoffice().IsObjectValid());
}

INSTANTIATE_TEST_SUITE_P(Formats, LibreOfficePasswordProtected,
                         ::testing::Values(Protected{".docx", "MS Word 2007 XML"},
                                           Protected{".doc", "MS Word 97"},
                                           Protected{".odt", "writer8"}),
                         [](const auto& info) { return std::string(info.param.extension + 1); });

} // namespace
} // namespace plainquill::engine::testing
