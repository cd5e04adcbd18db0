#include "engine/libreoffice/session.h"

#include "engine/libreoffice/ipc_socket_files.h"
#include "engine/libreoffice/profile_settings.h"
#include "engine/libreoffice/profile_template.h"
#include "engine/proc_stat.h"

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

std::string pipeNameFor(const std::string& uniqueName, pid_t owner)
{
    return uniqueName + "-" + std::to_string(owner);
}

// True when some process's command line names `folder`: a LibreOffice that still uses it.
bool inUse(const std::filesystem::path& folder)
{
    const std::string text = folder.string();
    std::error_code error;
    for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
         entry.increment(error)) {
        std::ifstream file(entry->path() / "cmdline", std::ios::binary);
        const std::string commandLine{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (commandLine.find(text) != std::string::npos)
            return true;
    }
    return false;
}

// Seeds the still empty profile, writes our settings into it and gives soffice's command line,
// for a LibreOffice that sees the private folder as `inside`.
std::vector<std::string> prepareSoffice(const ScratchDirectory& scratch, const std::filesystem::path& inside,
                                        const std::string& pipeName, const std::filesystem::path& profileTemplate)
{
    seedProfile(scratch.profile(), profileTemplate);
    writeProfileSettings(scratch.profile());
    return {
        "-env:UserInstallation=" + fileUrl(ScratchDirectory::profileIn(inside)), // as Session::profileUrl()
        // A setting LibreOffice does not use: a confined one sees its folder elsewhere, and this
        // names it as we see it, for `ps` and for the sweep of folders nobody uses.
        "-env:PlainquillPrivateFolder=" + scratch.path().string(),
        "--accept=pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext",
        "--headless",
        "--invisible",
        "--norestore",
        "--nologo",
        "--nodefault",
        "--nolockcheck",
    };
}

// Ours, with temporary files sent into the private folder (seen as `inside`): what a killed
// LibreOffice leaves behind then goes when the folder goes.
std::vector<std::string> sofficeEnvironment(const std::filesystem::path& inside)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "TMPDIR=", 7) != 0)
            environment.emplace_back(*entry);
    }
    environment.push_back("TMPDIR=" + ScratchDirectory::temporaryFilesIn(inside).string());
    return environment;
}

// VmData of /proc/<pid>/status (what RLIMIT_DATA counts), if `pid` is still in `group`.
std::uint64_t dataSize(pid_t pid, pid_t group)
{
    const std::vector<std::string> fields = procStatFields(pid);
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
    : m_scratch(settings.scratchParent),
      m_pipeName(pipeNameFor(m_scratch.uniqueName(), ::getpid())),
      m_confinement(settings.program, m_scratch.path()),
      m_process(m_confinement.entry(),
                prepareSoffice(m_scratch, m_confinement.folderInside(), m_pipeName, settings.profileTemplate),
                m_confinement.environment(sofficeEnvironment(m_confinement.folderInside())),
                m_confinement.limits(settings.memoryLimit)),
      m_memoryLimit(settings.memoryLimit),
      m_watchdog([this] { m_process.kill(); }, [this] { return outgrewMemory(); }),
      m_timeLimit(settings.timeLimit),
      m_profileTemplate(settings.profileTemplate),
      m_archiveLimits(settings.archiveLimits),
      m_textParts(settings.textParts)
{
    const auto deadline = std::chrono::steady_clock::now() + m_timeLimit;
    std::string failure;
    {
        Watchdog::Watch watch = m_watchdog.watch(m_timeLimit);
        try {
            m_connection = connectOverPipe(pipeSocketFile(m_pipeName, m_confinement.socketFolders()), deadline,
                                           [this] { return m_process.running(); });
        } catch (const css::uno::Exception& exception) {
            failure = "cannot connect to LibreOffice: " + describeUnoException(exception);
        } catch (const std::exception& exception) {
            failure = exception.what();
        }
        // Out of time, the connection attempt fails in one of several ways; say what happened.
        if (watch.finish() || std::chrono::steady_clock::now() >= deadline)
            failure = "LibreOffice did not start within " + secondsText(m_timeLimit);
    }
    if (!failure.empty()) {
        m_ended = m_quit = true;
        m_process.kill();
        m_connection.reset();
        removeIpcSocketFiles(m_pipeName, profileUrl(), m_confinement.socketFolders());
        throw std::runtime_error(failure);
    }
}

Session::~Session()
{
    quit();
}

void Session::sweepAbandoned(const std::filesystem::path& scratchParent) noexcept
{
    try {
        for (const auto& abandoned : abandonedScratchDirectories(scratchParent)) {
            if (inUse(abandoned.path))
                continue;
            removeIpcSocketFiles(pipeNameFor(abandoned.path.filename().string(), abandoned.owner),
                                 fileUrl(ScratchDirectory::profileIn(abandoned.path)), kMachineSocketFolders);
            std::error_code ignored;
            std::filesystem::remove_all(abandoned.path, ignored);
        }
    } catch (...) {
        // Litter of earlier runs is no reason to fail this one.
    }
}

std::string Session::profileUrl() const
{
    return fileUrl(ScratchDirectory::profileIn(m_confinement.folderInside()));
}

std::vector<std::filesystem::path> Session::ipcSocketFiles() const
{
    return libreoffice::ipcSocketFiles(m_pipeName, profileUrl(), m_confinement.socketFolders());
}

bool Session::outgrewMemory()
{
    if (m_memoryLimit == 0)
        return false;
    // Finding the group's members means reading all of /proc: do it now and then, and only read
    // the members' own status in between.
    const auto now = Clock::now();
    if (m_watched.empty() || now - m_watchedSince >= kMemberRefresh) {
        m_watched = m_process.members();
        m_watchedSince = now;
    }
    std::uint64_t largest = 0;
    for (const pid_t pid : m_watched)
        largest = std::max(largest, dataSize(pid, m_process.group()));
    m_memorySeen = std::max<std::uint64_t>(m_memorySeen, largest);
    // Close to the limit, LibreOffice's allocations start to fail and it crashes slowly; stop it
    // before then and say why.
    if (largest < m_memoryLimit / 10 * 9)
        return false;
    m_memoryExceeded = true;
    return true;
}

Outcome Session::timeLimitPassedBeforeStart(Step step) const
{
    // LibreOffice is idle and well: only this document is given up.
    return {Failure::TimedOut, wordsForTimeLimit(step, m_timeLimit),
            "the document's time limit of " + secondsText(m_timeLimit) + " passed before this step began"};
}

Outcome Session::checked(Outcome outcome, bool timeLimitPassed, Step step)
{
    const Outcome tooLarge{Failure::TooLarge, wordsForMemoryLimit(m_memoryLimit),
                           "LibreOffice's memory passed " + std::to_string(m_memorySeen >> 20) + " MB"};
    if (timeLimitPassed) {
        end();
        if (m_memoryExceeded)
            return tooLarge;
        return {Failure::TimedOut, wordsForTimeLimit(step, m_timeLimit),
                "LibreOffice did not finish within " + secondsText(m_timeLimit) + " and was stopped"};
    }
    if (outcome.ok() || answers())
        return outcome;
    // Between two looks of the probe an allocation may have hit the hard limit and ended it.
    if (m_memoryLimit != 0 && m_memorySeen >= m_memoryLimit / 10 * 8)
        return tooLarge;
    return {Failure::Stopped, wordsForStop(step),
            "LibreOffice stopped" + (outcome.rawDetail.empty() ? "" : " (" + outcome.rawDetail + ")")};
}

bool Session::answers()
{
    if (m_ended)
        return false;
    if (!m_process.running()) {
        end();
        return false;
    }
    const SigpipeBlock sigpipeBlock;
    bool answered = false;
    {
        Watchdog::Watch watch = m_watchdog.watch(std::min(m_timeLimit, kQuickCallLimit));
        try {
            const css::uno::Reference<css::lang::XServiceInfo> desktop(m_connection.desktop,
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
    m_ended = true;
    m_process.kill();
}

void Session::quit() noexcept
{
    if (m_quit)
        return;
    m_quit = true;
    const SigpipeBlock sigpipeBlock;
    bool exitedByItself = false;
    try {
        bool terminating = false;
        if (!m_ended && m_process.running()) {
            Watchdog::Watch watch = m_watchdog.watch(std::min(m_timeLimit, kQuickCallLimit));
            try {
                terminating = m_connection.desktop->terminate();
            } catch (const css::lang::DisposedException&) {
                terminating = true; // it went before its answer reached us
            } catch (...) {
            }
            if (watch.finish())
                terminating = false;
        }
        m_ended = true;
        exitedByItself = terminating && m_process.waitForExit(kExitGrace);
    } catch (...) {
        // Whatever failed above, the kill below still ends LibreOffice.
    }
    m_process.kill();
    m_connection.reset();
    removeIpcSocketFiles(m_pipeName, profileUrl(), m_confinement.socketFolders());
    // Only a profile LibreOffice closed itself is known to be complete.
    if (exitedByItself)
        keepAsTemplate(m_scratch.profile(), m_profileTemplate);
    m_scratch.remove();
}

} // namespace plainquill::engine::libreoffice
