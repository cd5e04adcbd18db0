#pragma once
// The socket files a LibreOffice makes in its /tmp: one for the pipe we connect through and one for
// its single-instance check. It removes them when it exits normally; after a kill they would stay
// behind, so we remove them once its processes are gone. (A confined LibreOffice's /tmp is its
// private folder, and goes with it.)
#include <filesystem>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

// The machine's folders for them: LibreOffice uses /tmp, or /var/tmp when /tmp is not writable.
inline const std::vector<std::filesystem::path> kMachineSocketFolders = {"/tmp", "/var/tmp"};

// Where a LibreOffice accepting on `pipeName` with the user profile at `profileUrl` (as it sees
// it) may put its sockets, given its socket folders as we see them.
std::vector<std::filesystem::path> ipcSocketFiles(const std::string& pipeName, const std::string& profileUrl,
                                                  const std::vector<std::filesystem::path>& folders);

// The pipe's socket: in the first of `folders` that can be written to, as LibreOffice chooses.
std::filesystem::path pipeSocketFile(const std::string& pipeName, const std::vector<std::filesystem::path>& folders);

// Removes those that exist and are sockets.
void removeIpcSocketFiles(const std::string& pipeName, const std::string& profileUrl,
                          const std::vector<std::filesystem::path>& folders) noexcept;

} // namespace plainquill::engine::libreoffice
