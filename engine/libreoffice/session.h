#pragma once
// One running LibreOffice and everything that lives exactly as long: its private folder, its
// process group, the watchdog that enforces time limits on it, and the UNO connection to it.
// The word processor and its open documents share it, so a document can still be closed safely
// (or found dead) whatever happened to the word processor object.
#include "engine/libreoffice/failure_words.h"
#include "engine/libreoffice/outcome.h"
#include "engine/libreoffice/confinement.h"
#include "engine/libreoffice/process_group.h"
#include "engine/libreoffice/scratch_directory.h"
#include "engine/libreoffice/sigpipe_block.h"
#include "engine/libreoffice/uno_connection.h"
#include "engine/libreoffice/uno_strings.h"
#include "engine/libreoffice/watchdog.h"
#include "engine/libreoffice/zip_archive_sizes.h"
#include "engine/text_parts.h"

#include <com/sun/star/uno/Exception.hpp>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

struct SessionSettings {
    std::filesystem::path program;        // the soffice to run
    std::filesystem::path scratchParent; // where the private folder goes
    std::chrono::milliseconds timeLimit; // for starting, and for each document over all its steps
    std::filesystem::path profileTemplate; // a set-up profile to start from; empty: none
    std::uint64_t memoryLimit = 0;          // bytes of data LibreOffice may hold; 0: unlimited
    ZipExpansionLimits archiveLimits = kDefaultZipExpansionLimits;
    TextParts textParts;                   // what each text holds beyond the body, notes and boxes
};

class Session {
public:
    // Starts LibreOffice and connects to it. Throws std::exception (with the reason) when it
    // cannot; nothing it started is left behind then.
    explicit Session(const SessionSettings& settings);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    using Clock = std::chrono::steady_clock;

    // Runs `operation` (returning an Outcome) until `deadline` at most. Exceptions become
    // `ownFailure` (CouldNotOpen while reading, CouldNotSave while writing, None while closing);
    // any failure is then checked against LibreOffice's health, so that a kill by the watchdog
    // reads TimedOut (or TooLarge, when LibreOffice outgrew its memory) and a LibreOffice that
    // went away reads Stopped.
    template <class Operation>
    Outcome guarded(Failure ownFailure, Clock::time_point deadline, Operation&& operation);

    // A document gets one time limit over all its steps, counted from the start of its opening.
    Clock::time_point deadlineFor(Clock::time_point documentStart) const { return documentStart + m_timeLimit; }

    // True while LibreOffice runs and answers a call.
    bool answers();
    // True once LibreOffice was quit, killed or found dead: no more calls go to it.
    bool ended() const { return m_ended; }

    // Terminates LibreOffice, kills what is left of its process group and removes the private
    // folder. Safe to call more than once.
    void quit() noexcept;

    // Kills LibreOffice at once. Unlike everything else here it is safe from any thread, even
    // while another is inside a call, which then returns and fails as Stopped.
    void interrupt() noexcept { m_process.kill(); }

    const UnoConnection& uno() const { return m_connection; }
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }
    std::chrono::milliseconds timeLimit() const { return m_timeLimit; }
    const std::filesystem::path& scratchPath() const { return m_scratch.path(); }
    // A path in the private folder as LibreOffice sees it.
    std::filesystem::path seenInside(const std::filesystem::path& path) const { return m_confinement.seenInside(path); }
    std::vector<std::filesystem::path> ipcSocketFiles() const;
    const ZipExpansionLimits& archiveLimits() const { return m_archiveLimits; }
    const TextParts& textParts() const { return m_textParts; }

    // Removes the private folders and socket files under `scratchParent` of instances whose
    // program has ended. Those of live programs, and any still used by a process, stay.
    static void sweepAbandoned(const std::filesystem::path& scratchParent) noexcept;

private:
    Outcome checked(Outcome outcome, bool timeLimitPassed, Step step);
    bool outgrewMemory(); // the watchdog's probe
    Outcome timeLimitPassedBeforeStart(Step step) const;
    std::string profileUrl() const;
    void end() noexcept;

    ScratchDirectory m_scratch;
    std::string m_pipeName;
    Confinement m_confinement;
    ProcessGroup m_process;
    // The memory probe's; before m_watchdog, whose thread uses them until it is joined.
    std::uint64_t m_memoryLimit;
    std::atomic<bool> m_memoryExceeded = false;  // during the current operation
    std::atomic<std::uint64_t> m_memorySeen = 0; // the most data seen during it
    std::vector<pid_t> m_watched;                // only on the watchdog's thread
    Clock::time_point m_watchedSince;
    Watchdog m_watchdog; // after m_process: it kills that group, so must go first
    UnoConnection m_connection;
    std::chrono::milliseconds m_timeLimit;
    bool m_ended = false;
    bool m_quit = false;
    std::filesystem::path m_profileTemplate;
    ZipExpansionLimits m_archiveLimits;
    TextParts m_textParts;
};

template <class Operation>
Outcome Session::guarded(Failure ownFailure, Clock::time_point deadline, Operation&& operation)
{
    const Step step = ownFailure == Failure::CouldNotOpen ? Step::Reading
                    : ownFailure == Failure::CouldNotSave ? Step::Writing
                                                           : Step::Closing;
    if (m_ended)
        return {Failure::Stopped, wordsForStop(step), "LibreOffice is no longer running"};
    if (Clock::now() >= deadline)
        return timeLimitPassedBeforeStart(step);
    const SigpipeBlock sigpipeBlock;
    Outcome outcome;
    bool timeLimitPassed = false;
    {
        m_memoryExceeded = false;
        m_memorySeen = 0;
        Watchdog::Watch watch = m_watchdog.watchUntil(deadline);
        try {
            outcome = operation();
        } catch (const css::uno::Exception& exception) {
            outcome = {ownFailure, wordsForException(step), describeUnoException(exception)};
        } catch (const std::exception& exception) {
            outcome = {ownFailure, wordsForException(step), exception.what()};
        } catch (...) {
            outcome = {ownFailure, wordsForException(step), "unexpected error"};
        }
        timeLimitPassed = watch.finish();
    }
    return checked(std::move(outcome), timeLimitPassed, step);
}

} // namespace plainquill::engine::libreoffice
