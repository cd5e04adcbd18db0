#include "engine/libreoffice/libreoffice_launcher.h"

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

std::string unwritable(const std::filesystem::path& temporary_folder)
{
    const std::string folder = temporary_folder.empty() ? std::string("the temporary folder")
                                                        : "the temporary folder " + temporary_folder.string();
    return folder + " cannot be written to; check that it exists and that you may write to it (or set TMPDIR to "
                    "a folder you may write to)";
}

} // namespace

std::string default_libreoffice_search_path()
{
    const char* path = std::getenv("PATH");
    std::string search_path = path != nullptr ? path : "";
    if (!search_path.empty())
        search_path += ':';
    return search_path + PLAINQUILL_LIBREOFFICE_PROGRAM_DIR;
}

LibreOfficeLauncher::LibreOfficeLauncher(LibreOfficeOptions options) : options_(std::move(options))
{
}

std::unique_ptr<WordProcessor> LibreOfficeLauncher::Start()
{
    return StartLibreOffice();
}

std::unique_ptr<LibreOffice> LibreOfficeLauncher::StartLibreOffice()
{
    last_start_failure_ = {};
    const auto program = libreoffice::find_program(options_.program, options_.search_path);
    if (!program) {
        last_start_failure_ = {false, {}, "LibreOffice (" + options_.program + ") is not installed"};
        return nullptr;
    }
    std::filesystem::path scratch_parent = options_.scratch_parent;
    try {
        if (scratch_parent.empty())
            scratch_parent = std::filesystem::temp_directory_path();
    } catch (const std::exception& error) {
        last_start_failure_ = {true, unwritable({}), error.what()};
        return nullptr;
    }
    try {
        libreoffice::Session::sweep_abandoned(scratch_parent);
        // Every thread started with LibreOffice (the watchdog, UNO's bridge) keeps SIGPIPE blocked.
        const libreoffice::SigpipeBlock sigpipe_block;
        auto session = std::make_shared<libreoffice::Session>(
            libreoffice::SessionSettings{*program, scratch_parent, options_.time_limit,
                                         options_.reuse_profile ? libreoffice::default_profile_template(*program)
                                                                : std::filesystem::path(),
                                         options_.memory_limit, options_.archive_limits});
        return std::make_unique<LibreOffice>(std::move(session));
    } catch (const libreoffice::ScratchFolderError& error) {
        last_start_failure_ = {true, unwritable(scratch_parent), error.what()};
    } catch (const std::exception& error) {
        last_start_failure_ = {true, kDidNotStart, error.what()};
    } catch (...) {
        last_start_failure_ = {true, kDidNotStart, "unexpected error"};
    }
    return nullptr;
}

} // namespace plainquill::engine
