#pragma once
// Everything that keeps one LibreOffice within its private folder: Landlock's rules (landlock.h),
// namespaces of its own where the kernel allows them (private_namespaces.h), and nothing to run
// but its own program files (program_files.h). Made before LibreOffice starts and kept while it
// runs: it also says where LibreOffice's paths lie, seen from inside and from here.
#include "engine/libreoffice/landlock.h"
#include "engine/libreoffice/private_namespaces.h"
#include "engine/libreoffice/process_group.h"
#include "engine/libreoffice/program_files.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

class Confinement {
public:
    // For `program` (an soffice, or a program in its place) whose one writable folder is
    // `privateFolder`. Throws std::system_error when the kernel refuses the rules it offers.
    Confinement(const std::filesystem::path& program, const std::filesystem::path& privateFolder);

    // What to execute, and the environment to give it: `environment` and what it needs beside.
    const std::filesystem::path& entry() const { return m_files.entry; }
    std::vector<std::string> environment(std::vector<std::string> environment) const;
    // The private folder as the program sees it: every path it is given lies under it.
    std::filesystem::path folderInside() const;
    // `path`, in the private folder, as the program sees it.
    std::filesystem::path seenInside(const std::filesystem::path& path) const;
    // Where the program's /tmp (and so its sockets) lies, seen from here; the first it can write
    // is the one it uses.
    std::vector<std::filesystem::path> socketFolders() const;
    // The limits that start the program confined, `dataBytes` of data at most.
    ProcessLimits limits(std::uint64_t dataBytes) const;

private:
    std::filesystem::path m_privateFolder;
    ProgramFiles m_files;
    SandboxFolders m_folders; // but the private parts
    std::optional<PrivateNamespaces> m_namespaces;
    LandlockRuleset m_ruleset;
};

// What this system offers to confine a program with.
struct ConfinementFeatures {
    int landlockAbi = 0;
    bool privateNamespaces = false;
};
ConfinementFeatures confinementFeatures();

// What a program that starts LibreOffice says once: which ways out stay open and why; "" when
// none does.
std::string confinementWarning(const ConfinementFeatures& features);

} // namespace plainquill::engine::libreoffice
