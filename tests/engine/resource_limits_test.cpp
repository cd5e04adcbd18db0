// Documents that would take memory or time without bound end cleanly, and the next one converts.
#include "tests/engine/sample_documents.h"
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/processes.h"
#include "tests/engine/support/test_files.h"
#include "tests/engine/support/zip_writer.h"
#include "tests/support/failure_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

namespace plainquill::engine::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
const std::string kParagraph = "<w:p><w:r><w:t>all work and no play makes a dull document</w:t></w:r></w:p>";
constexpr std::uint64_t kParagraphsPerGiB = (std::uint64_t{1} << 30) / 76;
// At about 1.3 kB each in LibreOffice, these paragraphs would need about 2 GB.
constexpr std::uint64_t kBalloonParagraphs = 1'500'000;

// The largest resident size any process mentioning `text` has reached.
std::uint64_t peakResidentBytes(const std::string& text)
{
    std::uint64_t peak = 0;
    for (const pid_t pid : livingProcessesMentioning(text)) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with("VmHWM:"))
                peak = std::max<std::uint64_t>(peak, std::stoull(line.substr(6)) * 1024);
        }
    }
    return peak;
}

class LibreOfficeResourceLimits : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(survivorsUnder(m_scratchParent.path()), std::vector<pid_t>{}); }

    std::unique_ptr<LibreOffice> start(LibreOfficeOptions options)
    {
        LibreOfficeLauncher launcher(std::move(options));
        auto started = launcher.StartLibreOffice();
        EXPECT_NE(started, nullptr) << launcher.lastFailure();
        return started;
    }
    LibreOfficeOptions options(std::chrono::milliseconds timeLimit = 60s, bool archiveLimits = true) const
    {
        LibreOfficeOptions options = optionsUnder(m_scratchParent.path(), timeLimit);
        if (!archiveLimits)
            options.archiveLimits = {~std::uint64_t{0}, ~std::uint64_t{0}};
        return options;
    }

    bool converts(LibreOffice& libreoffice)
    {
        const auto input = writeSample(libreoffice, m_work.path(), "next", ".rtf");
        OpenResult opened = libreoffice.Open(input);
        if (!opened.document)
            return false;
        const SaveResult saved = libreoffice.SaveAs(*opened.document, m_work / "next.txt", SaveFormat::Text);
        libreoffice.Close(std::move(opened.document));
        return saved.ok() && readBytes(m_work / "next.txt") == kSampleText;
    }

    TemporaryFolder m_scratchParent;
    TemporaryFolder m_work;
};

TEST_F(LibreOfficeResourceLimits, AnArchiveDeclaringAHugeExpansionIsRefusedBeforeLibreOfficeReadsIt)
{
    auto libreoffice = start(options());
    ASSERT_NE(libreoffice, nullptr);
    const auto docx = m_work / "bomb.docx";
    writeRepetitiveDocx(docx, kParagraph, kParagraphsPerGiB); // 1 GB of XML in a few MB
    const auto odt = m_work / "bomb.odt";
    const std::string odtParagraph = "<text:p>all work and no play makes a dull document, all in all</text:p>";
    writeRepetitiveOdt(odt, odtParagraph, kParagraphsPerGiB); // the same paragraph's length, the same gigabyte

    for (const auto& bomb : {docx, odt}) {
        ASSERT_LT(std::filesystem::file_size(bomb), 8 * kMiB);
        const auto started = Clock::now();
        const OpenResult opened = libreoffice->Open(bomb);

        EXPECT_LT(Clock::now() - started, 2s) << bomb;
        EXPECT_EQ(opened.document, nullptr) << bomb;
        EXPECT_EQ(opened.failure, Failure::TooLarge) << bomb << ": " << opened.detail;
        EXPECT_TRUE(libreoffice->IsObjectValid()) << "LibreOffice never saw " << bomb;
    }
    EXPECT_TRUE(converts(*libreoffice));
    EXPECT_LT(peakResidentBytes(libreoffice->privateFolder().string()), 500 * kMiB);
}

TEST_F(LibreOfficeResourceLimits, ADocumentThatOutgrowsTheMemoryCapFailsAsTooLargeAndTheNextConverts)
{
    constexpr std::uint64_t kCap = 640 * kMiB;
    LibreOfficeOptions capped = options(120s, false);
    capped.memoryLimit = kCap;
    auto libreoffice = start(capped);
    ASSERT_NE(libreoffice, nullptr);
    const auto balloon = m_work / "balloon.docx";
    writeRepetitiveDocx(balloon, kParagraph, kBalloonParagraphs);

    const auto started = Clock::now();
    OpenResult opened = libreoffice->Open(balloon);
    SaveResult saved{opened.failure, opened.detail};
    if (opened.document) {
        saved = libreoffice->SaveAs(*opened.document, m_work / "balloon.txt", SaveFormat::Text);
        libreoffice->Close(std::move(opened.document));
    }
    const auto took = Clock::now() - started;

    EXPECT_EQ(saved.failure, Failure::TooLarge) << saved.detail;
    EXPECT_FALSE(std::filesystem::exists(m_work / "balloon.txt"));
    EXPECT_LT(took, 60s) << "stopped by its memory, long before its time limit";
    EXPECT_FALSE(libreoffice->IsObjectValid());
    libreoffice->Quit();
    auto fresh = start(capped);
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(converts(*fresh));
}

TEST_F(LibreOfficeResourceLimits, TheTimeLimitCoversADocumentsStepsTogether)
{
    auto libreoffice = start(options());
    ASSERT_NE(libreoffice, nullptr);
    libreoffice->setTimeLimit(2s);
    const auto input = writeSample(*libreoffice, m_work.path(), "sample", ".rtf");
    OpenResult opened = libreoffice->Open(input);
    ASSERT_NE(opened.document, nullptr) << opened.detail;
    // The save alone would take milliseconds; the document's two seconds are spent by then.
    std::this_thread::sleep_for(2100ms);

    const SaveResult saved = libreoffice->SaveAs(*opened.document, m_work / "sample.txt", SaveFormat::Text);
    libreoffice->Close(std::move(opened.document));

    EXPECT_EQ(saved.failure, Failure::TimedOut) << saved.detail;
    EXPECT_FALSE(std::filesystem::exists(m_work / "sample.txt"));
    EXPECT_TRUE(converts(*libreoffice)) << "the next document gets a time limit of its own";
}

TEST_F(LibreOfficeResourceLimits, ADocumentRunningPastItsTimeLimitEndsWithinTwoSecondsOfIt)
{
    constexpr auto kLimit = 4s;
    auto libreoffice = start(options(60s, false));
    ASSERT_NE(libreoffice, nullptr);
    libreoffice->setTimeLimit(kLimit);
    const auto balloon = m_work / "slow.docx";
    writeRepetitiveDocx(balloon, kParagraph, kBalloonParagraphs);

    const auto started = Clock::now();
    const OpenResult opened = libreoffice->Open(balloon);
    const auto took = Clock::now() - started;

    EXPECT_EQ(opened.failure, Failure::TimedOut) << opened.detail;
    EXPECT_GE(took, kLimit);
    EXPECT_LT(took, kLimit + 2s);
}

} // namespace
} // namespace plainquill::engine::testing
