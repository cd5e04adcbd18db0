#pragma once
// The UNO link to one running LibreOffice: its component context, its service factory and its
// desktop, reached through the pipe it listens on.
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace plainquill::engine::libreoffice {

struct UnoConnection {
    css::uno::Reference<css::uno::XComponentContext> context;
    css::uno::Reference<css::lang::XMultiComponentFactory> factory;
    css::uno::Reference<css::frame::XDesktop2> desktop;
    // Asked once per document; fetched once per connection.
    css::uno::Reference<css::document::XTypeDetection> typeDetection;
    css::uno::Reference<css::container::XNameAccess> filters;

    // Lets go of the remote objects; the bridge closes once nothing refers to it.
    void reset();
};

// Connects to the LibreOffice listening on the pipe whose socket is `socket`. LibreOffice opens
// its pipe a while after it starts, so we retry while `stillAlive()` and until `deadline`.
// Throws std::exception or a UNO exception when it cannot connect.
UnoConnection connectOverPipe(const std::filesystem::path& socket, std::chrono::steady_clock::time_point deadline,
                              const std::function<bool()>& stillAlive);

} // namespace plainquill::engine::libreoffice
