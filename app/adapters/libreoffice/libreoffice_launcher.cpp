#include "app/adapters/libreoffice/libreoffice_launcher.h"

#include "app/adapters/libreoffice/profile_template.h"

#include "app/adapters/libreoffice/program_lookup.h"
#include "app/adapters/libreoffice/session.h"
#include "app/adapters/libreoffice/sigpipe_block.h"

#include <cstdlib>
#include <utility>

namespace plainquill::adapters {

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
    last_failure_.clear();
    const auto program = libreoffice::find_program(options_.program, options_.search_path);
    if (!program) {
        last_failure_ = "LibreOffice (" + options_.program + ") is not installed";
        return nullptr;
    }
    try {
        std::filesystem::path scratch_parent = options_.scratch_parent;
        if (scratch_parent.empty())
            scratch_parent = std::filesystem::temp_directory_path();
        libreoffice::Session::sweep_abandoned(scratch_parent);
        // Every thread started with LibreOffice (the watchdog, UNO's bridge) keeps SIGPIPE blocked.
        const libreoffice::SigpipeBlock sigpipe_block;
        auto session = std::make_shared<libreoffice::Session>(
            libreoffice::SessionSettings{*program, scratch_parent, options_.time_limit,
                                         options_.reuse_profile ? libreoffice::default_profile_template(*program)
                                                                : std::filesystem::path(),
                                         options_.memory_limit, options_.archive_limits});
        return std::make_unique<LibreOffice>(std::move(session));
    } catch (const std::exception& error) {
        last_failure_ = error.what();
    } catch (...) {
        last_failure_ = "LibreOffice could not be started";
    }
    return nullptr;
}

} // namespace plainquill::adapters
