// What the session does when its word processor stops with a document in hand.
#include "engine/word_processor_session.h"
#include "tests/support/fake_word_processor.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>


namespace plainquill {
namespace {

using engine::Failure;

TEST(WordProcessorSession, ADocumentInHandWhenTheWordProcessorStoppedIsTriedOnceMoreOnAFreshOne)
{
    const struct {
        const char* what;
        Failure scripted;
        int failingOpens; // of this document, from the first
        bool restartable;
        bool stopAsked; // by the user or the program, while the document is in hand
        Failure outcome;
        int started;
    } cases[] = {
        {"stopped once", Failure::Stopped, 1, true, false, Failure::None, 2},
        {"stopped twice", Failure::Stopped, 2, true, false, Failure::Stopped, 2},
        {"stopped on request", Failure::Stopped, 1, true, true, Failure::Stopped, 1},
        // An interrupted run starts nothing more; the stop itself is what happened.
        {"no fresh one to be had", Failure::Stopped, 1, false, false, Failure::Stopped, 1},
        {"timed out", Failure::TimedOut, 1, true, false, Failure::TimedOut, 1},
        {"could not open", Failure::CouldNotOpen, 1, true, false, Failure::CouldNotOpen, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempTree tree;
        const std::filesystem::path folder = tree.root().toStdString();
        tree.file("a.doc", "words");
        testing::FakeLauncher launcher;
        launcher.script.openFailures["a.doc"] = c.scripted;
        int opens = 0;
        launcher.script.duringOpen = [&](const std::string&) {
            launcher.script.startable = c.restartable;
            launcher.stops += c.stopAsked;
            if (++opens > c.failingOpens)
                launcher.script.openFailures.clear();
        };
        WordProcessorSession session(launcher);
        const engine::SaveResult result = session.convert(folder / "a.doc", folder / "a.txt");
        EXPECT_EQ(result.failure, c.outcome);
        EXPECT_EQ(result.detail, c.outcome == Failure::None ? "" : "scripted") << "the first stop's own words";
        EXPECT_EQ(launcher.log.started, c.started);
        EXPECT_EQ(std::filesystem::exists(folder / "a.txt"), c.outcome == Failure::None);
    }
}

} // namespace
} // namespace plainquill
