#include "engine/libreoffice/libreoffice_launcher.h"

#include "engine/libreoffice/input_checks.h"
#include "engine/libreoffice/profile_template.h"

#include "engine/libreoffice/program_lookup.h"
#include "engine/libreoffice/scratch_directory.h"
#include "engine/libreoffice/session.h"
#include "engine/libreoffice/sigpipe_block.h"

#include <cstdlib>
#include <utility>

namespace plainquill::engine {
namespace {

constexpr const char* kDidNotStart =
    "it stopped or did not answer while starting; try again, and reinstall LibreOffice if it keeps failing";

std::string unwritable(const std::filesystem::path& temporaryFolder)
{
    const std::string folder = temporaryFolder.empty() ? std::string("the temporary folder")
                                                        : "the temporary folder " + temporaryFolder.string();
    return folder + " cannot be written to; check that it exists and that you may write to it (or set TMPDIR to "
                    "a folder you may write to)";
}

} // namespace

std::string defaultLibreOfficeSearchPath()
{
    const char* path = std::getenv("PATH");
    std::string searchPath = path != nullptr ? path : "";
    if (!searchPath.empty())
        searchPath += ':';
    return searchPath + PLAINQUILL_LIBREOFFICE_PROGRAM_DIR;
}

LibreOfficeLauncher::LibreOfficeLauncher(LibreOfficeOptions options) : m_options(std::move(options))
{
}

std::unique_ptr<WordProcessor> LibreOfficeLauncher::Start()
{
    return StartLibreOffice();
}

std::optional<OpenResult> LibreOfficeLauncher::refusalBeforeStart(const std::filesystem::path& file) const
{
    return libreoffice::refusalBeforeOpening(file, m_options.archiveLimits);
}

std::unique_ptr<LibreOffice> LibreOfficeLauncher::StartLibreOffice()
{
    m_lastStartFailure = {};
    const auto program = libreoffice::findProgram(m_options.program, m_options.searchPath);
    if (!program) {
        m_lastStartFailure = {false, {}, "LibreOffice (" + m_options.program + ") is not installed"};
        return nullptr;
    }
    std::filesystem::path scratchParent = m_options.scratchParent;
    try {
        if (scratchParent.empty())
            scratchParent = std::filesystem::temp_directory_path();
    } catch (const std::exception& error) {
        m_lastStartFailure = {true, unwritable({}), error.what()};
        return nullptr;
    }
    try {
        libreoffice::Session::sweepAbandoned(scratchParent);
        // Every thread started with LibreOffice (the watchdog, UNO's bridge) keeps SIGPIPE blocked.
        const libreoffice::SigpipeBlock sigpipeBlock;
        auto session = std::make_shared<libreoffice::Session>(
            libreoffice::SessionSettings{*program, scratchParent, m_options.timeLimit,
                                         m_options.reuseProfile ? libreoffice::defaultProfileTemplate(*program)
                                                                : std::filesystem::path(),
                                         m_options.memoryLimit, m_options.archiveLimits, m_options.textParts});
        return std::make_unique<LibreOffice>(std::move(session), m_layoutCrashes);
    } catch (const libreoffice::ScratchFolderError& error) {
        m_lastStartFailure = {true, unwritable(scratchParent), error.what()};
    } catch (const std::exception& error) {
        m_lastStartFailure = {true, kDidNotStart, error.what()};
    } catch (...) {
        m_lastStartFailure = {true, kDidNotStart, "unexpected error"};
    }
    return nullptr;
}

} // namespace plainquill::engine
