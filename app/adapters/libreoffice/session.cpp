#include "app/adapters/libreoffice/session.h"

#include "app/adapters/libreoffice/ipc_socket_files.h"
#include "app/adapters/libreoffice/profile_settings.h"
#include "app/adapters/libreoffice/profile_template.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace plainquill::adapters::libreoffice {
namespace {

using namespace std::chrono_literals;

// Quitting and health checks need no work from LibreOffice, so they get less time than documents.
constexpr std::chrono::milliseconds kQuickCallLimit = 10s;
// After terminate() LibreOffice exits in about 50 ms; past this we kill it.
constexpr std::chrono::milliseconds kExitGrace = 3s;

std::string pipe_name_for(const ScratchDirectory& scratch)
{
    return scratch.unique_name() + "-" + std::to_string(::getpid());
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

std::string seconds_text(std::chrono::milliseconds limit)
{
    const auto count = limit.count();
    if (count % 1000 == 0)
        return std::to_string(count / 1000) + " s";
    return std::to_string(count) + " ms";
}

} // namespace

Session::Session(const SessionSettings& settings)
    : scratch_(settings.scratch_parent),
      pipe_name_(pipe_name_for(scratch_)),
      process_(settings.program, prepare_soffice(scratch_, pipe_name_, settings.profile_template),
               soffice_environment(scratch_)),
      watchdog_([this] { process_.kill(); }),
      time_limit_(settings.time_limit),
      profile_template_(settings.profile_template)
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

std::string Session::profile_url() const
{
    return file_url(scratch_.profile());
}

std::vector<std::filesystem::path> Session::ipc_socket_files() const
{
    return libreoffice::ipc_socket_files(pipe_name_, profile_url());
}

Outcome Session::checked(Outcome outcome, bool time_limit_passed, Step step)
{
    if (time_limit_passed) {
        end();
        return {Failure::TimedOut, words_for_time_limit(step, time_limit_),
                "LibreOffice did not finish within " + seconds_text(time_limit_) + " and was stopped"};
    }
    if (outcome.ok() || answers())
        return outcome;
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

} // namespace plainquill::adapters::libreoffice
