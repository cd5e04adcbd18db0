// The whole run through the window against a real LibreOffice: every kind of input, bad input,
// a word processor killed mid-run, and no process left behind.
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "engine/libreoffice/libreoffice_launcher.h"
#include "engine/standby_workers.h"
#include "tests/engine/sample_documents.h"
#include "tests/engine/support/document_maker.h"
#include "tests/engine/support/processes.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/drop.h"
#include "tests/support/fake_shell.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <thread>

namespace plainquill {
namespace {

namespace fs = std::filesystem;
using engine::LibreOfficeLauncher;
using engine::LibreOfficeOptions;
using engine::testing::TemporaryFolder;
using engine::testing::kSampleText;
using engine::testing::readBytes;
using engine::testing::writeBytes;

const fs::path kCorpus = PLAINQUILL_CORPUS_DIR;

QString q(const fs::path& path) { return QString::fromStdString(path.string()); }

class RunWithLibreOffice : public testing::WithQtApp, public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_documents = std::make_unique<TemporaryFolder>();
        LibreOfficeLauncher maker;
        std::unique_ptr<engine::WordProcessor> libreOffice = maker.Start();
        // Recorded and failed in each test: a failure here would show the tests as skipped.
        if (!libreOffice) {
            s_setUpFailure = "LibreOffice did not start: " + maker.lastFailure();
            return;
        }
        for (const char* extension : {".doc", ".docx", ".rtf", ".htm", ".html"})
            engine::testing::writeSample(*libreOffice, s_documents->path(), "sample", extension);
        libreOffice->Quit();
    }
    static void TearDownTestSuite() { s_documents.reset(); }
    void SetUp() override { ASSERT_EQ(s_setUpFailure, ""); }

    RunWithLibreOffice() { form.control<QLineEdit>("Text1")->setText(q(output.path())); }
    ~RunWithLibreOffice() override
    {
        EXPECT_EQ(engine::testing::livingProcessesMentioning(scratch.path().string()), std::vector<pid_t>{})
            << "a LibreOffice process outlived the run";
    }

    static LibreOfficeOptions optionsUnder(const fs::path& parent)
    {
        LibreOfficeOptions options;
        options.scratchParent = parent;
        options.timeLimit = std::chrono::seconds(60);
        return options;
    }
    fs::path sample(const char* extension) const { return s_documents->path() / (std::string("sample") + extension); }
    // Copies `source` into the input folder as `name` and queues it.
    fs::path queueCopy(const fs::path& source, const std::string& name)
    {
        const fs::path copy = input.path() / name;
        fs::create_directories(copy.parent_path());
        fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
        form.adder().addDropped({q(copy)});
        return copy;
    }
    std::string outputOf(const std::string& name) const
    {
        const fs::path file = output.path() / name;
        return fs::exists(file) ? readBytes(file) : "<missing>";
    }

    static inline std::unique_ptr<TemporaryFolder> s_documents;
    static inline std::string s_setUpFailure;
    TemporaryFolder scratch, input, output;
    testing::FakeShell shell;
    WindowControlFactory factory;
    engine::LauncherFactory libreOffice()
    {
        return [options = optionsUnder(scratch.path())] { return std::make_unique<engine::InterruptibleLibreOffice>(options); };
    }
    std::function<void(int)> onYield;
    int yields = 0;
    Form1 form{{shell, factory, libreOffice(), QString(), [this] {
                    ++yields;
                    if (onYield)
                        onYield(yields);
                }}};
};

TEST_F(RunWithLibreOffice, ConvertsEveryKindOfDocumentToUtf8Text)
{
    queueCopy(sample(".doc"), "one.doc");
    queueCopy(sample(".docx"), "report.final.docx");
    queueCopy(sample(".rtf"), "three.rtf");
    queueCopy(sample(".htm"), "four.htm");
    queueCopy(sample(".html"), "five.html");
    queueCopy(sample(".doc"), "skipped.doc");
    form.queue().setChecked(5, false);
    writeBytes(output.path() / "one.txt", "stale text that must be replaced");
    form.Start_Click();

    EXPECT_TRUE(shell.messages.empty()) << (shell.messages.empty() ? "" : shell.messages[0].text.toStdString());
    for (const char* name : {"one.txt", "report.final.txt", "three.txt", "four.txt", "five.txt"})
        EXPECT_EQ(outputOf(name), kSampleText) << name; // UTF-8, no byte-order mark, LF
    EXPECT_EQ(outputOf("skipped.txt"), "<missing>");
    EXPECT_EQ(form.progressBar().Value(), 5) << "the bar stops at the last checked position";
    EXPECT_EQ(form.progressBar().Color(), 0x00FF00u);
    EXPECT_EQ(engine::testing::fileNames(output.path()),
              (std::vector<std::string>{"five.txt", "four.txt", "one.txt", "report.final.txt", "three.txt"}))
        << "nothing but the text files is left in the output folder";
}

TEST_F(RunWithLibreOffice, DocumentsSharingABaseNameAreAllKeptAndASecondRunRefreshesTheSameFiles)
{
    const fs::path doc = input.path() / "a.doc";
    const fs::path rtf = input.path() / "a.rtf";
    fs::copy_file(sample(".doc"), doc);
    writeBytes(output.path() / "a (2).txt", "from before the run");
    writeBytes(rtf, "");
    form.adder().addDropped({q(doc), q(rtf)});
    for (const int run : {1, 2}) {
        SCOPED_TRACE(run);
        const std::string text = "The RTF one, run " + std::to_string(run) + ".";
        writeBytes(rtf, "{\\rtf1\\ansi {\\fonttbl{\\f0 Arial;}}\\f0 " + text + "\\par}");
        form.Start_Click();
        EXPECT_EQ(outputOf("a.txt"), kSampleText);
        EXPECT_EQ(outputOf("a (2).txt"), text + "\n");
        EXPECT_EQ(engine::testing::fileNames(output.path()), (std::vector<std::string>{"a (2).txt", "a.txt"}));
        ASSERT_EQ(shell.messages.size(), std::size_t(run));
        EXPECT_TRUE(shell.messages.back().text.endsWith(QString::fromUtf8("\na.rtf → a (2).txt")))
            << shell.messages.back().text.toStdString();
    }
}

// Names from an old share in a Latin-1 code page: "résumé.docx", "Übersicht.docx" as bytes.
TEST_F(RunWithLibreOffice, DocumentsWhoseNamesAreNotUtf8ConvertFromTheWindow)
{
    const std::string names[] = {"r\xE9sum\xE9", "\xDC" "bersicht"};
    QByteArray uriList;
    for (const std::string& name : names) {
        const fs::path document = input.path() / (name + ".docx");
        fs::copy_file(sample(".docx"), document);
        uriList += "file://" + QByteArray::fromStdString(document.native()).toPercentEncoding("/") + "\r\n";
    }
    testing::dropUriList(*form.control<QListWidget>("List1")->viewport(), uriList);
    ASSERT_EQ(form.queue().length(), 2);
    EXPECT_EQ(form.queue().rowText(1, 0), QString::fromUtf8("\xEF\xBF\xBD" "bersicht.docx"));
    form.Start_Click();

    EXPECT_TRUE(shell.messages.empty()) << (shell.messages.empty() ? "" : shell.messages[0].text.toStdString());
    for (const std::string& name : names)
        EXPECT_EQ(outputOf(name + ".txt"), kSampleText) << name;
    EXPECT_EQ(engine::testing::fileNames(output.path()).size(), 2u) << "nothing half-named is left";
}

TEST_F(RunWithLibreOffice, ConvertsRealDocumentsFromOtherProjectsTestSuites)
{
    if (!fs::exists(kCorpus))
        GTEST_SKIP() << "no corpus at " << kCorpus;
    struct Case {
        const char* document;
        const char* expected; // normalised text must contain this
    };
    const Case cases[] = {
        {"textract/tests/docx/raw_text.docx", "textract/tests/docx/raw_text.txt"},
        {"textract/tests/doc/raw_text.doc", "textract/tests/doc/raw_text.txt"},
        {"textract/tests/rtf/raw_text.rtf", "textract/tests/rtf/raw_text.txt"},
        {"textract/tests/html/cyrillic_cp1251.html", "textract/tests/html/cyrillic_cp1251.txt"},
        {"node-word-extractor/__tests__/data/test04.doc", nullptr},
    };
    int n = 0;
    for (const Case& c : cases)
        queueCopy(kCorpus / c.document, "c" + std::to_string(n++) + fs::path(c.document).extension().string());
    form.Start_Click();

    EXPECT_TRUE(shell.messages.empty());
    for (int i = 0; i < n; ++i) {
        const std::string text = engine::testing::normalisedLines(outputOf("c" + std::to_string(i) + ".txt"));
        if (cases[i].expected) {
            EXPECT_EQ(text, engine::testing::normalisedLines(readBytes(kCorpus / cases[i].expected)))
                << cases[i].document;
        }
    }
    const std::string accents = outputOf("c4.txt");
    for (const char* word : {"\xC2\xA3", "\xE2\x82\xAC", "Moli\xC3\xA8re", "\xC3\x89" "cole"})
        EXPECT_NE(accents.find(word), std::string::npos) << word;
}

// The window as the program builds it: two workers, both started while the queue is filled, give
// the very bytes one worker gives.
TEST_F(RunWithLibreOffice, TwoWorkersStartedAheadWriteTheSameBytesAsOne)
{
    std::vector<std::string> names;
    for (const char* extension : {".doc", ".docx", ".rtf", ".htm", ".html"})
        names.push_back(queueCopy(sample(extension), std::string("s") + (extension + 1) + extension).filename().string());
    if (fs::exists(kCorpus))
        for (const char* document : {"textract/tests/docx/raw_text.docx", "node-word-extractor/__tests__/data/test04.doc"})
            names.push_back(queueCopy(kCorpus / document, fs::path(document).filename().string()).filename().string());
    form.Start_Click();
    ASSERT_TRUE(shell.messages.empty());

    TemporaryFolder parallel;
    testing::FakeShell answers;
    engine::StandbyWorkers standby(libreOffice());
    Form1 window({answers, factory, standby.launchers(), QString(), [] {}, {}, 2, [&] { standby.warmUp(2); }});
    window.control<QLineEdit>("Text1")->setText(q(parallel.path()));
    for (const std::string& name : names)
        window.adder().addDropped({q(input.path() / name)});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (standby.ready() < 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(standby.ready(), 2) << "both word processors start before Start is pressed";
    window.Start_Click();

    EXPECT_TRUE(answers.messages.empty());
    for (const std::string& name : names) {
        const std::string text = fs::path(name).stem().string() + ".txt";
        EXPECT_EQ(readBytes(parallel.path() / text), outputOf(text)) << name;
    }
}

TEST_F(RunWithLibreOffice, BadInputFailsCleanlyTheRunGoesOnAndTheEndMessageNamesEachFailure)
{
    const fs::path locked = input.path() / "locked.docx";
    {
        LibreOfficeLauncher maker(optionsUnder(scratch.path()));
        auto libreOffice = maker.Start();
        ASSERT_NE(libreOffice, nullptr);
        engine::testing::makeDocument(*libreOffice, sample(".rtf"), locked, "MS Word 2007 XML", "secret");
        libreOffice->Quit();
    }
    form.adder().addDropped({q(locked)});
    writeBytes(input.path() / "noise.doc", std::string(3000, '\x17') + "random bytes, not a document");
    writeBytes(input.path() / "empty.docx", "");
    queueCopy(sample(".docx"), "good.docx");
    form.adder().addDropped({q(input.path() / "noise.doc"), q(input.path() / "empty.docx")});
    const fs::path vanished = queueCopy(sample(".rtf"), "vanished.rtf");
    fs::remove(vanished);
    queueCopy(sample(".html"), "last.html");
    writeBytes(output.path() / "noise.txt", "an earlier good conversion");
    form.Start_Click();

    EXPECT_EQ(outputOf("good.txt"), kSampleText);
    EXPECT_EQ(outputOf("last.txt"), kSampleText);
    EXPECT_EQ(outputOf("locked.txt"), "<missing>");
    EXPECT_EQ(outputOf("empty.txt"), "<missing>");
    EXPECT_EQ(outputOf("vanished.txt"), "<missing>");
    EXPECT_EQ(outputOf("noise.txt"), "an earlier good conversion") << "a failure keeps the earlier file";
    ASSERT_EQ(shell.messages.size(), 1u);
    const QString report = shell.messages[0].text;
    EXPECT_EQ(shell.messages[0].title, QStringLiteral("Plainquill"));
    EXPECT_TRUE(report.startsWith("4 of 6 checked files could not be converted")) << report.toStdString();
    const QString details = shell.messages[0].details; // the message itself names three
    for (const char* name : {"locked.docx: could not open", "noise.doc: not a document", "empty.docx: not a document",
                             "vanished.rtf: could not open"})
        EXPECT_TRUE(details.contains(name)) << name << "\n" << details.toStdString();
}

TEST_F(RunWithLibreOffice, AnUnwritableOutputFolderFailsEachSaveAndSaysSo)
{
    queueCopy(sample(".rtf"), "a.rtf");
    writeBytes(output.path() / "plain-file", "x");
    form.control<QLineEdit>("Text1")->setText(q(output.path() / "plain-file"));
    form.Start_Click(); // a file, not a folder: the validation catches it
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, QStringLiteral("Output folder does not exist. Please try again."));

    const fs::path readOnly = output.path() / "read-only";
    fs::create_directories(readOnly);
    form.control<QLineEdit>("Text1")->setText(q(readOnly));
    onYield = [&](int) { fs::remove_all(readOnly); writeBytes(readOnly, "now a file"); };
    form.Start_Click();
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_TRUE(shell.messages[1].text.contains("a.rtf: could not save")) << shell.messages[1].text.toStdString();
}

TEST_F(RunWithLibreOffice, AWordProcessorKilledDuringARunIsReplacedForTheNextFile)
{
    for (const char* name : {"a.rtf", "b.rtf", "c.rtf"})
        queueCopy(sample(".rtf"), name);
    int killed = 0;
    onYield = [&](int n) {
        if (n != 2)
            return;
        for (pid_t pid : engine::testing::livingProcessesMentioning(scratch.path().string()))
            killed += ::kill(pid, SIGKILL) == 0;
    };
    form.Start_Click();
    EXPECT_GT(killed, 0);

    // The death is noticed before the next file is opened, which then gets a fresh LibreOffice.
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        EXPECT_EQ(outputOf(name), kSampleText) << name;
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(RunWithLibreOffice, AConfirmedCancelKeepsWhatWasWrittenAndQuitsLibreOffice)
{
    for (const char* name : {"a.rtf", "b.rtf", "c.rtf"})
        queueCopy(sample(".rtf"), name);
    onYield = [&](int) {
        if (fs::exists(output.path() / "a.txt") && shell.messages.empty())
            form.Stop_Click();
    };
    shell.answers = {MessageAnswer::Yes};
    form.Start_Click();

    EXPECT_EQ(outputOf("a.txt"), kSampleText);
    EXPECT_EQ(outputOf("c.txt"), "<missing>");
    EXPECT_EQ(form.progressBar().Value(), 0);
    EXPECT_EQ(form.progressBar().Color(), 0xFFFFFFu);
    // The fixture checks that no LibreOffice process is left.
}

TEST_F(RunWithLibreOffice, StopDuringALongDocumentGivesItUpAtOnceAndTheNextRunStartsLibreOfficeAgain)
{
    testing::FakeShell answers;
    Form1* self = nullptr;
    QTimer stopper; // Stop, once, as soon as the title names the document in hand
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (self->windowTitle().startsWith("Converting long.html")) {
            stopper.stop();
            self->Stop_Click();
        }
    });
    Form1 window({answers, factory, libreOffice(), QString(), [&] { stopper.start(20); }});
    self = &window;
    window.control<QLineEdit>("Text1")->setText(q(output.path()));
    writeBytes(input.path() / "long.html", engine::testing::longHtml(3000));
    writeBytes(output.path() / "long.txt", "old text");
    window.adder().addDropped({q(input.path() / "long.html")});
    answers.answers = {MessageAnswer::Yes};
    window.Start_Click();

    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages[0].text, "Do you want to cancel?");
    EXPECT_EQ(answers.messages[1].text, "The run was stopped: 0 files converted, 0 could not be converted, 1 not started.");
    EXPECT_EQ(outputOf("long.txt"), "old text");
    EXPECT_EQ(window.progressBar().Color(), 0xFFFFFFu);
    EXPECT_EQ(engine::testing::livingProcessesMentioning(scratch.path().string()), std::vector<pid_t>{});

    window.queue().ClearQueue();
    fs::copy_file(sample(".rtf"), input.path() / "next.rtf");
    window.adder().addDropped({q(input.path() / "next.rtf")});
    window.Start_Click();
    EXPECT_EQ(outputOf("next.txt"), kSampleText) << "a stopped run keeps no later run from starting";
}

TEST_F(RunWithLibreOffice, WithoutLibreOfficeTheUserIsToldToInstallIt)
{
    LibreOfficeOptions options = optionsUnder(scratch.path());
    options.searchPath = scratch.path().string(); // a PATH without soffice
    testing::FakeShell answers;
    Form1 window({answers, factory, [options] { return std::make_unique<engine::InterruptibleLibreOffice>(options); },
                  QString(), [] {}});
    window.control<QLineEdit>("Text1")->setText(q(output.path()));
    window.adder().addDropped({q(sample(".rtf"))});
    window.Start_Click();

    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(answers.messages[0].text, QStringLiteral("LibreOffice not found. Please install LibreOffice and try again."));
    EXPECT_EQ(outputOf("sample.txt"), "<missing>");
}

} // namespace
} // namespace plainquill
