// Round trips through a real LibreOffice on documents the tests write themselves.
#include "tests/engine/sample_documents.h"
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/test_files.h"
#include "tests/engine/support/tmpfs_mount.h"
#include "tests/support/failure_printer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace plainquill::engine::testing {
namespace {

class LibreOfficeConversion : public WithSharedLibreOffice {};

class LibreOfficeConversionOfEachFormat : public WithSharedLibreOffice,
                               public ::testing::WithParamInterface<std::string> {};

TEST_P(LibreOfficeConversionOfEachFormat, GivesTheExactTextAsUtf8WithLineFeedsAndNothingElse)
{
    const std::string extension = GetParam();
    const auto input = writeSample(libreoffice(), inputFolder(), "sample", extension);
    const auto inputsBefore = fileNames(inputFolder());
    const auto output = outputFolder() / "sample.txt";

    const SaveResult saved = convert(input, output);

    ASSERT_TRUE(saved.ok()) << describe(saved.failure) << ": " << saved.detail;
    // Exact bytes: a byte-order mark, a CR or a wrong code page would all show here.
    EXPECT_EQ(readBytes(output), kSampleText);
    EXPECT_EQ(fileNames(outputFolder()), std::vector<std::string>{"sample.txt"})
        << "no temporary or lock file stays behind";
    EXPECT_EQ(fileNames(inputFolder()), inputsBefore) << "the input folder is left alone";
}

INSTANTIATE_TEST_SUITE_P(Formats, LibreOfficeConversionOfEachFormat,
                         ::testing::Values(".html", ".htm", ".HTML", ".rtf", ".doc", ".docx", ".odt", ".ott",
                                           ".fodt", ".dot", ".dotx", ".dotm", ".docm", ".xml", ".abw"),
                         [](const auto& info) {
                             std::string name = info.param.substr(1);
                             return name == "HTML" ? std::string("html_upper_case") : name;
                         });

// WordPerfect is read by its own import filter: no LibreOffice export makes one, so the sample comes
// from a Debian package's examples (GPL), installed by scripts/install-deps.sh.
TEST_F(LibreOfficeConversion, ReadsAWordPerfectDocumentThroughItsImportFilter)
{
    const std::filesystem::path example = "/usr/share/doc/wp2latex/examples/test5.wp";
    if (!std::filesystem::exists(example))
        GTEST_SKIP() << "no WordPerfect sample: " << example << " comes with the Debian package wp2latex";
    const auto input = inputFolder() / "example.wpd";
    writeBytes(input, readBytes(example));
    const auto output = outputFolder() / "example.txt";

    const SaveResult saved = convert(input, output);

    ASSERT_TRUE(saved.ok()) << describe(saved.failure) << ": " << saved.detail;
    const std::string text = readBytes(output);
    EXPECT_TRUE(text.starts_with("TEST for WP2LaTeX\n")) << text.substr(0, 200);
    EXPECT_NE(text.find("\nPurpose of test file\n"), std::string::npos) << "one line per paragraph";
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.find('\0'), std::string::npos) << "binary read as text";
}

// The kinds only an import filter reads, from real documents (tests/data/other-kinds): each gives
// its text, notes included, where a text filter guessed for the binary would give noise or fail.
TEST_F(LibreOfficeConversion, ReadsRealDocumentsOfEveryImportOnlyKind)
{
    struct Case {
        const char* file;
        const char* start;    // the text begins so
        const char* contains; // and holds this further on
    };
    const Case cases[] = {
        {"wordpro.lwp", "This document is created using Lotus Wordpro release 9.6 for Windows.\n",
         "\n[1] This is a TrueType font\n"},
        {"hangul97-3.0.hwp", "Hello OpenOffice.org!\n\xEC\x95\x88\xEB\x85\x95\xED\x95\x98\xEC\x84\xB8\xEC\x9A\x94", ""},
        {"Pages_4.pages", "Document Liberation link.\n", ""},
        {"Writer6.sxw", "He heard quiet steps behind him.", ""},
        {"Works_4.5.wps", "\n\n\n", ""},
    };
    const std::filesystem::path folder = PLAINQUILL_OTHER_KINDS_DIR;
    for (const Case& c : cases) {
        const auto input = inputFolder() / c.file;
        writeBytes(input, readBytes(folder / c.file));
        const auto output = outputFolder() / "text.txt";

        const SaveResult saved = convert(input, output);

        ASSERT_TRUE(saved.ok()) << c.file << ": " << describe(saved.failure) << ": " << saved.detail;
        const std::string text = readBytes(output);
        EXPECT_TRUE(text.starts_with(c.start)) << c.file << ":\n" << text.substr(0, 300);
        EXPECT_NE(text.find(c.contains), std::string::npos) << c.file << ":\n" << text;
        EXPECT_EQ(text.find('\r'), std::string::npos) << c.file;
    }
}

TEST_F(LibreOfficeConversion, ReplacesAnExistingTextFile)
{
    const auto input = writeSample(libreoffice(), inputFolder(), "sample", ".docx");
    const auto output = outputFolder() / "sample.txt";
    writeBytes(output, std::string(100000, 'x'));

    const SaveResult saved = convert(input, output);

    ASSERT_TRUE(saved.ok()) << saved.detail;
    EXPECT_EQ(readBytes(output), kSampleText);
}

TEST_F(LibreOfficeConversion, HandlesNamesWithSpacesAndNonAsciiCharacters)
{
    const std::string stem = "R\xC3\xA9sum\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 #1 %20";
    const auto input = writeSample(libreoffice(), inputFolder(), stem, ".docx");
    const auto output = outputFolder() / (stem + ".txt");

    const SaveResult saved = convert(input, output);

    ASSERT_TRUE(saved.ok()) << saved.detail;
    EXPECT_EQ(readBytes(output), kSampleText);
    EXPECT_EQ(fileNames(outputFolder()), std::vector<std::string>{stem + ".txt"});
}

TEST_F(LibreOfficeConversion, ConvertsDocumentsWhoseNamesAreNotUtf8)
{
    // Latin-1 names, as copied from old shares: "Résumé" and "Naïve", byte for byte.
    for (const std::string stem : {"R\xE9sum\xE9", "Na\xEFve"}) {
        const auto input = writeSample(libreoffice(), inputFolder(), stem, ".docx");
        const auto output = outputFolder() / (stem + ".txt");

        const SaveResult saved = convert(input, output);

        ASSERT_TRUE(saved.ok()) << saved.detail << " / " << saved.rawDetail;
        EXPECT_EQ(readBytes(output), kSampleText);
    }
    EXPECT_EQ(fileNames(outputFolder()), (std::vector<std::string>{"Na\xEFve.txt", "R\xE9sum\xE9.txt"}));
}

TEST_F(LibreOfficeConversion, ReadsARealDocumentUnderAMisleadingExtension)
{
    const auto odt = writeSample(libreoffice(), inputFolder(), "sample", ".odt");
    const auto renamed = inputFolder() / "sample.doc";
    std::filesystem::rename(odt, renamed);

    const SaveResult saved = convert(renamed, outputFolder() / "sample.txt");

    ASSERT_TRUE(saved.ok()) << saved.detail;
    EXPECT_EQ(readBytes(outputFolder() / "sample.txt"), kSampleText);
}

TEST_F(LibreOfficeConversion, ReadsTaglessHtmlAsHtml)
{
    const auto input = inputFolder() / "note.html";
    writeBytes(input, "first   line\nsecond line");

    const SaveResult saved = convert(input, outputFolder() / "note.txt");

    ASSERT_TRUE(saved.ok()) << saved.detail;
    // HTML rules: white space, line breaks included, collapses to one space.
    EXPECT_EQ(readBytes(outputFolder() / "note.txt"), "first line second line\n");
}

TEST_F(LibreOfficeConversion, SavesOneOpenDocumentToSeveralTargets)
{
    const auto input = writeSample(libreoffice(), inputFolder(), "sample", ".rtf");
    OpenResult opened = libreoffice().Open(input);
    ASSERT_NE(opened.document, nullptr) << opened.detail;
    for (const char* name : {"one.txt", "two.txt"}) {
        const SaveResult saved = libreoffice().SaveAs(*opened.document, outputFolder() / name,
                                                      SaveFormat::Text);
        ASSERT_TRUE(saved.ok()) << saved.detail;
        EXPECT_EQ(readBytes(outputFolder() / name), kSampleText);
    }
    libreoffice().Close(std::move(opened.document));
    EXPECT_TRUE(libreoffice().IsObjectValid());
}

TEST_F(LibreOfficeConversion, AFullDiskFailsTheSaveAndKeepsThePreviousTextWhole)
{
    const auto diskFolder = outputFolder() / "small";
    const TmpfsMount disk(diskFolder, 64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << disk.error() << "); run as root to test a full disk";
    const auto input = inputFolder() / "long.html";
    writeBytes(input, longHtml(400)); // about 130 kB of text: twice what the disk holds
    const auto target = diskFolder / "long.txt";
    const std::string previous = "the previous, complete text\n";
    writeBytes(target, previous);

    const SaveResult saved = convert(input, target);

    EXPECT_EQ(saved.failure, Failure::CouldNotSave);
    EXPECT_NE(saved.detail.find("the disk is full"), std::string::npos) << saved.detail;
    EXPECT_EQ(readBytes(target), previous);
    EXPECT_EQ(fileNames(diskFolder), std::vector<std::string>{"long.txt"}) << "no temporary file is left";

    // The space the failed save took is free again: a text that fits is written whole.
    const auto smallInput = writeSample(libreoffice(), inputFolder(), "sample", ".html");
    ASSERT_TRUE(convert(smallInput, diskFolder / "sample.txt").ok());
    EXPECT_EQ(readBytes(diskFolder / "sample.txt"), kSampleText);
}

struct RefusingTarget {
    const char* name;
    // Prepares `outputFolder` and returns the target to save to; empty when this system cannot.
    std::filesystem::path (*prepare)(const std::filesystem::path& outputFolder);
    const char* says; // the failure's words begin so
};

// Sets or clears the immutable attribute of `file`; false when the file system or the user may not.
bool setImmutable(const std::filesystem::path& file, bool immutable)
{
    return std::system(((immutable ? "chattr +i '" : "chattr -i '") + file.string() + "' 2>/dev/null").c_str()) == 0;
}

void PrintTo(const RefusingTarget& target, std::ostream* out) { *out << target.name; }

class LibreOfficeRefusedSave : public WithSharedLibreOffice,
                                    public ::testing::WithParamInterface<RefusingTarget> {};

TEST_P(LibreOfficeRefusedSave, FailsToSaveAndLeavesTheFolderAsItWas)
{
    const auto input = writeSample(libreoffice(), inputFolder(), "sample", ".docx");
    const auto target = GetParam().prepare(outputFolder());
    if (target.empty())
        GTEST_SKIP() << "this file system or user cannot make a file immutable; run as root on ext4";
    const auto before = fileNames(outputFolder());

    const SaveResult saved = convert(input, target);
    setImmutable(target, false); // for the folder's removal

    EXPECT_EQ(saved.failure, Failure::CouldNotSave);
    EXPECT_TRUE(saved.detail.starts_with(GetParam().says)) << saved.detail;
    EXPECT_EQ(fileNames(outputFolder()), before);
    EXPECT_TRUE(libreoffice().IsObjectValid()) << "a refused save does not harm LibreOffice";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, LibreOfficeRefusedSave,
    ::testing::Values(
        RefusingTarget{"folder_missing",
                       [](const std::filesystem::path& out) { return out / "missing" / "a.txt"; },
                       "the output folder does not exist"},
        RefusingTarget{"parent_is_a_file",
                       [](const std::filesystem::path& out) {
                           writeBytes(out / "file", "x");
                           return out / "file" / "a.txt";
                       },
                       "the output folder does not exist"},
        RefusingTarget{"target_is_a_folder",
                       [](const std::filesystem::path& out) {
                           std::filesystem::create_directory(out / "a.txt");
                           writeBytes(out / "a.txt" / "keep", "x");
                           return out / "a.txt";
                       },
                       "a folder has the name"},
        // The folder takes the new text; only the old text file refuses to go.
        RefusingTarget{"target_is_immutable",
                       [](const std::filesystem::path& out) {
                           writeBytes(out / "a.txt", "the old text");
                           return setImmutable(out / "a.txt", true) ? out / "a.txt" : std::filesystem::path();
                       },
                       "the text file already there cannot be replaced"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace plainquill::engine::testing
