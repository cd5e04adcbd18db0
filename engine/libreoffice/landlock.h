#pragma once
// Confinement of LibreOffice with the kernel's Landlock. LibreOffice opens whatever local file a
// document names (a picture, a style sheet), so instead of closing each way in, each LibreOffice
// may read only the system folders it runs from and its own private folder, write only the
// latter, run only its own program files, open no TCP connection, and signal no process and
// reach no abstract socket outside its own. The ruleset is made before the fork; the child only
// applies it, which is async-signal-safe.
#include <filesystem>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

// What a confined program may reach. Paths that do not exist are left out.
struct SandboxFolders {
    std::vector<std::filesystem::path> readable; // read, with everything beneath
    std::vector<std::filesystem::path> executable; // read and run
    std::vector<std::filesystem::path> writable; // anything, with everything beneath
    std::vector<std::filesystem::path> socketFolders; // may only make and remove files (UNO's pipe)
};

// The Landlock ABI version this kernel offers; 0 when it offers none.
int landlockAbi() noexcept;

// The first ABI whose rulesets keep signals and abstract sockets within the confined processes.
inline constexpr int kLandlockScopesAbi = 6;

// A Landlock ruleset, ready to be applied. Holds no descriptor when the kernel has no Landlock.
class LandlockRuleset {
public:
    // Throws std::system_error when the kernel has Landlock but refuses the rules.
    explicit LandlockRuleset(const SandboxFolders& folders);
    ~LandlockRuleset();
    LandlockRuleset(const LandlockRuleset&) = delete;
    LandlockRuleset& operator=(const LandlockRuleset&) = delete;

    // -1 when nothing is to be applied.
    int fd() const { return m_fd; }

private:
    void allow(const std::filesystem::path& path, unsigned long long access);

    int m_fd = -1;
    int m_abi = 0;
};

// Confines the calling process, and what it runs from now on, to `rulesetFd`'s rules; nothing
// when it is -1. Async-signal-safe, for the child between fork and exec. Returns 0 or errno.
int confineSelf(int rulesetFd) noexcept;

} // namespace plainquill::engine::libreoffice
