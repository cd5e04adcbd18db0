// The run's control flow, with a scripted word processor. The real one is exercised in
// conversion_libreoffice_test.cpp.
#include "app/run/failure_report.h"
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/native_path.h"
#include "engine/word_processor_session.h"
#include "platform/host/host_widget.h"
#include "tests/support/drop.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_word_processor.h"
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
    std::atomic<bool> documentInterrupted = false;
    Form1 form{{shell, factory, wordProcessor, QString(),
                [this] {
                    ++yields;
                    if (onYield)
                        onYield(yields);
                },
                {},
                {},
                [this] {
                    ++wordProcessor.stops; // before the document in hand is let go
                    documentInterrupted = true;
                }}};
};

// A document that stays with the fake word processor until released or interrupted, so the
// window can act while it is in hand.
struct DocumentInHand {
    explicit DocumentInHand(testing::FakeWordProcessorScript& script, const std::atomic<bool>& interrupted,
                            std::string name)
    {
        script.duringOpen = [this, &interrupted, name](const std::string& document) {
            if (!document.ends_with("/" + name))
                return;
            inHand = true;
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!released && !interrupted && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            back = true;
        };
        script.interrupted = [&interrupted] { return bool(interrupted); };
    }
    std::atomic<bool> inHand = false;
    std::atomic<bool> released = false;
    std::atomic<bool> back = false;
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
        Form1 window({answers, controls, launcher, QString(), [] {}});
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
    EXPECT_EQ(wordProcessor.log.saved,
              (std::vector<std::string>{(output + "/one.txt").toStdString(), (output + "/report.final.txt").toStdString(),
                                        (output + "/three.txt").toStdString()}));
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
    EXPECT_EQ(yields, 3);
}

TEST_F(ConversionRunTest, SkipsUncheckedRowsAndTheBarCountsQueuePositions)
{
    queue("a.doc");
    queue("b.doc");
    queue("c.doc");
    form.queue().setChecked(1, false);
    std::vector<int> valueAtOpen;
    wordProcessor.script.duringOpen = [&](const std::string&) { valueAtOpen.push_back(bar().Value()); };
    bar().SetMax(3);
    bar().SetValue(2); // left from an earlier run
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.opened.size(), 2u);
    EXPECT_EQ(valueAtOpen, (std::vector<int>{2, 1}));
    EXPECT_EQ(bar().Value(), 3);
    EXPECT_EQ(outputText("b.txt"), QByteArray("<missing>"));
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
        if (!opening || seen)
            return; // the title while the document converts, not later ones
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

TEST_F(ConversionRunTest, NoCheckedRowStartsAndQuitsTheWordProcessorOnly)
{
    queue("a.doc");
    form.queue().setAllChecked(false);
    bar().SetColor(0x123456);
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.started, 1);
    EXPECT_EQ(wordProcessor.log.quits, 1);
    EXPECT_TRUE(wordProcessor.log.opened.empty());
    EXPECT_EQ(bar().Color(), 0x123456u);
    EXPECT_EQ(yields, 0);
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
}

TEST_F(ConversionRunTest, DocumentsSharingABaseNameEachKeepTheirTextAndARerunRefreshesTheSameNames)
{
    tree.file("out/x.txt", "from before the run");
    tree.file("out/x (2).txt", "also from before");
    for (const char* name : {"docs/one/x.doc", "docs/two/x.doc", "docs/one/x.docx", "docs/one/X.doc",
                             "docs/one/y.doc"})
        queue(name, name);
    queue("docs/one/gone.doc");
    queue("docs/two/gone.rtf", "second gone");
    QFile::remove(tree.path("docs/one/gone.doc")); // a failed document takes no name
    const QStringList expected{"X.txt", "gone.txt", "x (2).txt", "x (3).txt", "x.txt", "y.txt"};

    for (const int run : {1, 2}) {
        SCOPED_TRACE(run);
        shell.messages.clear();
        form.Start_Click();
        EXPECT_EQ(QDir(output).entryList(QDir::Files, QDir::Name), expected);
        EXPECT_EQ(outputText("x.txt"), QByteArray("docs/one/x.doc"));
        EXPECT_EQ(outputText("x (2).txt"), QByteArray("docs/two/x.doc"));
        EXPECT_EQ(outputText("x (3).txt"), QByteArray("docs/one/x.docx"));
        EXPECT_EQ(outputText("X.txt"), QByteArray("docs/one/X.doc")) << "names differ by case on this file system";
        EXPECT_EQ(outputText("gone.txt"), QByteArray("second gone"));
        ASSERT_EQ(shell.messages.size(), 1u);
        const QString report = shell.messages[0].text;
        EXPECT_TRUE(report.contains("2 of the documents share a name")) << report.toStdString();
        EXPECT_TRUE(report.endsWith(QString::fromUtf8("\ntwo/x.doc → x (2).txt\none/x.docx → x (3).txt")))
            << report.toStdString();
    }
}

TEST_F(ConversionRunTest, StopThenNoConvertsTheFileAndAsksAgainAtTheNext)
{
    queue("a.doc");
    queue("b.doc");
    queue("c.doc");
    onYield = [&](int n) {
        if (n <= 2)
            form.Stop_Click();
    };
    shell.answers = {MessageAnswer::No, MessageAnswer::No};
    form.Start_Click();

    EXPECT_EQ(messageTexts(), (std::vector<QString>{"Do you want to cancel?", "Do you want to cancel?"}));
    EXPECT_EQ(shell.messages[0].title, QStringLiteral("Plainquill"));
    EXPECT_EQ(shell.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(wordProcessor.log.saved.size(), 3u);
    EXPECT_FALSE(form.bCancel);
}

TEST_F(ConversionRunTest, StopThenYesEndsAtOnceWithTheBarWhiteAndTheWordProcessorQuit)
{
    queue("a.doc");
    queue("b.doc");
    queue("c.doc");
    onYield = [&](int n) {
        if (n == 2)
            form.Stop_Click();
    };
    shell.answers = {MessageAnswer::Yes};
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.opened.size(), 1u);
    EXPECT_EQ(outputText("a.txt"), QByteArray("text"));
    EXPECT_EQ(bar().Value(), 0);
    EXPECT_EQ(bar().Color(), 0xFFFFFFu);
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
    EXPECT_EQ(wordProcessor.log.quits, 1);
}

TEST_F(ConversionRunTest, KeepsTheQueueStillWhileConvertingAndRestoresTheButtonsAfter)
{
    queue("a.doc");
    queue("b.doc");
    bool checkedDuringRun = false;
    onYield = [&](int) {
        EXPECT_TRUE(stop().Enabled());
        EXPECT_FALSE(form.removeAllButton().Enabled()) << "Remove All";
        EXPECT_FALSE(form.browseButton().Enabled()) << "Browse...";
        testing::dropFiles(*form.control<QListWidget>("List1")->viewport(), {tree.file("dropped.doc")});
        EXPECT_EQ(form.queue().length(), 2) << "a drop during the run is refused";
        checkedDuringRun = true;
    };
    form.Start_Click();
    EXPECT_TRUE(checkedDuringRun);
    EXPECT_TRUE(form.removeAllButton().Enabled());
    EXPECT_TRUE(form.browseButton().Enabled());
}

TEST_F(ConversionRunTest, AnErrorInsideTheRunIsToldAndLeavesTheWindowReadyForTheNext)
{
    queue("a.doc");
    queue("b.doc");
    wordProcessor.script.duringOpen = [](const std::string&) { throw std::runtime_error("out of file handles"); };
    form.Start_Click();
    EXPECT_FALSE(form.run().running());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the busy pointer ends with the failed call";
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
    EXPECT_TRUE(form.removeAllButton().Enabled());
    EXPECT_TRUE(Text1().isEnabled());
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].contains("out of file handles")) << messageTexts()[0].toStdString();

    wordProcessor.script.duringOpen = nullptr;
    form.Start_Click();
    EXPECT_EQ(outputText("b.txt"), "text");
}

TEST_F(ConversionRunTest, AStartClickDuringAYieldDoesNotBeginASecondRun)
{
    queue("a.doc");
    queue("b.doc");
    onYield = [&](int) { form.Start_Click(); };
    form.Start_Click();
    EXPECT_EQ(wordProcessor.log.started, 1);
    EXPECT_EQ(wordProcessor.log.opened.size(), 2u);
}

TEST_F(ConversionRunTest, EndsCleanlyWhenTheQueueIsEmptiedOrRefilledDuringAYield)
{
    for (const bool refill : {false, true}) {
        SCOPED_TRACE(refill ? "refilled" : "emptied");
        form.queue().ClearQueue();
        wordProcessor.log = {};
        queue("a.doc");
        queue("b.doc");
        queue("c.doc");
        yields = 0;
        onYield = [&](int n) {
            if (n != 2)
                return;
            form.queue().ClearQueue();
            if (refill)
                for (const char* name : {"p.doc", "q.doc", "r.doc"})
                    queue(name);
        };
        form.Start_Click();
        onYield = nullptr;
        EXPECT_EQ(wordProcessor.log.opened.size(), 1u);
        EXPECT_EQ(wordProcessor.log.quits, 1);
        EXPECT_TRUE(start().Enabled());
        EXPECT_FALSE(stop().Enabled());
    }
}

TEST_F(ConversionRunTest, TakesTheOutputFolderAtStartAndHoldsItStillUntilTheEnd)
{
    queue("a.doc");
    queue("b.doc");
    const QString second = tree.folder("second");
    onYield = [&](int n) {
        EXPECT_FALSE(Text1().isEnabled());
        EXPECT_FALSE(form.outputButton().Enabled()) << "Output";
        if (n == 2)
            Text1().setText(second); // as a program could; a user cannot while the box is off
    };
    form.Start_Click();
    EXPECT_EQ(wordProcessor.log.saved,
              (std::vector<std::string>{(output + "/a.txt").toStdString(), (output + "/b.txt").toStdString()}));
    EXPECT_TRUE(Text1().isEnabled());
    EXPECT_TRUE(form.outputButton().Enabled());
}

TEST_F(ConversionRunTest, ClosingTheWindowEndsTheRunAfterTheCurrentDocumentWithoutAsking)
{
    queue("a.doc");
    queue("b.doc");
    queue("c.doc");
    onYield = [&](int n) {
        if (n == 2) {
            form.Stop_Click(); // the question that would follow must not hold the closing up
            form.close();
        }
    };
    wordProcessor.script.openFailures["a.doc"] = Failure::CouldNotOpen;
    form.Start_Click();

    EXPECT_EQ(wordProcessor.log.opened.size(), 1u);
    EXPECT_EQ(wordProcessor.log.quits, 1);
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
    Form1 window({answers, drawn, wordProcessor, QString(), [] {}});
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
    onYield = [&](int n) {
        if (n == 3)
            form.Stop_Click();
    };
    shell.answers = {MessageAnswer::Yes};
    form.Start_Click();
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_TRUE(shell.messages[1].text.startsWith("The run was stopped: 1 file converted, 1 could not be converted, "
                                                  "3 not started.\n\nThese could not be converted:\n\n"))
        << shell.messages[1].text.toStdString();
}

TEST_F(ConversionRunTest, StopDuringADocumentAsksAtOnceAndYesGivesTheDocumentUp)
{
    queue("a.doc", "new a");
    queue("slow.doc", "new slow");
    queue("c.doc");
    tree.file("out/slow.txt", "old slow");
    DocumentInHand slow(wordProcessor.script, documentInterrupted, "slow.doc");
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (slow.inHand && !shell.messages.size())
            form.Stop_Click();
    });
    clicker.start(1);
    bool backWhenAsked = true;
    Qt::CursorShape pointerWhenAsked = Qt::ArrowCursor;
    shell.onMessage = [&] {
        backWhenAsked = slow.back;
        if (const QCursor* pointer = QGuiApplication::overrideCursor())
            pointerWhenAsked = pointer->shape();
    };
    shell.answers = {MessageAnswer::Yes};
    form.Start_Click();

    EXPECT_EQ(messageTexts(), std::vector<QString>{"Do you want to cancel?"}) << "nothing failed: no report";
    EXPECT_FALSE(backWhenAsked) << "the question waited for the document";
    EXPECT_EQ(pointerWhenAsked, Qt::BusyCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the pointer is itself again after the run";
    EXPECT_TRUE(documentInterrupted);
    EXPECT_EQ(outputText("a.txt"), "new a");
    EXPECT_EQ(outputText("slow.txt"), "old slow");
    EXPECT_EQ(wordProcessor.log.opened.size(), 2u) << "nothing opened after the answer";
    EXPECT_EQ(bar().Value(), 0);
    EXPECT_EQ(bar().Color(), 0xFFFFFFu);
    EXPECT_TRUE(start().Enabled());
    EXPECT_FALSE(stop().Enabled());
    EXPECT_FALSE(form.run().running());
}

// No leaves the document in hand to finish, whether it comes back before the answer or after.
TEST_F(ConversionRunTest, StopDuringADocumentThenNoLetsItFinishAndTheRunGoOn)
{
    for (const bool backBeforeAnswer : {false, true}) {
        SCOPED_TRACE(backBeforeAnswer ? "back before the answer" : "back after the answer");
        FakeShell answers;
        WindowControlFactory controls;
        FakeLauncher launcher;
        std::atomic<bool> interrupted = false;
        Form1 window({answers, controls, launcher, QString(), [] {}, {}, {}, [&] { interrupted = true; }});
        window.control<QLineEdit>("Text1")->setText(output);
        for (const char* name : {"a.doc", "slow.doc", "c.doc"})
            window.adder().addDropped({tree.file(QString("in%1/").arg(backBeforeAnswer) + name, name)});
        DocumentInHand slow(launcher.script, interrupted, "slow.doc");
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            if (slow.inHand && answers.messages.empty())
                window.Stop_Click();
        });
        clicker.start(1);
        answers.onMessage = [&] {
            if (!backBeforeAnswer) {
                QTimer::singleShot(20, [&] { slow.released = true; });
                return;
            }
            slow.released = true;
            while (!slow.back)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
        answers.answers = {MessageAnswer::No};
        window.Start_Click();

        EXPECT_EQ(answers.messages.size(), 1u);
        EXPECT_FALSE(interrupted);
        EXPECT_EQ(outputText("slow.txt"), "slow.doc");
        EXPECT_EQ(outputText("c.txt"), "c.doc");
        EXPECT_EQ(window.progressBar().Value(), 3);
        EXPECT_EQ(window.progressBar().Color(), 0x00FF00u);
        EXPECT_FALSE(window.bCancel) << "no second question at the next document";
    }
}

TEST(EndOfRunReport, ListsTwentyOfEachKindAndCountsTheRest)
{
    struct Case { int failures, renames, lines; const char* lastLine; }; // lines: with each part's heading and gap
    const Case cases[] = {
        {1, 0, 3, "/in/f1.doc: could not open"},  {20, 0, 22, "/in/f20.doc: could not open"},
        {21, 0, 23, "… and 1 more, listed in the details."}, {0, 1, 3, "d1/x.doc → x (2).txt"},
        {0, 21, 23, "… and 1 more, listed in the details."}, {2, 3, 10, "d3/x.doc → x (2).txt"},
    };
    for (const Case& c : cases) {
        RunOutcome outcome;
        outcome.tried = 50;
        for (int i = 1; i <= c.failures; ++i)
            outcome.failed.push_back({QStringLiteral("/in/f%1.doc").arg(i), Failure::CouldNotOpen, {}});
        for (int i = 1; i <= c.renames; ++i)
            outcome.renamed.push_back({QStringLiteral("d%1/x.doc").arg(i), QStringLiteral("x (2).txt"),
                                       QStringLiteral("/in/d%1/x.doc").arg(i), QStringLiteral("/out/x (%1).txt").arg(i)});
        const RunReport report = endOfRunReport(outcome);
        const QStringList lines = report.text.split('\n');
        SCOPED_TRACE(report.text.toStdString());
        EXPECT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.back(), QString::fromUtf8(c.lastLine));
        if (c.failures) {
            EXPECT_EQ(lines[0], QStringLiteral("%1 of 50 checked files could not be converted:").arg(c.failures));
        }
        if (c.failures > 20) {
            EXPECT_EQ(lines[21], QStringLiteral("/in/f20.doc: could not open"));
        }
        // The details name every file, renamed ones by their full paths.
        for (int i = 1; i <= c.failures; ++i)
            EXPECT_TRUE(report.details.contains(QStringLiteral("\n/in/f%1.doc: could not open").arg(i))) << i;
        for (int i = 1; i <= c.renames; ++i)
            EXPECT_TRUE(report.details.contains(QStringLiteral("\n/in/d%1/x.doc → /out/x (%1).txt").arg(i))) << i;
        EXPECT_FALSE(report.details.contains(QStringLiteral("more"))) << report.details.toStdString();
    }
    EXPECT_EQ(endOfRunReport(RunOutcome{}).text, QString()) << "nothing to tell, no message";
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
