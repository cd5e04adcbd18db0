#include "engine/libreoffice/session.h"

#include "engine/libreoffice/ipc_socket_files.h"
#include "engine/libreoffice/proc_stat.h"
#include "engine/libreoffice/profile_settings.h"
#include "engine/libreoffice/profile_template.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace plainquill::engine::libreoffice {
namespace {

using namespace std::chrono_literals;

// Quitting and health checks need no work from LibreOffice, so they get less time than documents.
constexpr std::chrono::milliseconds kQuickCallLimit = 10s;
// How often the memory probe looks for new processes in LibreOffice's group.
constexpr std::chrono::milliseconds kMemberRefresh = 1s;
// After terminate() LibreOffice exits in about 50 ms; past this we kill it.
constexpr std::chrono::milliseconds kExitGrace = 3s;

std::string pipe_name_for(const std::string& unique_name, pid_t owner)
{
    return unique_name + "-" + std::to_string(owner);
}

// True when some process's command line names `folder`: a LibreOffice that still uses it.
bool in_use(const std::filesystem::path& folder)
{
    const std::string text = folder.string();
    std::error_code error;
    for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
         entry.increment(error)) {
        std::ifstream file(entry->path() / "cmdline", std::ios::binary);
        const std::string command_line{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (command_line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

// Seeds the still empty profile, writes our settings into it and gives soffice's command line.
std::vector<std::string> prepare_soffice(const ScratchDirectory& scratch, const std::string& pipe_name,
                                         const std::filesystem::path& profile_template)
{
    seed_profile(scratch.profile(), profile_template);
    write_profile_settings(scratch.profile());
    return {
        "-env:UserInstallation=" + file_url(scratch.profile()), // as Session::profile_url()
        "--accept=pipe,name=" + pipe_name + ";urp;StarOffice.ComponentContext",
        "--headless",
        "--invisible",
        "--norestore",
        "--nologo",
        "--nodefault",
        "--nolockcheck",
    };
}

// Ours, with temporary files sent into the private folder: what a killed LibreOffice leaves
// behind then goes when the folder goes.
std::vector<std::string> soffice_environment(const ScratchDirectory& scratch)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "TMPDIR=", 7) != 0)
            environment.emplace_back(*entry);
    }
    environment.push_back("TMPDIR=" + scratch.temporary_files().string());
    return environment;
}

// VmData of /proc/<pid>/status (what RLIMIT_DATA counts), if `pid` is still in `group`.
std::uint64_t data_size(pid_t pid, pid_t group)
{
    const std::vector<std::string> fields = proc_stat_fields(pid);
    if (fields.size() < 3 || fields[2] != std::to_string(group))
        return 0; // gone, and its id perhaps someone else's now
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmData:", 0) == 0)
            return std::strtoull(line.c_str() + 7, nullptr, 10) * 1024;
    }
    return 0;
}


} // namespace

Session::Session(const SessionSettings& settings)
    : scratch_(settings.scratch_parent),
      pipe_name_(pipe_name_for(scratch_.unique_name(), ::getpid())),
      process_(settings.program, prepare_soffice(scratch_, pipe_name_, settings.profile_template),
               soffice_environment(scratch_), ProcessLimits{settings.memory_limit}),
      memory_limit_(settings.memory_limit),
      watchdog_([this] { process_.kill(); }, [this] { return outgrew_memory(); }),
      time_limit_(settings.time_limit),
      profile_template_(settings.profile_template),
      archive_limits_(settings.archive_limits)
{
    const auto deadline = std::chrono::steady_clock::now() + time_limit_;
    std::string failure;
    {
        Watchdog::Watch watch = watchdog_.watch(time_limit_);
        try {
            connection_ = connect_over_pipe(pipe_name_, deadline, [this] { return process_.running(); });
        } catch (const css::uno::Exception& exception) {
            failure = "cannot connect to LibreOffice: " + describe_uno_exception(exception);
        } catch (const std::exception& exception) {
            failure = exception.what();
        }
        // Out of time, the connection attempt fails in one of several ways; say what happened.
        if (watch.finish() || std::chrono::steady_clock::now() >= deadline)
            failure = "LibreOffice did not start within " + seconds_text(time_limit_);
    }
    if (!failure.empty()) {
        ended_ = quit_ = true;
        process_.kill();
        connection_.reset();
        remove_ipc_socket_files(pipe_name_, profile_url());
        throw std::runtime_error(failure);
    }
}

Session::~Session()
{
    quit();
}

void Session::sweep_abandoned(const std::filesystem::path& scratch_parent) noexcept
{
    try {
        for (const auto& abandoned : abandoned_scratch_directories(scratch_parent)) {
            if (in_use(abandoned.path))
                continue;
            remove_ipc_socket_files(pipe_name_for(abandoned.path.filename().string(), abandoned.owner),
                                    file_url(abandoned.path / "profile"));
            std::error_code ignored;
            std::filesystem::remove_all(abandoned.path, ignored);
        }
    } catch (...) {
        // Litter of earlier runs is no reason to fail this one.
    }
}

std::string Session::profile_url() const
{
    return file_url(scratch_.profile());
}

std::vector<std::filesystem::path> Session::ipc_socket_files() const
{
    return libreoffice::ipc_socket_files(pipe_name_, profile_url());
}

bool Session::outgrew_memory()
{
    if (memory_limit_ == 0)
        return false;
    // Finding the group's members means reading all of /proc: do it now and then, and only read
    // the members' own status in between.
    const auto now = Clock::now();
    if (watched_.empty() || now - watched_since_ >= kMemberRefresh) {
        watched_ = process_.members();
        watched_since_ = now;
    }
    std::uint64_t largest = 0;
    for (const pid_t pid : watched_)
        largest = std::max(largest, data_size(pid, process_.group()));
    memory_seen_ = std::max<std::uint64_t>(memory_seen_, largest);
    // Close to the limit, LibreOffice's allocations start to fail and it crashes slowly; stop it
    // before then and say why.
    if (largest < memory_limit_ / 10 * 9)
        return false;
    memory_exceeded_ = true;
    return true;
}

Outcome Session::time_limit_passed_before_start(Step step) const
{
    // LibreOffice is idle and well: only this document is given up.
    return {Failure::TimedOut, words_for_time_limit(step, time_limit_),
            "the document's time limit of " + seconds_text(time_limit_) + " passed before this step began"};
}

Outcome Session::checked(Outcome outcome, bool time_limit_passed, Step step)
{
    const Outcome too_large{Failure::TooLarge, words_for_memory_limit(memory_limit_),
                            "LibreOffice's memory passed " + std::to_string(memory_seen_ >> 20) + " MB"};
    if (time_limit_passed) {
        end();
        if (memory_exceeded_)
            return too_large;
        return {Failure::TimedOut, words_for_time_limit(step, time_limit_),
                "LibreOffice did not finish within " + seconds_text(time_limit_) + " and was stopped"};
    }
    if (outcome.ok() || answers())
        return outcome;
    // Between two looks of the probe an allocation may have hit the hard limit and ended it.
    if (memory_limit_ != 0 && memory_seen_ >= memory_limit_ / 10 * 8)
        return too_large;
    return {Failure::Stopped, words_for_stop(step),
            "LibreOffice stopped" + (outcome.raw_detail.empty() ? "" : " (" + outcome.raw_detail + ")")};
}

bool Session::answers()
{
    if (ended_)
        return false;
    if (!process_.running()) {
        end();
        return false;
    }
    const SigpipeBlock sigpipe_block;
    bool answered = false;
    {
        Watchdog::Watch watch = watchdog_.watch(std::min(time_limit_, kQuickCallLimit));
        try {
            const css::uno::Reference<css::lang::XServiceInfo> desktop(connection_.desktop,
                                                                       css::uno::UNO_QUERY_THROW);
            desktop->getImplementationName();
            answered = true;
        } catch (...) {
        }
        if (watch.finish())
            answered = false;
    }
    if (!answered)
        end();
    return answered;
}

void Session::end() noexcept
{
    ended_ = true;
    process_.kill();
}

void Session::quit() noexcept
{
    if (quit_)
        return;
    quit_ = true;
    const SigpipeBlock sigpipe_block;
    bool exited_by_itself = false;
    try {
        bool terminating = false;
        if (!ended_ && process_.running()) {
            Watchdog::Watch watch = watchdog_.watch(std::min(time_limit_, kQuickCallLimit));
            try {
                terminating = connection_.desktop->terminate();
            } catch (const css::lang::DisposedException&) {
                terminating = true; // it went before its answer reached us
            } catch (...) {
            }
            if (watch.finish())
                terminating = false;
        }
        ended_ = true;
        exited_by_itself = terminating && process_.wait_for_exit(kExitGrace);
    } catch (...) {
        // Whatever failed above, the kill below still ends LibreOffice.
    }
    process_.kill();
    connection_.reset();
    remove_ipc_socket_files(pipe_name_, profile_url());
    // Only a profile LibreOffice closed itself is known to be complete.
    if (exited_by_itself)
        keep_as_template(scratch_.profile(), profile_template_);
    scratch_.remove();
}

} // namespace plainquill::engine::libreoffice
