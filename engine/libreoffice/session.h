#pragma once
// One running LibreOffice and everything that lives exactly as long: its private folder, its
// process group, the watchdog that enforces time limits on it, and the UNO connection to it.
// The word processor and its open documents share it, so a document can still be closed safely
// (or found dead) whatever happened to the word processor object.
#include "engine/libreoffice/failure_words.h"
#include "engine/libreoffice/outcome.h"
#include "engine/libreoffice/process_group.h"
#include "engine/libreoffice/scratch_directory.h"
#include "engine/libreoffice/sigpipe_block.h"
#include "engine/libreoffice/uno_connection.h"
#include "engine/libreoffice/uno_strings.h"
#include "engine/libreoffice/watchdog.h"
#include "engine/libreoffice/zip_archive_sizes.h"

#include <com/sun/star/uno/Exception.hpp>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

struct SessionSettings {
    std::filesystem::path program;        // the soffice to run
    std::filesystem::path scratch_parent; // where the private folder goes
    std::chrono::milliseconds time_limit; // for starting, and for each document over all its steps
    std::filesystem::path profile_template; // a set-up profile to start from; empty: none
    std::uint64_t memory_limit = 0;         // bytes of data LibreOffice may hold; 0: unlimited
    ZipExpansionLimits archive_limits = kDefaultZipExpansionLimits;
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
    // `own_failure` (CouldNotOpen while reading, CouldNotSave while writing, None while closing);
    // any failure is then checked against LibreOffice's health, so that a kill by the watchdog
    // reads TimedOut (or TooLarge, when LibreOffice outgrew its memory) and a LibreOffice that
    // went away reads Stopped.
    template <class Operation>
    Outcome guarded(Failure own_failure, Clock::time_point deadline, Operation&& operation);

    // A document gets one time limit over all its steps, counted from the start of its opening.
    Clock::time_point deadline_for(Clock::time_point document_start) const { return document_start + time_limit_; }

    // True while LibreOffice runs and answers a call.
    bool answers();
    // True once LibreOffice was quit, killed or found dead: no more calls go to it.
    bool ended() const { return ended_; }

    // Terminates LibreOffice, kills what is left of its process group and removes the private
    // folder. Safe to call more than once.
    void quit() noexcept;

    // Kills LibreOffice at once. Unlike everything else here it is safe from any thread, even
    // while another is inside a call, which then returns and fails as Stopped.
    void interrupt() noexcept { process_.kill(); }

    const UnoConnection& uno() const { return connection_; }
    void set_time_limit(std::chrono::milliseconds limit) { time_limit_ = limit; }
    std::chrono::milliseconds time_limit() const { return time_limit_; }
    const std::filesystem::path& scratch_path() const { return scratch_.path(); }
    std::vector<std::filesystem::path> ipc_socket_files() const;
    const ZipExpansionLimits& archive_limits() const { return archive_limits_; }

    // Removes the private folders and socket files under `scratch_parent` of instances whose
    // program has ended. Those of live programs, and any still used by a process, stay.
    static void sweep_abandoned(const std::filesystem::path& scratch_parent) noexcept;

private:
    Outcome checked(Outcome outcome, bool time_limit_passed, Step step);
    bool outgrew_memory(); // the watchdog's probe
    Outcome time_limit_passed_before_start(Step step) const;
    std::string profile_url() const;
    void end() noexcept;

    ScratchDirectory scratch_;
    std::string pipe_name_;
    ProcessGroup process_;
    // The memory probe's; before watchdog_, whose thread uses them until it is joined.
    std::uint64_t memory_limit_;
    std::atomic<bool> memory_exceeded_ = false;  // during the current operation
    std::atomic<std::uint64_t> memory_seen_ = 0; // the most data seen during it
    std::vector<pid_t> watched_;                 // only on the watchdog's thread
    Clock::time_point watched_since_;
    Watchdog watchdog_; // after process_: it kills that group, so must go first
    UnoConnection connection_;
    std::chrono::milliseconds time_limit_;
    bool ended_ = false;
    bool quit_ = false;
    std::filesystem::path profile_template_;
    ZipExpansionLimits archive_limits_;
};

template <class Operation>
Outcome Session::guarded(Failure own_failure, Clock::time_point deadline, Operation&& operation)
{
    const Step step = own_failure == Failure::CouldNotOpen ? Step::Reading
                    : own_failure == Failure::CouldNotSave ? Step::Writing
                                                           : Step::Closing;
    if (ended_)
        return {Failure::Stopped, words_for_stop(step), "LibreOffice is no longer running"};
    if (Clock::now() >= deadline)
        return time_limit_passed_before_start(step);
    const SigpipeBlock sigpipe_block;
    Outcome outcome;
    bool time_limit_passed = false;
    {
        memory_exceeded_ = false;
        memory_seen_ = 0;
        Watchdog::Watch watch = watchdog_.watch_until(deadline);
        try {
            outcome = operation();
        } catch (const css::uno::Exception& exception) {
            outcome = {own_failure, words_for_exception(step), describe_uno_exception(exception)};
        } catch (const std::exception& exception) {
            outcome = {own_failure, words_for_exception(step), exception.what()};
        } catch (...) {
            outcome = {own_failure, words_for_exception(step), "unexpected error"};
        }
        time_limit_passed = watch.finish();
    }
    return checked(std::move(outcome), time_limit_passed, step);
}

} // namespace plainquill::engine::libreoffice
