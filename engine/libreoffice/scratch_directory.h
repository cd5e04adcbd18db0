#pragma once
// A private folder for one LibreOffice: its user profile and its temporary files. Keeping both
// here means a user's own LibreOffice never sees ours, and whatever a killed instance leaves
// behind goes away with the folder.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace plainquill::engine::libreoffice {

// The folder could not be made: the likeliest reason an installed LibreOffice cannot start, and
// one the user can mend, so it is told apart from LibreOffice's own start-up failures.
struct ScratchFolderError : std::system_error {
    using std::system_error::system_error;
};

class ScratchDirectory {
public:
    // Creates a fresh folder "plainquill-lo-XXXXXX" under `parent`, marked with this program as
    // its owner. Throws ScratchFolderError when `parent` takes no folder, std::exception else.
    explicit ScratchDirectory(const std::filesystem::path& parent);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path profile() const { return profileIn(m_path); }
    std::filesystem::path temporaryFiles() const { return temporaryFilesIn(m_path); }
    // The same, under the folder as seen by a program that sees it elsewhere (confinement.h).
    static std::filesystem::path profileIn(const std::filesystem::path& folder) { return folder / "profile"; }
    static std::filesystem::path temporaryFilesIn(const std::filesystem::path& folder) { return folder / "tmp"; }
    // The random part of the folder's name: unique among live instances, good for naming the pipe.
    std::string uniqueName() const { return m_path.filename().string(); }

    // Deletes the folder and everything in it. Safe to call more than once.
    void remove() noexcept;

private:
    std::filesystem::path m_path;
    bool m_removed = false;
};

struct AbandonedScratchDirectory {
    std::filesystem::path path;
    pid_t owner; // the program that made it, now gone
};

// The private folders under `parent` whose owning program has ended: its process is gone, or its
// id now belongs to a process started later. Folders whose owner cannot be told are left out.
std::vector<AbandonedScratchDirectory> abandonedScratchDirectories(const std::filesystem::path& parent);

} // namespace plainquill::engine::libreoffice
