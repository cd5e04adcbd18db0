#pragma once
// Starts LibreOffice word processors: each Start runs a fresh, private, headless LibreOffice.
#include "app/adapters/libreoffice/libreoffice.h"
#include "app/adapters/word_processor.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace plainquill::adapters {

// How long starting LibreOffice, or any one operation on a document, may take before LibreOffice
// is killed. Generous: a long document takes seconds, a hung one takes forever.
inline constexpr std::chrono::milliseconds kDefaultLibreOfficeTimeLimit = std::chrono::seconds(120);

// $PATH, then the folder Debian's packages install LibreOffice in.
std::string default_libreoffice_search_path();

struct LibreOfficeOptions {
    std::string program = "soffice";                       // a name to look up, or a path
    std::string search_path = default_libreoffice_search_path(); // where a bare name is looked up
    std::chrono::milliseconds time_limit = kDefaultLibreOfficeTimeLimit;
    std::filesystem::path scratch_parent;                  // for private folders; empty: system temp
    bool reuse_profile = true; // seed each private profile from one kept in the user's cache folder
};

class LibreOfficeLauncher final : public WordProcessorLauncher {
public:
    LibreOfficeLauncher() = default;
    explicit LibreOfficeLauncher(LibreOfficeOptions options);

    std::unique_ptr<WordProcessor> Start() override;
    // The same, with the concrete type.
    std::unique_ptr<LibreOffice> StartLibreOffice();

    StartFailure last_start_failure() const override { return last_start_failure_; }
    // Why the last Start returned null, in LibreOffice's or the system's words ("" after a
    // successful one).
    const std::string& last_failure() const { return last_start_failure_.raw_detail; }

private:
    LibreOfficeOptions options_;
    StartFailure last_start_failure_;
};

} // namespace plainquill::adapters
