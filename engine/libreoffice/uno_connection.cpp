#include "engine/libreoffice/uno_connection.h"

#include "engine/libreoffice/socket_connection.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

// LibreOffice opens its pipe about a second after it starts; asking often costs a failed connect
// each time and saves most of an interval on every start.
constexpr auto kConnectRetryInterval = std::chrono::milliseconds(10);

// Our own end of UNO: the type system and the bridge factories that talk to LibreOffice. It is
// process-wide infrastructure, not application state: UNO's runtime is itself process-global, it
// holds no data of any conversion, and making it again for every LibreOffice we start would only
// load the same libraries twice. Bootstrapping it once is therefore a function-local static, which
// the language makes thread-safe.
Reference<css::uno::XComponentContext> localComponentContext()
{
    static const Reference<css::uno::XComponentContext> context = [] {
        // Without URE_BOOTSTRAP the connection works but creating the desktop crashes: the local
        // runtime must find the same type libraries LibreOffice itself uses.
        rtl::Bootstrap::set(
            "URE_BOOTSTRAP",
            toUno("vnd.sun.star.pathname:" PLAINQUILL_LIBREOFFICE_PROGRAM_DIR "/fundamentalrc"));
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

} // namespace

void UnoConnection::reset()
{
    filters.clear();
    typeDetection.clear();
    desktop.clear();
    factory.clear();
    context.clear();
}

UnoConnection connectOverPipe(const std::filesystem::path& socket, std::chrono::steady_clock::time_point deadline,
                              const std::function<bool()>& stillAlive)
{
    Reference<css::connection::XConnection> link;
    while (!(link = connectToSocket(socket)).is()) {
        if (!stillAlive())
            throw std::runtime_error("LibreOffice exited before it accepted a connection");
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            throw std::runtime_error("LibreOffice did not accept a connection in time");
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kConnectRetryInterval, deadline - now));
    }
    // An unnamed bridge: it lives as long as the objects that came through it.
    const Reference<css::bridge::XBridge> bridge =
        css::bridge::BridgeFactory::create(localComponentContext())->createBridge("", "urp", link, {});
    const Reference<css::uno::XInterface> remote = bridge->getInstance("StarOffice.ComponentContext");
    if (!remote.is())
        throw std::runtime_error("LibreOffice offered no component context");

    UnoConnection connection;
    connection.context.set(remote, UNO_QUERY_THROW);
    connection.factory.set(connection.context->getServiceManager(), UNO_QUERY_THROW);
    connection.desktop = css::frame::Desktop::create(connection.context);
    connection.typeDetection.set(connection.factory->createInstanceWithContext(
                                      "com.sun.star.document.TypeDetection", connection.context),
                                  UNO_QUERY_THROW);
    connection.filters.set(connection.factory->createInstanceWithContext(
                               "com.sun.star.document.FilterFactory", connection.context),
                           UNO_QUERY_THROW);
    return connection;
}

} // namespace plainquill::engine::libreoffice
