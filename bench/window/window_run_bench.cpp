// The window's run as a user meets it, with a real LibreOffice: the documents named on the command
// line are queued (which starts word processors ahead), the program waits as a user choosing the
// output folder would until they are up, then Start is clicked. Prints, in milliseconds:
//   ahead <ms>   from queueing to the word processors started ahead being ready
//   run <ms>     from the Start click to the last text written (the bar full)
//   start <ms>   from the Start click to its return (the run's word processors quit too)
// Usage: QT_QPA_PLATFORM=offscreen window_run_bench OUTPUT_FOLDER DOCUMENT...
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "engine/standby_workers.h"
#include "tests/support/fake_shell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>
#include <thread>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER DOCUMENT...\n", argv[0]);
        return 2;
    }
    namespace engine = plainquill::engine;
    plainquill::testing::FakeShell shell;
    plainquill::WindowControlFactory controls;
    engine::StandbyWorkers standby([] { return std::make_unique<engine::InterruptibleLibreOffice>(); });
    const int workers = engine::defaultWorkerCount();
    const int ahead = engine::workersToWarm(workers, engine::availableMemory());
    plainquill::Form1 window({shell, controls, standby.launchers(), QString(), {}, {}, workers,
                              [&] { standby.warmUp(ahead); }});
    window.control<QLineEdit>("Text1")->setText(QString::fromLocal8Bit(argv[1]));
    std::vector<std::filesystem::path> documents(argv + 2, argv + argc);

    QElapsedTimer clock;
    clock.start();
    window.adder().addDropped(documents);
    while (standby.ready() < ahead && clock.elapsed() < 120000)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const qint64 readyAfter = clock.elapsed();

    qint64 lastText = -1;
    QTimer watch; // the bar is full once every text is written
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (lastText < 0 && window.progressBar().Value() == window.progressBar().Max())
            lastText = clock.elapsed();
    });
    clock.restart();
    watch.start(1);
    window.Start_Click();
    const qint64 returned = clock.elapsed();
    if (lastText < 0)
        lastText = returned;

    std::printf("workers %d, started ahead %d\nahead %lld\nrun %lld\nstart %lld\n", workers, ahead,
                static_cast<long long>(readyAfter), static_cast<long long>(lastText), static_cast<long long>(returned));
    for (const auto& message : shell.messages)
        std::fprintf(stderr, "%s\n", qPrintable(message.text));
    return 0;
}
