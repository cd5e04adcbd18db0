// plainquill-gallery: renders the drawn controls headlessly and writes PNGs, so anyone can check
// a look pixel by pixel. See gallery_command_line.h for the two ways to call it.
#include "controls/registry/standard_controls.h"
#include "gallery/gallery_command_line.h"
#include "gallery/gallery_looks.h"
#include "gallery/gallery_sheet.h"
#include "gallery/render_control.h"
#include "platform/raster/qimage_bridge.h"

#include <QApplication>

#include <iostream>

namespace {

using namespace plainquill;

constexpr int kUsageFailure = 2;
constexpr int kWriteFailure = 1;

int writeImage(const QImage& image, const std::string& out)
{
    if (!image.save(QString::fromStdString(out), "PNG")) {
        std::cerr << "plainquill-gallery: cannot write " << out << "\n";
        return kWriteFailure;
    }
    return 0;
}

int run(const gallery::SheetRequest& request)
{
    const gallery::Sheet sheet =
        gallery::renderSheet(controls::standardControlClasses(), gallery::galleryLooks(), request.presentation);
    for (const std::string& failure : sheet.failures)
        std::cerr << "plainquill-gallery: " << failure << "\n";
    return writeImage(sheet.image, request.out);
}

int run(const gallery::SingleRequest& request)
{
    const auto result = gallery::renderControl(controls::standardControlClasses(), request.className, request.size,
                                               request.stored, request.state, request.presentation);
    if (const auto* failure = std::get_if<gallery::RenderFailure>(&result)) {
        std::cerr << "plainquill-gallery: " << failure->message << "\n";
        return kUsageFailure;
    }
    return writeImage(raster::toQImage(std::get<contracts::Bitmap>(result)), request.out);
}

int run(const gallery::HelpRequest&)
{
    std::cout << gallery::usage() << "\n";
    return 0;
}

int run(const gallery::UsageError& error)
{
    std::cerr << "plainquill-gallery: " << error.message << "\n";
    return kUsageFailure;
}

} // namespace

int main(int argc, char* argv[])
{
    // Headless: nothing is shown, so no display is needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const gallery::Request request = gallery::parseCommandLine(arguments);
    return std::visit([](const auto& r) { return run(r); }, request);
}
