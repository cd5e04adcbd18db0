#include "engine/libreoffice/document_handover.h"

#include "tests/engine/support/test_files.h"
#include "tests/engine/support/tmpfs_mount.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace plainquill::engine::libreoffice {
namespace {

using testing::readBytes;
using testing::TemporaryFolder;
using testing::writeBytes;

struct HandoverCase {
    const char* label;
    std::string name;     // the document's
    std::string expected; // what LibreOffice is given
};

TEST(DocumentHandover, GivesEachDocumentUnderItsNameOrAPlainOneInThePrivateFolderUntilItIsDone)
{
    const TemporaryFolder documents;
    const TemporaryFolder privateFolder;
    DocumentHandover handover(privateFolder / "documents");
    for (const HandoverCase& test : {HandoverCase{"plain", "letter.rtf", "letter.rtf"},
                                     HandoverCase{"accents", "Brief für Zoë.doc", "Brief für Zoë.doc"},
                                     HandoverCase{"Latin-1", "r\xE9sum\xE9.docx", "document.docx"},
                                     HandoverCase{"Latin-1 ending", "notes.r\xE9", "document"}}) {
        const auto document = documents / test.name;
        writeBytes(document, std::string("text of ") + test.label);
        std::filesystem::path given;
        {
            const HandedOverDocument handed = handover.handOver(document);
            given = handed.path();
            EXPECT_EQ(given.filename(), test.expected) << test.label;
            EXPECT_EQ(given.parent_path().parent_path(), privateFolder / "documents") << test.label;
            EXPECT_EQ(readBytes(given), std::string("text of ") + test.label) << test.label;
        }
        EXPECT_FALSE(std::filesystem::exists(given)) << test.label << ": left behind";
        EXPECT_TRUE(std::filesystem::exists(document)) << test.label << ": the document itself went";
    }
}

TEST(DocumentHandover, LinksOnTheSameFileSystemAndCopiesAcrossThem)
{
    const TemporaryFolder documents;
    const TemporaryFolder privateFolder;
    const testing::TmpfsMount otherDisk(privateFolder / "other", 1 << 20);
    if (!otherDisk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    writeBytes(documents / "a.rtf", "words");
    struct stat original {};
    ::stat((documents / "a.rtf").c_str(), &original);

    DocumentHandover sameDisk(privateFolder / "documents");
    const HandedOverDocument linked = sameDisk.handOver(documents / "a.rtf");
    DocumentHandover across(privateFolder / "other" / "documents");
    const HandedOverDocument copied = across.handOver(documents / "a.rtf");

    struct stat given {};
    ::stat(linked.path().c_str(), &given);
    EXPECT_EQ(given.st_ino, original.st_ino) << "a hard link";
    ::stat(copied.path().c_str(), &given);
    EXPECT_NE(given.st_ino, original.st_ino);
    EXPECT_EQ(readBytes(copied.path()), "words");
}

} // namespace
} // namespace plainquill::engine::libreoffice
