// Plainquill: converts word-processor documents to plain text in batches.
#include "app/adapters/shell.h"
#include "app/startup/command_line.h"
#include "app/startup/open_with_handover.h"
#include "app/startup/resource_folder.h"
#include "app/startup/single_instance.h"
#include "app/startup/termination_signals.h"
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/libreoffice/confinement.h"
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "engine/standby_workers.h"
#include "platform/host/accessible_control.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

std::vector<std::string> arguments(int argc, char* argv[])
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

std::filesystem::path workingFolder()
{
    std::error_code error;
    return std::filesystem::current_path(error);
}

// The program's folder before any window exists: the toolkit's answer needs an application object,
// which needs a display.
QString programFolderOf(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return QFileInfo(error ? QString::fromLocal8Bit(argv0) : QString::fromStdString(self.native())).absolutePath();
}

// --help and --version, answered without a display; nothing when the program is to start.
std::optional<int> answerWithoutWindow(const plainquill::StartRequest& asked, const QString& helpPage)
{
    if (asked.action == plainquill::StartAction::ShowHelp) {
        const bool found = QFileInfo::exists(helpPage);
        std::fputs(plainquill::startHelpText(found ? helpPage.toStdString() : std::string()).c_str(), stdout);
        return 0;
    }
    if (asked.action == plainquill::StartAction::ShowVersion) {
        std::fputs(plainquill::startVersionText().c_str(), stdout);
        return 0;
    }
    return std::nullopt;
}

// What the user should know before the window opens: missing files of ours, paths left out.
void warnBeforeStart(const plainquill::StartRequest& request, const QString& resources)
{
    for (const QString& file : plainquill::missingResources(resources))
        std::fprintf(stderr, "plainquill: its own file %s is missing; reinstall Plainquill\n", qPrintable(file));
    for (const std::string& note : plainquill::skippedPathNotes(request.paths))
        std::fprintf(stderr, "plainquill: %s\n", note.c_str());
    namespace lo = plainquill::engine::libreoffice;
    if (const std::string warning = lo::confinementWarning(lo::confinementFeatures()); !warning.empty())
        std::fprintf(stderr, "plainquill: warning: %s\n", warning.c_str());
}

// Nothing when this process is the first; otherwise its exit status, once it handed its documents
// to the window already open (Open With) or told the user that window is there.
std::optional<int> leaveToRunningWindow(plainquill::SingleInstance& instance, const plainquill::StartRequest& request,
                                        plainquill::Shell& shell)
{
    if (instance.tryClaim())
        return std::nullopt;
    if (!request.paths.empty())
        return plainquill::passToRunningWindow(request.paths, shell);
    plainquill::SingleInstance::tellAlreadyOpened(shell);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // Usage and version answer without a display, so they are read before the toolkit starts.
    const plainquill::StartRequest asked = plainquill::parseStartArguments(arguments(argc, argv), workingFolder());
    const QString resources = plainquill::resourceFolder(programFolderOf(argv[0]));
    const QString helpPage = resources + QStringLiteral("/help/index.html");
    if (const auto status = answerWithoutWindow(asked, helpPage))
        return *status;

    QApplication application(argc, argv); // takes out the toolkit's own options
    const plainquill::StartRequest request = plainquill::parseStartArguments(arguments(argc, argv), workingFolder());
    if (request.action == plainquill::StartAction::UsageError) {
        std::fprintf(stderr, "plainquill: %s\nTry 'plainquill --help' for more information.\n", request.error.c_str());
        return 2;
    }
    warnBeforeStart(request, resources);
    plainquill::QtShell shell;
    plainquill::SingleInstance instance;
    if (const auto status = leaveToRunningWindow(instance, request, shell))
        return *status;
    plainquill::host::installAccessibleControls();
    plainquill::WindowControlFactory controls(resources);
    namespace engine = plainquill::engine;
    // Before the window: every LibreOffice started ahead is quit once the window has gone.
    engine::StandbyWorkers standby([] { return std::make_unique<engine::InterruptibleLibreOffice>(); });
    const int workers = engine::defaultWorkerCount();
    const auto window = plainquill::openForm1(
        {shell, controls, standby.launchers(), helpPage, {}, {}, workers,
         [&standby, workers] { standby.warmUp(engine::workersToWarm(workers, engine::availableMemory())); }});
    if (!window)
        return 1;
    if (!request.paths.empty())
        window->adder().addDropped(request.paths);
    plainquill::OpenWithServer openWith(plainquill::defaultOpenWithSocketPath(),
                                        [&window](const auto& paths) { window->openHandedOver(paths); });
    if (!openWith.listen())
        qWarning("plainquill: documents opened while the window is open cannot reach it: %s",
                 qPrintable(openWith.errorString()));
    // Once the window is closed a new start must open a window of its own, not hand its documents
    // to this process, which only ends its run and its LibreOffices now.
    QObject::connect(&application, &QApplication::lastWindowClosed, [&openWith, &instance] {
        openWith.close();
        instance.release();
    });
    plainquill::TerminationSignals terminationSignals;
    plainquill::closeOnTermination(terminationSignals, *window);
    window->show();
    return application.exec();
}
