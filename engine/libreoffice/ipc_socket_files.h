#pragma once
// The socket files a LibreOffice makes in /tmp: one for the pipe we connect through and one for
// its single-instance check. It removes them when it exits normally; after a kill they would stay
// behind, so we remove them once its processes are gone.
#include <filesystem>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

// Where a LibreOffice accepting on `pipeName` with the user profile at `profileUrl` puts its
// sockets (those in /tmp, or in /var/tmp when /tmp is not writable).
std::vector<std::filesystem::path> ipcSocketFiles(const std::string& pipeName,
                                                  const std::string& profileUrl);

// Removes those that exist and are sockets.
void removeIpcSocketFiles(const std::string& pipeName, const std::string& profileUrl) noexcept;

} // namespace plainquill::engine::libreoffice
