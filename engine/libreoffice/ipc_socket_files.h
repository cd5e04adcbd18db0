#pragma once
// The socket files a LibreOffice makes in /tmp: one for the pipe we connect through and one for
// its single-instance check. It removes them when it exits normally; after a kill they would stay
// behind, so we remove them once its processes are gone.
#include <filesystem>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

// Where a LibreOffice accepting on `pipe_name` with the user profile at `profile_url` puts its
// sockets (those in /tmp, or in /var/tmp when /tmp is not writable).
std::vector<std::filesystem::path> ipc_socket_files(const std::string& pipe_name,
                                                    const std::string& profile_url);

// Removes those that exist and are sockets.
void remove_ipc_socket_files(const std::string& pipe_name, const std::string& profile_url) noexcept;

} // namespace plainquill::engine::libreoffice
