// plainquill-batch run as a user runs it, against a real LibreOffice on real documents.
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "tests/engine/support/processes.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/child_process.h"
#include "tests/support/fake_shell.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>

#include <csignal>
#include <cstdlib>
#include <map>
#include <thread>

namespace plainquill {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using engine::testing::TemporaryFolder;
using engine::testing::readBytes;

const fs::path kCorpus = PLAINQUILL_CORPUS_DIR;
const fs::path kWordData = kCorpus / "node-word-extractor/__tests__/data";

struct Finished {
    int status = -1;
    std::string output; // standard output and error together
};

// Every file below `folder` by its relative path, with its bytes; the command's manifests, which
// the window does not keep, left out.
std::map<std::string, std::string> tree(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && !entry.path().filename().string().starts_with(".plainquill-manifest"))
            files[entry.path().lexically_relative(folder).string()] = readBytes(entry.path());
    return files;
}

std::vector<std::string> reportLinesWith(const fs::path& report, const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(readBytes(report));
    for (std::string line; std::getline(in, line);)
        if (line.find(text) != std::string::npos)
            lines.push_back(line);
    return lines;
}

class BatchWithLibreOffice : public testing::WithQtApp, public ::testing::Test {
protected:
    // Every LibreOffice the command starts has its private folder, and so its command line, here.
    BatchWithLibreOffice() { ::setenv("TMPDIR", scratch.path().c_str(), 1); }
    ~BatchWithLibreOffice() override
    {
        ::unsetenv("TMPDIR");
        EXPECT_EQ(engine::testing::livingProcessesMentioning(scratch.path().string()), std::vector<pid_t>{})
            << "a LibreOffice process outlived the command";
    }

    static std::unique_ptr<testing::ChildProcess> start(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> command{"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", PLAINQUILL_BATCH_PROGRAM};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return std::make_unique<testing::ChildProcess>(command);
    }
    static Finished finish(testing::ChildProcess& child, std::string output = {})
    {
        while (const auto line = child.readLine(120s))
            output += *line + '\n';
        const auto status = child.waitForExit(10s);
        return {status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1, output};
    }
    static Finished run(const std::vector<std::string>& arguments) { return finish(*start(arguments)); }

    // Runs forty copies of one long document through `workers` workers and calls `midway` once
    // the first has been converted.
    Finished runInterrupted(const char* workers, const std::function<void(pid_t batch)>& midway)
    {
        std::vector<std::string> arguments{"-v", "-j", workers, "--report", report.string(), "-o", output.path().string()};
        // Copies: one file named forty times is queued once.
        for (int i = 0; i < 40; ++i) {
            const fs::path copy = input.path() / ("big" + std::to_string(i) + ".doc");
            fs::copy_file(kWordData / "bigfile-01.doc", copy, fs::copy_options::overwrite_existing);
            arguments.push_back(copy.string());
        }
        const auto child = start(arguments);
        std::string seen;
        while (const auto line = child->readLine(120s)) {
            seen += *line + '\n';
            if (line->starts_with("[1/")) {
                midway(child->pid());
                break;
            }
        }
        return finish(*child, seen);
    }

    TemporaryFolder scratch, input, output;
    const fs::path report = scratch.path() / "report.csv";
};

TEST_F(BatchWithLibreOffice, WritesWhatTheWindowWritesWithOneWorkerOrThree)
{
    const fs::path folder = kCorpus / "textract/tests";
    const fs::path doc = kWordData / "test01.doc", docx = kWordData / "test01.docx";
    TemporaryFolder byWindow;
    {
        testing::FakeShell shell;
        WindowControlFactory factory;
        Form1 form({shell, factory, [] { return std::make_unique<engine::InterruptibleLibreOffice>(); }, QString(),
                    [] {}});
        form.control<QCheckBox>("Check2")->setChecked(true);
        form.control<QLineEdit>("Text1")->setText(QString::fromStdString(byWindow.path().string()));
        form.adder().addDropped(std::vector<fs::path>{folder, doc, docx});
        form.Start_Click();
    }
    const auto expected = tree(byWindow.path());
    ASSERT_TRUE(expected.contains("raw_text (4).txt") && expected.contains("test01 (2).txt")) << "names collide";
    for (const char* workers : {"1", "3"}) {
        TemporaryFolder out;
        const Finished batch = run({"-r", "-j", workers, "-o", out.path(), folder, doc, docx});
        EXPECT_EQ(batch.status, 0) << batch.output;
        EXPECT_EQ(tree(out.path()), expected) << "-j " << workers;
    }
}

TEST_F(BatchWithLibreOffice, KeepsTheTreeAndOnAResumedRunConvertsOnlyWhatIsMissingOrOutOfDate)
{
    for (const auto& [from, to] : {std::pair{"textract/tests/rtf/raw_text.rtf", "a/x.rtf"},
                                  {"textract/tests/html/tables.html", "b/x.html"},
                                  {"node-word-extractor/__tests__/data/test04.doc", "top.doc"}}) {
        fs::create_directories((input.path() / to).parent_path());
        fs::copy_file(kCorpus / from, input.path() / to);
    }
    const std::vector<std::string> keepTree{"--keep-tree", "-r", "-j", "2", "-o", output.path(), input.path()};
    const Finished first = run(keepTree);
    ASSERT_EQ(first.status, 0) << first.output;
    const auto converted = tree(output.path());
    ASSERT_EQ(converted.size(), 3u);
    for (const char* name : {"a/x.txt", "b/x.txt", "top.txt"})
        EXPECT_TRUE(converted.contains(name)) << name << " in\n" << first.output;

    fs::remove(output.path() / "b/x.txt");
    fs::last_write_time(input.path() / "top.doc", fs::last_write_time(output.path() / "top.txt") + 1s);
    const auto untouched = fs::last_write_time(output.path() / "a/x.txt");
    std::vector<std::string> resume = keepTree;
    resume.insert(resume.begin(), {"--skip-existing", "--report", report});
    const Finished second = run(resume);
    EXPECT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(tree(output.path()), converted);
    EXPECT_EQ(fs::last_write_time(output.path() / "a/x.txt"), untouched);
    EXPECT_EQ(reportLinesWith(report, ",skipped,").size(), 1u);
    EXPECT_EQ(reportLinesWith(report, "a/x.rtf").at(0).find(",skipped,") != std::string::npos, true);
    EXPECT_EQ(reportLinesWith(report, ",converted,").size(), 2u);
}

TEST_F(BatchWithLibreOffice, OnAResumedRunADocumentQueuedAheadOfAnotherOfItsNameTakesItsNameAndBothAreConverted)
{
    fs::copy_file(kWordData / "test03.docx", input.path() / "a.docx");
    const Finished first = run({"-o", output.path(), input.path() / "a.docx"});
    ASSERT_EQ(first.status, 0) << first.output;
    const std::string docxText = readBytes(output.path() / "a.txt");

    // An archive copied with its times: older than the texts already there.
    fs::copy_file(kWordData / "test04.doc", input.path() / "a.doc");
    fs::last_write_time(input.path() / "a.doc", fs::last_write_time(output.path() / "a.txt") - 1h);
    const Finished second = run({"--skip-existing", "-r", "-j", "2", "--report", report, "-o", output.path(),
                                 input.path()});
    EXPECT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(readBytes(output.path() / "a (2).txt"), docxText);
    EXPECT_NE(readBytes(output.path() / "a.txt"), docxText) << "a.txt still holds a.docx's text";
    EXPECT_NE(readBytes(output.path() / "a.txt").find("Molière"), std::string::npos) << readBytes(output.path() / "a.txt");
    EXPECT_EQ(reportLinesWith(report, ",converted,").size(), 2u) << readBytes(report);
}

TEST_F(BatchWithLibreOffice, ListsEachFailureWithItsReasonAndExitsOne)
{
    const fs::path good = input.path() / "a, \"quoted\".rtf";
    fs::copy_file(kCorpus / "textract/tests/rtf/raw_text.rtf", good);
    fs::copy_file(kWordData / "badfile-01-bad-header.doc", input.path() / "broken.doc");
    engine::testing::writeBytes(input.path() / "empty.docx", "");
    const Finished batch = run({"-j", "2", "--report", report, "-o", output.path(), input.path()});
    EXPECT_EQ(batch.status, 1) << batch.output;
    for (const char* says : {"2 of 3 documents could not be converted", "broken.doc: could not open",
                             "empty.docx: not a document (the file is empty)"})
        EXPECT_NE(batch.output.find(says), std::string::npos) << says << " in\n" << batch.output;
    EXPECT_EQ(reportLinesWith(report, ",failed,").size(), 2u);
    const auto convertedRows = reportLinesWith(report, ",converted,");
    ASSERT_EQ(convertedRows.size(), 1u);
    const std::string quoted = "a, \"\"quoted\"\".";
    EXPECT_TRUE(convertedRows[0].starts_with("\"" + (input.path() / quoted).string() + "rtf\",\"" +
                                             (output.path() / quoted).string() + "txt\",converted,,"))
        << convertedRows[0];
}

TEST_F(BatchWithLibreOffice, WithoutLibreOfficeOrWithABadCommandLineExitsTwoAndSaysWhy)
{
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* says;
    } cases[] = {
        {{"--libreoffice", "/nonexistent/soffice", "-o", output.path(), kWordData / "test01.doc"}, 2,
         "LibreOffice (/nonexistent/soffice) was not found"},
        {{"--libreoffice", "/bin/false", "-j", "2", "-o", output.path(), kWordData / "test01.doc"}, 2,
         "LibreOffice could not be started"},
        {{"-j", "many", "-o", output.path(), "a.doc"}, 2, "-j takes a number"},
        {{"--help"}, 0, "--skip-existing"},
    };
    for (const auto& c : cases) {
        const Finished batch = run(c.arguments);
        EXPECT_EQ(batch.status, c.status) << batch.output;
        EXPECT_NE(batch.output.find(c.says), std::string::npos) << batch.output;
    }
    EXPECT_TRUE(fs::is_empty(output.path()));
}

// Progress and a summary nobody reads are no failure: with a report asked for, the run goes on to
// the end, and its status is the documents'.
TEST_F(BatchWithLibreOffice, ARunWhoseOutputNobodyReadsEndsWithTheDocumentsStatus)
{
    const std::vector<std::string> command{
        "/bin/sh", "-c", "exec 3>&1; { \"$0\" \"$@\" 2>&1; echo \"status $?\" >&3; } | head -c1 >/dev/null",
        PLAINQUILL_BATCH_PROGRAM, "--report", report.string(), "-o", output.path().string(),
        (kCorpus / "textract/tests/rtf/raw_text.rtf").string(), (kCorpus / "textract/tests/docx/raw_text.docx").string()};
    testing::ChildProcess batch(command);
    const Finished finished = finish(batch);
    EXPECT_EQ(finished.output, "status 0\n");
    EXPECT_EQ(reportLinesWith(report, ",converted,").size(), 2u);
}

TEST_F(BatchWithLibreOffice, AStopSignalEndsTheRunAtOnceLeavingNoProcessAndNoPartialText)
{
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}, {SIGPIPE, 141}}) {
        SCOPED_TRACE(signal);
        fs::remove_all(output.path());
        const Finished batch = runInterrupted("2", [signal](pid_t batch) { ::kill(batch, signal); });
        EXPECT_EQ(batch.status, status) << batch.output;
        const auto texts = tree(output.path());
        EXPECT_LT(texts.size(), 40u) << "stopped before the end";
        EXPECT_EQ(reportLinesWith(report, ",converted,").size(), texts.size());
        EXPECT_EQ(reportLinesWith(report, ",not done,").size(), 40 - texts.size());
        // Any of them may have been the one in hand when the signal came, the first included.
        ASSERT_FALSE(texts.empty());
        for (const auto& [name, text] : texts) {
            EXPECT_FALSE(name.starts_with('.')) << "a temporary file is left: " << name;
            EXPECT_EQ(text, texts.begin()->second) << name << " is cut short";
        }
    }
}

TEST_F(BatchWithLibreOffice, AKilledWorkerLibreOfficeIsReplacedAndEveryDocumentIsConverted)
{
    // One worker: its LibreOffice has surely converted a document when it is killed, rather than
    // still starting, as a second one might be.
    int killed = 0;
    const Finished batch = runInterrupted("1", [&](pid_t) {
        // Looked for a while: on a busy machine the scan may fall between two of LibreOffice's
        // processes (its launcher restarts soffice.bin once on a fresh profile).
        for (const auto giveUp = std::chrono::steady_clock::now() + 10s; killed == 0 && std::chrono::steady_clock::now() < giveUp;
             std::this_thread::sleep_for(20ms))
            for (const pid_t pid : engine::testing::livingProcessesMentioning(scratch.path().string()))
                if (readBytes("/proc/" + std::to_string(pid) + "/cmdline").find("soffice.bin") != std::string::npos)
                    if (killed == 0 && ::kill(pid, SIGKILL) == 0)
                        ++killed;
    });
    ASSERT_EQ(killed, 1) << batch.output;
    // The document in hand is tried again on the fresh LibreOffice; LibreOffice's own rare crashes
    // under load are met the same way, so nothing is lost and more starts than two are no fault.
    EXPECT_NE(batch.output.find("40 of 40 documents converted"), std::string::npos) << batch.output;
    EXPECT_EQ(batch.output.find("LibreOffice started 1 time"), std::string::npos) << batch.output;
    EXPECT_EQ(reportLinesWith(report, ",converted,").size(), 40u) << batch.output << readBytes(report);
    EXPECT_EQ(batch.status, 0) << batch.output;
    EXPECT_EQ(tree(output.path()).size(), 40u) << batch.output;
}

// `text` with typographic quotes and dashes as the snapshots write them: straight, and hyphens.
std::string plainPunctuation(std::string text)
{
    const std::pair<std::string_view, char> marks[] = {{"\u2018", '\''}, {"\u2019", '\''}, {"\u201C", '"'},
                                                       {"\u201D", '"'}, {"\u2013", '-'}, {"\u2014", '-'}};
    for (const auto& [typographic, plain] : marks)
        for (std::size_t at; (at = text.find(typographic)) != std::string::npos;)
            text.replace(at, typographic.size(), 1, plain);
    return text;
}

// The non-empty lines of `part`, without their leading and trailing blanks.
std::vector<std::string> linesOf(const QString& part)
{
    std::vector<std::string> lines;
    for (const QString& line : part.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines.push_back(plainPunctuation(line.trimmed().toStdString()));
    return lines;
}

TEST_F(BatchWithLibreOffice, TheCorpusNotesAndTextBoxesAreInTheTextAndTheOptionalPartsComeWhenAsked)
{
    const struct {
        const char* stem;
        std::vector<const char*> always;   // in the text by default
        std::vector<const char*> included; // in the text only with --include all
    } cases[] = {
        {"test06", {}, {"headerTextboxes"}},
        {"test07", {"footnotes"}, {}},
        {"test10", {}, {"annotations"}},
        {"test13", {"footnotes", "endnotes"}, {}},
        {"test16", {"textboxes"}, {"headerTextboxes"}},
    };
    const fs::path expected = kCorpus / "node-word-extractor/_derived_expected_text";
    for (const bool include : {false, true}) {
        for (const std::string ending : {".doc", ".docx"}) {
            TemporaryFolder out;
            std::vector<std::string> arguments{"-q", "-o", out.path()};
            if (include)
                arguments.insert(arguments.end(), {"--include", "all"});
            for (const auto& c : cases)
                arguments.push_back(kWordData / (c.stem + ending));
            const Finished batch = run(arguments);
            ASSERT_EQ(batch.status, 0) << batch.output;
            for (const auto& c : cases) {
                SCOPED_TRACE(c.stem + ending + (include ? " --include all" : ""));
                const std::string text = plainPunctuation(readBytes(out.path() / (c.stem + std::string(".txt"))));
                const std::string body = plainPunctuation(readBytes(expected / (c.stem + std::string(".doc.body.txt"))));
                const QJsonObject parts = QJsonDocument::fromJson(QByteArray::fromStdString(
                    readBytes(expected / (c.stem + std::string(".doc.other-parts.json"))))).object();
                // Notes come after the body, in order; a box's place is after its anchor.
                const std::size_t bodyEnd = text.find(linesOf(QString::fromStdString(body)).back());
                const auto expectIn = [&](const char* part, bool wanted) {
                    const bool notes = std::string(part).ends_with("notes");
                    std::size_t from = notes ? bodyEnd : 0;
                    for (const std::string& line : linesOf(parts.value(QLatin1String(part)).toString())) {
                        const std::size_t at = text.find(line, from);
                        if (wanted) {
                            EXPECT_NE(at, std::string::npos) << part << ": " << line << " in\n" << text;
                        } else if (body.find(line) == std::string::npos) { // what the body has is there anyway
                            EXPECT_EQ(at, std::string::npos) << part << ": " << line << " in\n" << text;
                        }
                        if (notes && at != std::string::npos)
                            from = at;
                    }
                };
                for (const char* part : c.always)
                    expectIn(part, true);
                for (const char* part : c.included)
                    expectIn(part, include);
            }
        }
    }
}

} // namespace
} // namespace plainquill
