// The run's control flow, with a scripted word processor. The real one is exercised in
// conversion_libreoffice_test.cpp.
#include "app/run/failure_report.h"
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/native_path.h"
#include "engine/output_folder_lock.h"
#include "engine/word_processor_session.h"
#include "platform/host/host_widget.h"
#include "tests/support/drop.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_word_processor.h"
#include "tests/support/fake_workers.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <optional>
#include <stdexcept>
#include <chrono>
#include <thread>

namespace plainquill {
namespace {

using engine::Failure;
using testing::FakeLauncher;
using testing::FakeShell;
using testing::TempTree;

class ConversionRunTest : public testing::WithQtApp, public ::testing::Test {
protected:
    ConversionRunTest()
    {
        output = tree.folder("out");
        form.control<QLineEdit>("Text1")->setText(output);
    }

    QString queue(const QString& relative, const QByteArray& content = "text")
    {
        const QString path = tree.file(relative, content);
        form.adder().addDropped({path});
        return path;
    }
    QByteArray outputText(const QString& name)
    {
        QFile file(output + "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // The texts saved in the output folder, in order: the run saves each under a hidden name
    // reserved beside it (".a.txt.plainquill-....tmp") and moves it into place after.
    std::vector<std::string> savedTexts() const
    {
        std::vector<std::string> names;
        for (const std::filesystem::path saved : wordProcessor.log.saved) {
            const std::string name = saved.filename().string();
            if (saved.parent_path() == output.toStdString() && name.starts_with('.'))
                names.push_back(name.substr(1, name.rfind(".plainquill-") - 1));
        }
        return names;
    }
    contracts::ProgressFace& bar() { return form.progressBar(); }
    contracts::ButtonFace& start() { return form.startButton(); }
    contracts::ButtonFace& stop() { return form.stopButton(); }
    QLineEdit& Text1() { return *form.control<QLineEdit>("Text1"); }
    QLineEdit& Text2() { return *form.control<QLineEdit>("Text2"); }
    std::vector<QString> messageTexts() const
    {
        std::vector<QString> texts;
        for (const auto& m : shell.messages)
            texts.push_back(m.text);
        return texts;
    }

    TempTree tree;
    QString output;
    FakeShell shell;
    WindowControlFactory factory;
    FakeLauncher wordProcessor;
    int yields = 0;
    std::function<void(int)> onYield; // called with the yield's number, from 1
    Form1 form{{shell, factory, wordProcessor.factory(), QString(), [this] {
                    ++yields;
                    if (onYield)
                        onYield(yields);
                }}};
};

TEST_F(ConversionRunTest, ValidatesInOrderAfterSettingMax)
{
    struct Case {
        const char* name;
        bool queued;
        const char* source;
        const char* outputFolder; // "<out>" for an existing one
        const char* message;
    };
    const Case cases[] = {
        {"nothing at all", false, "", "", " Please add at least one file to convert."},
        {"nothing queued, no output", false, "", "<out>", " Please add at least one file to convert."},
        {"source but no output", false, "/src", "", " Please select output folder."},
        {"source, output, empty queue", false, "/src", "<out>", " No  files to convert. Please try again."},
        {"queued, no output", true, "", "", " Please select output folder."},
        {"queued, output missing", true, "", "/no/such/folder", "Output folder does not exist. Please try again."},
    };
    for (const Case& c : cases) {
        FakeShell answers;
        WindowControlFactory controls;
        FakeLauncher launcher;
        Form1 window({answers, controls, launcher.factory(), QString(), [] {}});
        if (c.queued)
            window.adder().addDropped({tree.file("a.doc")});
        window.control<QLineEdit>("Text2")->setText(c.source);
        window.control<QLineEdit>("Text1")->setText(QString(c.outputFolder).replace("<out>", output));
        window.progressBar().SetMax(77);
        window.Start_Click();

        ASSERT_EQ(answers.messages.size(), 1u) << c.name;
        EXPECT_EQ(answers.messages[0].text, QString(c.message)) << c.name;
        EXPECT_EQ(answers.messages[0].title, QStringLiteral("Error")) << c.name;
        EXPECT_EQ(answers.messages[0].icon, MessageIcon::Information) << c.name;
        EXPECT_EQ(window.progressBar().Max(), c.queued ? 1 : 0) << c.name;
        EXPECT_EQ(launcher.log.started, 0) << c.name;
    }
}

TEST_F(ConversionRunTest, AMissingWordProcessorIsReportedAndNothingIsConverted)
{
    queue("a.doc");
    wordProcessor.script.startable = false;
    form.Start_Click();

    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(shell.messages[0].title, QStringLiteral("Plainquill 1.0"));
    EXPECT_EQ(shell.messages[0].text, QStringLiteral("LibreOffice not found. Please install LibreOffice and try again."));
    EXPECT_EQ(outputText("a.txt"), QByteArray("<missing>"));
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
}

TEST_F(ConversionRunTest, AWordProcessorThatIsInstalledButCannotStartSaysWhy)
{
    queue("a.doc");
    wordProcessor.script.startable = false;
    wordProcessor.script.startFailure = {true, "the temporary folder /t cannot be written to", "raw: EROFS"};
    form.Start_Click();

    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(shell.messages[0].text,
              QStringLiteral("LibreOffice could not be started: the temporary folder /t cannot be written to"));
    EXPECT_EQ(outputText("a.txt"), QByteArray("<missing>"));
}

TEST_F(ConversionRunTest, ConvertsEveryCheckedFileInQueueOrderAndEndsIdle)
{
    queue("docs/one.doc", "1");
    queue("docs/report.final.docx", "2");
    queue("docs/three.rtf", "3");
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.opened.size(), 3u);
    EXPECT_EQ(savedTexts(), (std::vector<std::string>{"one.txt", "report.final.txt", "three.txt"}));
    EXPECT_EQ(outputText("report.final.txt"), QByteArray("2"));
    EXPECT_EQ(bar().Max(), 3);
    EXPECT_EQ(bar().Value(), 3);
    EXPECT_EQ(bar().Color(), 0x00FF00u);
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(wordProcessor.log.started, 1);
    EXPECT_EQ(wordProcessor.log.quits, 1);
    EXPECT_EQ(wordProcessor.log.closes, 3);
}

TEST_F(ConversionRunTest, SkipsUncheckedRowsAndTheBarCountsQueuePositions)
{
    queue("a.doc");
    queue("b.doc");
    queue("c.doc");
    form.queue().setChecked(2, false);
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.opened.size(), 2u);
    EXPECT_EQ(bar().Value(), 2) << "the bar stops at the last checked row's position";
    EXPECT_EQ(outputText("c.txt"), QByteArray("<missing>"));
}

TEST_F(ConversionRunTest, TheWindowKeepsWorkingAndNamesTheDocumentWhileItConverts)
{
    queue("sub/report.doc");
    // The fake waits, on the worker thread, until the window's own thread has seen the title:
    // a run that blocked the window's thread would never get there.
    std::atomic<bool> opening = false;
    std::atomic<bool> seen = false;
    QString titleDuring;
    QTimer peek;
    QObject::connect(&peek, &QTimer::timeout, [&] {
        if (!opening || seen || !form.windowTitle().startsWith("Converting"))
            return; // the title while the document converts, once the run has seen it in hand
        titleDuring = form.windowTitle();
        seen = true;
    });
    peek.start(1);
    bool windowThreadRan = false;
    wordProcessor.script.duringOpen = [&](const std::string&) {
        opening = true;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!seen && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        windowThreadRan = seen;
    };
    form.Start_Click();

    EXPECT_TRUE(windowThreadRan);
    EXPECT_EQ(titleDuring, "Converting report.doc - Plainquill 1.0");
    EXPECT_EQ(form.windowTitle(), "Plainquill 1.0");
    EXPECT_EQ(outputText("report.txt"), "text");
}

// Workers finish out of order: the bar counts every document done, and the title names the
// earliest one still in hand.
TEST_F(ConversionRunTest, WithTwoWorkersTheBarCountsEveryDocumentDoneAndTheTitleNamesTheEarliestInHand)
{
    testing::FakeWorkerFarm farm;
    FakeShell answers;
    WindowControlFactory controls;
    std::optional<int> valueWhileHeld;
    QString titleWhileHeld;
    Form1* self = nullptr;
    Form1 window({answers, controls, farm.factory(), QString(),
                  [&] {
                      if (valueWhileHeld || !QFileInfo::exists(output + "/c.txt"))
                          return;
                      valueWhileHeld = self->progressBar().Value();
                      titleWhileHeld = self->windowTitle();
                      farm.releaseDocuments();
                  },
                  {}, 2});
    self = &window;
    window.control<QLineEdit>("Text1")->setText(output);
    for (const char* name : {"a.doc", "b.doc", "c.doc"})
        window.adder().addDropped({tree.file(name, name)});
    farm.holdDocument("a.doc");
    window.Start_Click();

    ASSERT_TRUE(valueWhileHeld);
    EXPECT_EQ(*valueWhileHeld, 2) << "b and c were done, a was not";
    EXPECT_EQ(titleWhileHeld, "Converting a.doc - Plainquill 1.0");
    EXPECT_EQ(window.progressBar().Value(), 3);
    EXPECT_EQ(farm.starts(), 2);
    EXPECT_EQ(farm.living(), 0);
    for (const char* name : {"a", "b", "c"})
        EXPECT_EQ(outputText(QString(name) + ".txt"), QByteArray(name) + ".doc");
    EXPECT_TRUE(answers.messages.empty());
}

// LibreOffice is started ahead once there is something to convert, and again after a run, whose
// own word processors quit with it; an add that brings nothing asks for none.
TEST_F(ConversionRunTest, AWordProcessorIsAskedForAheadWhenDocumentsAreQueuedAndAfterEachRun)
{
    int asked = 0;
    FakeShell answers;
    WindowControlFactory controls;
    Form1 window({answers, controls, wordProcessor.factory(), QString(), [] {}, {}, 1, [&] { ++asked; }});
    window.control<QLineEdit>("Text1")->setText(output);
    testing::dropFiles(*window.control<QListWidget>("List1")->viewport(), {tree.folder("empty")});
    EXPECT_EQ(asked, 0);
    window.adder().addDropped({tree.file("a.doc"), tree.file("b.doc")});
    EXPECT_EQ(asked, 1) << "one add, one request, however many files";
    window.Start_Click();
    EXPECT_EQ(asked, 2);
    window.queue().ClearQueue();
    EXPECT_EQ(asked, 2);
}

// A batch run and a window run into one folder would overwrite each other's texts: a run that finds
// the folder held says by whom and does not begin; one that begins holds it until its texts are
// written.
TEST_F(ConversionRunTest, TheOutputFolderIsTheRunsAloneOrTheRunDoesNotBegin)
{
    queue("a.doc");
    const std::filesystem::path folder = pathFromText(output);
    std::string holder;
    {
        const auto other = OutputFolderLock::take(folder, {}, "plainquill-batch", holder);
        form.Start_Click();
    }
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(shell.messages[0].text, QStringLiteral("Output folder is in use by process %1: plainquill-batch. Please "
                                                     "wait for that run to end or choose another folder.")
                                          .arg(::getpid()));
    EXPECT_EQ(outputText("a.txt"), QByteArray("<missing>"));

    wordProcessor.script.duringOpen = [&](const std::string&) {
        EXPECT_FALSE(OutputFolderLock::take(folder, {}, "another run", holder));
    };
    form.Start_Click();
    EXPECT_EQ(holder, "process " + std::to_string(::getpid()) + ": the Plainquill window");
    EXPECT_EQ(outputText("a.txt"), QByteArray("text"));
    EXPECT_TRUE(OutputFolderLock::take(folder, {}, "the next run", holder));
}

TEST_F(ConversionRunTest, NoCheckedRowConvertsNothingAndStartsNoWordProcessor)
{
    queue("a.doc");
    form.queue().setAllChecked(false);
    bar().SetColor(0x123456);
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.started, 0);
    EXPECT_TRUE(wordProcessor.log.opened.empty());
    EXPECT_EQ(bar().Color(), 0x123456u);
    EXPECT_EQ(yields, 0);
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
}

// Names follow queue positions, not results: a failed document keeps its name, so fixing it and
// running again does not move the texts of the others.
TEST_F(ConversionRunTest, DocumentsSharingABaseNameEachKeepTheirTextAndARerunRefreshesTheSameNames)
{
    tree.file("out/x.txt", "from before the run");
    tree.file("out/x (2).txt", "also from before");
    for (const char* name : {"docs/one/x.doc", "docs/two/x.doc", "docs/one/x.docx", "docs/one/X.doc",
                             "docs/one/y.doc"})
        queue(name, name);
    queue("docs/one/gone.doc");
    queue("docs/two/gone.rtf", "second gone");
    queue("docs/two/scan.doc", " \n"); // its text is blank: a picture of a page, say
    QFile::remove(tree.path("docs/one/gone.doc"));
    const QStringList expected{"X.txt", "gone (2).txt", "scan.txt", "x (2).txt", "x (3).txt", "x.txt", "y.txt"};

    for (const int run : {1, 2}) {
        SCOPED_TRACE(run);
        shell.messages.clear();
        form.Start_Click();
        EXPECT_EQ(QDir(output).entryList(QDir::Files, QDir::Name), expected);
        EXPECT_EQ(outputText("x.txt"), QByteArray("docs/one/x.doc"));
        EXPECT_EQ(outputText("x (2).txt"), QByteArray("docs/two/x.doc"));
        EXPECT_EQ(outputText("x (3).txt"), QByteArray("docs/one/x.docx"));
        EXPECT_EQ(outputText("X.txt"), QByteArray("docs/one/X.doc")) << "names differ by case on this file system";
        EXPECT_EQ(outputText("gone (2).txt"), QByteArray("second gone"));
        ASSERT_EQ(shell.messages.size(), 1u);
        const QString report = shell.messages[0].text;
        EXPECT_TRUE(report.contains("3 of the documents share a name")) << report.toStdString();
        EXPECT_TRUE(report.contains(
            QString::fromUtf8("\ntwo/x.doc → x (2).txt\none/x.docx → x (3).txt\ngone.rtf → gone (2).txt\n\n")))
            << report.toStdString();
        const QString scan = displayText(tree.path("docs/two/scan.doc").toStdString());
        EXPECT_TRUE(report.endsWith("\n1 of the documents gave no text (only pictures, charts or objects, such as "
                                    "scans); their text files are blank:\n" + scan))
            << report.toStdString();
    }
}

TEST_F(ConversionRunTest, StopThenNoLetsTheRunGoOnAndAskAgainAtTheNextStop)
{
    queue("a.doc");
    queue("b.doc");
    queue("c.doc");
    testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, "b.doc");
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (held.inHand && shell.messages.size() < 2)
            form.Stop_Click();
    });
    clicker.start(1);
    shell.onMessage = [&] { held.released = shell.messages.size() == 2; };
    shell.answers = {MessageAnswer::No, MessageAnswer::No};
    form.Start_Click();

    EXPECT_EQ(messageTexts(), (std::vector<QString>{"Do you want to cancel?", "Do you want to cancel?"}));
    EXPECT_EQ(shell.messages[0].title, QStringLiteral("Plainquill"));
    EXPECT_EQ(shell.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(wordProcessor.log.saved.size(), 3u);
    EXPECT_FALSE(form.bCancel);
}

// Stop reaches the run however it was given: a click answered at once, or a key press the window
// handled between two looks at the workers.
TEST_F(ConversionRunTest, StopGivenBetweenTwoLooksAtTheWorkersIsAskedThere)
{
    queue("a.doc");
    queue("b.doc");
    testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, "a.doc");
    onYield = [&](int) { form.bCancel = true; };
    shell.answers = {MessageAnswer::Yes};
    form.Start_Click();

    EXPECT_EQ(messageTexts(), (std::vector<QString>{"Do you want to cancel?", "The run was stopped: 0 files converted, "
                                                                               "0 could not be converted, 2 not started."}));
    EXPECT_EQ(wordProcessor.log.opened.size(), 1u);
    EXPECT_EQ(outputText("a.txt"), QByteArray("<missing>"));
    EXPECT_EQ(bar().Value(), 0);
    EXPECT_EQ(bar().Color(), 0xFFFFFFu);
}

TEST_F(ConversionRunTest, KeepsTheQueueStillWhileConvertingAndRestoresTheButtonsAfter)
{
    queue("a.doc");
    queue("b.doc");
    testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, "a.doc");
    bool checkedDuringRun = false;
    onYield = [&](int) {
        EXPECT_TRUE(stop().Enabled());
        EXPECT_FALSE(form.removeAllButton().Enabled()) << "Remove All";
        EXPECT_FALSE(form.browseButton().Enabled()) << "Browse...";
        testing::dropFiles(*form.control<QListWidget>("List1")->viewport(), {tree.file("dropped.doc")});
        EXPECT_EQ(form.queue().length(), 2) << "a drop during the run is refused";
        checkedDuringRun = true;
        held.released = true;
    };
    form.Start_Click();
    EXPECT_TRUE(checkedDuringRun);
    EXPECT_TRUE(form.removeAllButton().Enabled());
    EXPECT_TRUE(form.browseButton().Enabled());
}

TEST_F(ConversionRunTest, AnErrorOnOneDocumentFailsThatDocumentAloneAndTheRunGoesOn)
{
    queue("a.doc");
    queue("b.doc");
    wordProcessor.script.duringOpen = [](const std::string& document) {
        if (document.ends_with("/a.doc"))
            throw std::runtime_error("out of file handles");
    };
    form.Start_Click();
    EXPECT_FALSE(form.run().running());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the busy pointer ends with the run";
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
    EXPECT_TRUE(form.removeAllButton().Enabled());
    EXPECT_TRUE(Text1().isEnabled());
    EXPECT_EQ(outputText("b.txt"), "text");
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].startsWith("1 of 2 checked files could not be converted:\n"))
        << messageTexts()[0].toStdString();
    EXPECT_TRUE(messageTexts()[0].contains("a.doc: could not open (it failed on an unexpected error: out of file handles)"))
        << messageTexts()[0].toStdString();
}

TEST_F(ConversionRunTest, AStartClickDuringAYieldDoesNotBeginASecondRun)
{
    queue("a.doc");
    queue("b.doc");
    testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, "a.doc");
    onYield = [&](int) {
        form.Start_Click();
        held.released = true;
    };
    form.Start_Click();
    EXPECT_GE(yields, 1);
    EXPECT_EQ(wordProcessor.log.started, 1);
    EXPECT_EQ(wordProcessor.log.opened.size(), 2u);
}

// The run converts what was queued at Start: a queue emptied or refilled meanwhile (by a program;
// the user cannot while it is held still) neither ends it nor changes its documents.
TEST_F(ConversionRunTest, ConvertsWhatWasQueuedAtStartWhenTheQueueIsEmptiedOrRefilledDuringAYield)
{
    for (const bool refill : {false, true}) {
        SCOPED_TRACE(refill ? "refilled" : "emptied");
        form.queue().ClearQueue();
        wordProcessor.log = {};
        const QString prefix = refill ? "r" : "e";
        for (const char* name : {"a.doc", "b.doc", "c.doc"})
            queue(prefix + name);
        testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, (prefix + "a.doc").toStdString());
        onYield = [&](int) {
            if (held.released)
                return;
            form.queue().ClearQueue();
            if (refill)
                for (const char* name : {"p.doc", "q.doc", "r.doc"})
                    queue(name);
            held.released = true;
        };
        form.Start_Click();
        onYield = nullptr;
        EXPECT_EQ(wordProcessor.log.opened.size(), 3u);
        EXPECT_EQ(outputText(prefix + "c.txt"), "text");
        EXPECT_EQ(outputText("p.txt"), "<missing>");
        EXPECT_TRUE(start().Enabled());
        EXPECT_FALSE(stop().Enabled());
    }
}

TEST_F(ConversionRunTest, TakesTheOutputFolderAtStartAndHoldsItStillUntilTheEnd)
{
    queue("a.doc");
    queue("b.doc");
    const QString second = tree.folder("second");
    testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, "a.doc");
    onYield = [&](int) {
        EXPECT_FALSE(Text1().isEnabled());
        EXPECT_FALSE(form.outputButton().Enabled()) << "Output";
        Text1().setText(second); // as a program could; a user cannot while the box is off
        held.released = true;
    };
    form.Start_Click();
    EXPECT_EQ(savedTexts(), (std::vector<std::string>{"a.txt", "b.txt"})) << "in the folder given at Start";
    EXPECT_TRUE(Text1().isEnabled());
    EXPECT_TRUE(form.outputButton().Enabled());
}

TEST_F(ConversionRunTest, ClosingTheWindowEndsTheRunAtOnceWithoutAsking)
{
    queue("a.doc");
    queue("b.doc");
    queue("c.doc");
    testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, "b.doc");
    onYield = [&](int) {
        if (!held.inHand)
            return;
        form.close();
        form.Stop_Click(); // a Stop that follows must not hold the closing up with its question
    };
    wordProcessor.script.openFailures["a.doc"] = Failure::CouldNotOpen;
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.opened.size(), 2u);
    EXPECT_TRUE(wordProcessor.interrupted) << "the document in hand is given up";
    EXPECT_EQ(outputText("b.txt"), "<missing>");
    EXPECT_TRUE(shell.messages.empty()) << "no question and no report for a window that is gone";
    EXPECT_FALSE(form.run().running());
}

TEST_F(ConversionRunTest, GoesOnAfterFailuresAndNamesEachOneAtTheEnd)
{
    queue("a.doc");
    queue("locked.doc");
    queue("c.doc");
    const QString gone = queue("gone.doc");
    QFile::remove(gone);
    queue("e.doc");
    wordProcessor.script.openFailures["locked.doc"] = Failure::CouldNotOpen;
    wordProcessor.script.saveFailures["c.doc"] = Failure::CouldNotSave;
    form.Start_Click();

    EXPECT_EQ(outputText("a.txt"), QByteArray("text"));
    EXPECT_EQ(outputText("e.txt"), QByteArray("text"));
    EXPECT_EQ(outputText("gone.txt"), QByteArray("<missing>"));
    EXPECT_EQ(bar().Value(), 5);
    ASSERT_EQ(shell.messages.size(), 1u);
    const testing::ShownMessage& report = shell.messages[0];
    EXPECT_EQ(report.icon, MessageIcon::Information);
    EXPECT_EQ(report.title, QStringLiteral("Plainquill"));
    EXPECT_TRUE(report.text.startsWith("3 of 5 checked files could not be converted")) << report.text.toStdString();
    EXPECT_TRUE(report.text.contains("locked.doc: could not open"));
    EXPECT_TRUE(report.text.contains("c.doc: could not save"));
    EXPECT_TRUE(report.text.contains("gone.doc: could not open"));
    EXPECT_FALSE(report.text.contains("a.doc:"));
    EXPECT_TRUE(report.details.contains(gone + ": could not open")) << "the details give the path in full";
}

TEST_F(ConversionRunTest, AWordProcessorThatDiesIsReplacedForTheNextFile)
{
    queue("a.doc");
    queue("slow.doc");
    queue("c.doc");
    wordProcessor.script.openFailures["slow.doc"] = Failure::TimedOut;
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.started, 2);
    EXPECT_EQ(outputText("c.txt"), QByteArray("text"));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(shell.messages[0].text.contains("slow.doc: timed out"));
}

TEST_F(ConversionRunTest, DrivesTheDrawnProgressBarThroughItsFace)
{
    WindowControlFactory drawn;
    FakeShell answers;
    Form1 window({answers, drawn, wordProcessor.factory(), QString(), [] {}});
    ASSERT_NE(dynamic_cast<host::HostWidget*>(window.control<QWidget>("XP_ProgressBar1")), nullptr);
    window.control<QLineEdit>("Text1")->setText(output);
    for (const char* name : {"a.doc", "b.doc", "c.doc", "d.doc"})
        window.adder().addDropped({tree.file(name)});
    window.queue().setChecked(3, false);
    window.Start_Click();

    EXPECT_TRUE(answers.messages.empty());
    EXPECT_EQ(window.progressBar().Max(), 4);
    EXPECT_EQ(window.progressBar().Value(), 3);
    EXPECT_EQ(window.progressBar().Color(), 0x00FF00u);
}

TEST_F(ConversionRunTest, TheSummaryAfterAConfirmedStopCountsConvertedFailedAndNotStarted)
{
    for (const char* name : {"a.doc", "b.doc", "c.doc", "d.doc", "e.doc", "f.doc"})
        queue(name);
    form.queue().setChecked(5, false);
    wordProcessor.script.openFailures["a.doc"] = Failure::CouldNotOpen;
    testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, "c.doc");
    onYield = [&](int) {
        if (held.inHand && shell.messages.empty())
            form.Stop_Click();
    };
    shell.answers = {MessageAnswer::Yes};
    form.Start_Click();
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_TRUE(shell.messages[1].text.startsWith("The run was stopped: 1 file converted, 1 could not be converted, "
                                                  "3 not started.\n\nThese could not be converted:\n"))
        << shell.messages[1].text.toStdString();
}

TEST_F(ConversionRunTest, StopDuringADocumentAsksAtOnceAndYesGivesTheDocumentUp)
{
    queue("a.doc", "new a");
    queue("slow.doc", "new slow");
    queue("c.doc");
    tree.file("out/slow.txt", "old slow");
    testing::DocumentInHand slow(wordProcessor.script, wordProcessor.interrupted, "slow.doc");
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (slow.inHand && !shell.messages.size())
            form.Stop_Click();
    });
    clicker.start(1);
    bool backWhenAsked = true;
    Qt::CursorShape pointerWhenAsked = Qt::ArrowCursor;
    shell.onMessage = [&] {
        if (shell.messages.size() > 1)
            return; // the closing message
        backWhenAsked = slow.back;
        if (const QCursor* pointer = QGuiApplication::overrideCursor())
            pointerWhenAsked = pointer->shape();
    };
    shell.answers = {MessageAnswer::Yes};
    form.Start_Click();

    EXPECT_EQ(messageTexts(), (std::vector<QString>{"Do you want to cancel?", "The run was stopped: 1 file converted, "
                                                                               "0 could not be converted, 2 not started."}))
        << "nothing failed, and still the stop is told";
    EXPECT_FALSE(backWhenAsked) << "the question waited for the document";
    EXPECT_EQ(pointerWhenAsked, Qt::BusyCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the pointer is itself again after the run";
    EXPECT_TRUE(wordProcessor.interrupted);
    EXPECT_EQ(outputText("a.txt"), "new a");
    EXPECT_EQ(outputText("slow.txt"), "old slow");
    std::string holder;
    EXPECT_TRUE(OutputFolderLock::take(pathFromText(output), {}, "the next run", holder)) << "left by the stopped run";
    EXPECT_EQ(wordProcessor.log.opened.size(), 2u) << "nothing opened after the answer";
    EXPECT_EQ(bar().Value(), 0);
    EXPECT_EQ(bar().Color(), 0xFFFFFFu);
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
    EXPECT_FALSE(form.run().running());
}

// No leaves the document in hand to finish, whether it comes back before the answer or after.
// While the question is open nothing more is begun, and a document that comes back meanwhile
// replaces nothing before the answer: Yes then gives it up as though answered at once.
TEST_F(ConversionRunTest, WhileStopAsksNothingIsBegunOrReplacedAndTheAnswerDecides)
{
    const struct {
        bool backBeforeAnswer;
        MessageAnswer answer;
    } cases[] = {{false, MessageAnswer::No}, {true, MessageAnswer::No}, {true, MessageAnswer::Yes}};
    for (const auto& c : cases) {
        const bool kept = c.answer == MessageAnswer::No;
        SCOPED_TRACE(std::string(c.backBeforeAnswer ? "back before the answer, " : "back after the answer, ")
                     + (kept ? "No" : "Yes"));
        FakeShell answers;
        WindowControlFactory controls;
        FakeLauncher launcher;
        Form1 window({answers, controls, launcher.factory(), QString(), [] {}});
        window.control<QLineEdit>("Text1")->setText(output);
        const QString folder = QString("in%1%2/").arg(c.backBeforeAnswer).arg(kept);
        for (const char* name : {"a.doc", "slow.doc", "c.doc"})
            window.adder().addDropped({tree.file(folder + name, name)});
        tree.file("out/slow.txt", "old slow");
        QFile::remove(output + "/c.txt");
        testing::DocumentInHand slow(launcher.script, launcher.interrupted, "slow.doc");
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            if (slow.inHand && answers.messages.empty())
                window.Stop_Click();
        });
        clicker.start(1);
        std::size_t openedWhileAsked = 0;
        QByteArray textWhileAsked;
        answers.onMessage = [&] {
            if (answers.messages.size() > 1)
                return; // the closing message
            if (!c.backBeforeAnswer) {
                QTimer::singleShot(20, [&] { slow.released = true; });
                return;
            }
            slow.released = true;
            while (!slow.back)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::this_thread::sleep_for(std::chrono::milliseconds(50)); // time enough to begin or replace
            openedWhileAsked = launcher.log.opened.size();
            textWhileAsked = outputText("slow.txt");
        };
        answers.answers = {c.answer};
        window.Start_Click();

        if (c.backBeforeAnswer) {
            EXPECT_EQ(openedWhileAsked, 2u) << "a document was begun while the question was open";
            EXPECT_EQ(textWhileAsked, "old slow") << "a text was replaced before the answer";
        }
        EXPECT_EQ(answers.messages.size(), kept ? 1u : 2u);
        EXPECT_EQ(outputText("slow.txt"), kept ? "slow.doc" : "old slow");
        EXPECT_EQ(outputText("c.txt"), kept ? "c.doc" : "<missing>");
        EXPECT_EQ(launcher.log.opened.size(), kept ? 3u : 2u);
        EXPECT_EQ(window.progressBar().Value(), kept ? 3 : 0);
        EXPECT_EQ(window.bCancel, !kept) << "after No, no second question at the next document";
        EXPECT_EQ(QDir(output).entryList(QDir::Files | QDir::Hidden).size(), kept ? 3 : 2) << "nothing held is left";
    }
}

TEST(EndOfRunReport, ListsThreeOfEachKindAndCountsTheRest)
{
    struct Case { int failures, renames, lines; const char* lastLine; int textless = 0; }; // lines: with each part's heading and gap
    const Case cases[] = {
        {1, 0, 2, "/in/f1.doc: could not open"},  {3, 0, 4, "/in/f3.doc: could not open"},
        {4, 0, 5, "… and 1 more, listed in the details."}, {0, 1, 2, "d1/x.doc → x (2).txt"},
        {0, 4, 5, "… and 1 more, listed in the details."}, {2, 3, 8, "d3/x.doc → x (2).txt"},
        {0, 0, 2, "/in/scan1.doc", 1}, {1, 0, 6, "/in/scan2.doc", 2},
        {23, 24, 17, "… and 27 more, listed in the details.", 30},
    };
    for (const Case& c : cases) {
        RunOutcome outcome;
        outcome.tried = 50;
        for (int i = 1; i <= c.failures; ++i)
            outcome.failed.push_back({QStringLiteral("/in/f%1.doc").arg(i), Failure::CouldNotOpen, {}});
        for (int i = 1; i <= c.renames; ++i)
            outcome.renamed.push_back({QStringLiteral("d%1/x.doc").arg(i), QStringLiteral("x (2).txt"),
                                       QStringLiteral("/in/d%1/x.doc").arg(i), QStringLiteral("/out/x (%1).txt").arg(i)});
        for (int i = 1; i <= c.textless; ++i)
            outcome.textless.push_back(QStringLiteral("/in/scan%1.doc").arg(i));
        const RunReport report = endOfRunReport(outcome);
        const QStringList lines = report.text.split('\n');
        SCOPED_TRACE(report.text.toStdString());
        EXPECT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.back(), QString::fromUtf8(c.lastLine));
        if (c.failures) {
            EXPECT_EQ(lines[0], QStringLiteral("%1 of 50 checked files could not be converted:").arg(c.failures));
        }
        if (c.textless) {
            EXPECT_TRUE(report.text.contains(QStringLiteral("%1 of the documents gave no text").arg(c.textless)));
        }
        if (c.failures > kFilesListed) {
            EXPECT_EQ(lines[kFilesListed], QStringLiteral("/in/f3.doc: could not open"));
        }
        // The details name every file, renamed ones by their full paths.
        for (int i = 1; i <= c.failures; ++i)
            EXPECT_TRUE(report.details.contains(QStringLiteral("\n/in/f%1.doc: could not open").arg(i))) << i;
        for (int i = 1; i <= c.renames; ++i)
            EXPECT_TRUE(report.details.contains(QStringLiteral("\n/in/d%1/x.doc → /out/x (%1).txt").arg(i))) << i;
        EXPECT_FALSE(report.details.contains(QStringLiteral("more"))) << report.details.toStdString();
    }
    EXPECT_EQ(endOfRunReport(RunOutcome{}).text, QString()) << "nothing to tell, no message";
    RunOutcome stopped{{}, {}, {}, 10, 4, true};
    EXPECT_EQ(endOfRunReport(stopped).text,
              QStringLiteral("The run was stopped: 4 files converted, 0 could not be converted, 6 not started."))
        << "a stop is told even when all it reached was converted";
}

TEST(WordProcessorSession, ReplacesTheWordProcessorAfterItsShareOfDocuments)
{
    TempTree tree;
    const QString doc = tree.file("a.doc");
    FakeLauncher launcher;
    {
        WordProcessorSession session(launcher, 2);
        ASSERT_TRUE(session.start());
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(session.convert(doc.toStdString(), tree.path("a.txt").toStdString()).ok());
        EXPECT_EQ(session.instancesStarted(), 3);
    }
    EXPECT_EQ(launcher.log.quits, 3) << "every instance is quit, the last one when the session ends";
}

TEST(WordProcessorSession, FilesRefusedBeforeTheWordProcessorSawThemDoNotUseUpItsShare)
{
    TempTree tree;
    const QString doc = tree.file("a.doc");
    const QString empty = tree.file("empty.doc", "");
    FakeLauncher launcher;
    WordProcessorSession session(launcher, 2);
    ASSERT_TRUE(session.start());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(session.convert(doc.toStdString(), tree.path("a.txt").toStdString()).ok());
        for (const QString& refused : {empty, tree.path("missing.doc")})
            EXPECT_FALSE(session.convert(refused.toStdString(), tree.path("b.txt").toStdString()).ok());
    }
    EXPECT_EQ(session.instancesStarted(), 2) << "three documents opened, two to an instance";
}

TEST(WordProcessorSession, RemovesTheStagedFilesOfKilledRunsFromEachFolderItWritesInto)
{
    TempTree tree;
    const QString doc = tree.file("a.doc");
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const QString left = QStringLiteral(".a.txt.plainquill-%1-17-abcdefgh.tmp").arg(child);
    for (const QString& folder : {QStringLiteral("one"), QStringLiteral("two")})
        tree.file(folder + "/" + left);
    FakeLauncher launcher;
    WordProcessorSession session(launcher);
    ASSERT_TRUE(session.start());
    EXPECT_TRUE(session.convert(doc.toStdString(), tree.path("one/a.txt").toStdString()).ok());
    EXPECT_FALSE(QFileInfo::exists(tree.path("one/" + left)));
    EXPECT_TRUE(QFileInfo::exists(tree.path("two/" + left))) << "a folder the run does not write into";
}

} // namespace
} // namespace plainquill
