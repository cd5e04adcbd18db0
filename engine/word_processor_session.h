#pragma once
// The word processor across one run: started once, and started afresh whenever the current one
// has died, been killed for taking too long, or served its share of documents (long batches
// otherwise grow its memory without bound).
#include "engine/word_processor.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <set>

namespace plainquill {

// How many documents one word-processor instance opens before it is replaced; files refused
// before it saw them do not count.
constexpr int kDocumentsPerWordProcessor = 200;

// Where a session's time went: starting instances, and opening, saving and closing documents.
struct SessionTimes {
    using Duration = std::chrono::steady_clock::duration;
    Duration starting{};
    Duration opening{};
    Duration saving{};
    Duration closing{};
};

class WordProcessorSession {
public:
    explicit WordProcessorSession(engine::WordProcessorLauncher& launcher,
                                  int documentsPerInstance = kDocumentsPerWordProcessor);
    ~WordProcessorSession();

    // Starts the first instance; false when the word processor cannot be started or is unusable.
    bool start();
    // Why the last start() failed.
    const engine::StartFailure& startFailure() const { return m_startFailure; }

    // Opens `document`, saves it as plain text at `target` and closes it again. Either path may
    // be any bytes, UTF-8 or not. The first time a run writes into a folder, the staged files
    // that killed runs left there are removed. A document in hand when the word processor stopped
    // is tried once more on a fresh instance.
    engine::SaveResult convert(const std::filesystem::path& document, const std::filesystem::path& target);

    // Ends the current instance, if any. Safe to call more than once.
    void quit();

    int instancesStarted() const { return m_instancesStarted; }
    const SessionTimes& times() const { return m_times; }

private:
    // Converts with the current instance, which must be usable.
    engine::SaveResult convertOnce(const std::filesystem::path& document, const std::filesystem::path& target);
    bool ensureUsable();
    void sweepOnce(const std::filesystem::path& target);

    engine::WordProcessorLauncher& m_launcher;
    const int m_documentsPerInstance;
    std::unique_ptr<engine::WordProcessor> m_current;
    int m_documentsOnCurrent = 0;
    int m_instancesStarted = 0;
    engine::StartFailure m_startFailure;
    SessionTimes m_times;
    std::set<std::filesystem::path> m_sweptFolders;
};

} // namespace plainquill
