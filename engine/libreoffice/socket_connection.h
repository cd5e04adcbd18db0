#pragma once
// A UNO connection over a unix socket named by its path. UNO's own connector looks for a pipe by
// name in the caller's /tmp; a confined LibreOffice keeps its pipe in its private folder, which is
// its /tmp alone.
#include <com/sun/star/connection/XConnection.hpp>

#include <filesystem>

namespace plainquill::engine::libreoffice {

// Connected to the socket at `path`; null while nobody listens there (yet). Throws
// std::system_error for any other failure.
css::uno::Reference<css::connection::XConnection> connectToSocket(const std::filesystem::path& path);

} // namespace plainquill::engine::libreoffice
