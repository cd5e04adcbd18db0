#pragma once
// Starts LibreOffice word processors: each Start runs a fresh, private, headless LibreOffice.
#include "engine/libreoffice/layout_crashes.h"
#include "engine/libreoffice/libreoffice.h"
#include "engine/libreoffice/zip_archive_sizes.h"
#include "engine/text_parts.h"
#include "engine/word_processor.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace plainquill::engine {

// How long starting LibreOffice, or one document from the start of its opening to the end of its
// closing, may take before LibreOffice is killed. Generous: a long document takes seconds, a hung
// one takes forever.
inline constexpr std::chrono::milliseconds kDefaultLibreOfficeTimeLimit = std::chrono::seconds(120);

// The data (heap) LibreOffice may hold, as RLIMIT_DATA. Idle it holds about 160 MB, and about
// 1.3 kB more for each paragraph of an open document: this is room for a million paragraphs.
// A document that needs more fails as too large. (RLIMIT_AS would also count the libraries and
// thread stacks LibreOffice maps but barely touches, about 300 MB more and varying.)
inline constexpr std::uint64_t kDefaultLibreOfficeMemoryLimit = std::uint64_t{2} << 30;

// $PATH, then the folder Debian's packages install LibreOffice in.
std::string defaultLibreOfficeSearchPath();

struct LibreOfficeOptions {
    std::string program = "soffice";                       // a name to look up, or a path
    std::string searchPath = defaultLibreOfficeSearchPath(); // where a bare name is looked up
    std::chrono::milliseconds timeLimit = kDefaultLibreOfficeTimeLimit;
    std::filesystem::path scratchParent;                   // for private folders; empty: system temp
    bool reuseProfile = true; // seed each private profile from one kept in the user's cache folder
    std::uint64_t memoryLimit = kDefaultLibreOfficeMemoryLimit; // 0: unlimited
    libreoffice::ZipExpansionLimits archiveLimits = libreoffice::kDefaultZipExpansionLimits;
    TextParts textParts; // headers, footers, comments: none unless asked for
};

class LibreOfficeLauncher final : public WordProcessorLauncher {
public:
    LibreOfficeLauncher() = default;
    explicit LibreOfficeLauncher(LibreOfficeOptions options);

    std::unique_ptr<WordProcessor> Start() override;
    // The same, with the concrete type.
    std::unique_ptr<LibreOffice> StartLibreOffice();

    StartFailure lastStartFailure() const override { return m_lastStartFailure; }
    std::optional<OpenResult> refusalBeforeStart(const std::filesystem::path& file) const override;
    // Why the last Start returned null, in LibreOffice's or the system's words ("" after a
    // successful one).
    const std::string& lastFailure() const { return m_lastStartFailure.rawDetail; }

private:
    LibreOfficeOptions m_options;
    StartFailure m_lastStartFailure;
    std::shared_ptr<libreoffice::LayoutCrashes> m_layoutCrashes = std::make_shared<libreoffice::LayoutCrashes>();
};

} // namespace plainquill::engine
