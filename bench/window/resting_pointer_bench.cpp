// What the window costs while the pointer rests: over each drawn control in turn, and over no
// control, the process's CPU time, the repaints of the window's widgets and the requests sent to
// the X server over `seconds` (default 5) of wall time, after a second to settle. A resting pointer
// changes no look, so after the settling nothing should be repainted or sent; the repaints while
// settling show that the looks did change as the pointer arrived (and left the control before).
//   resting_pointer_bench [seconds]      on a real X display (bench/window/run.sh starts Xvfb)
#include "app/adapters/shell.h"
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/libreoffice/interruptible_libreoffice.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

namespace {

using plainquill::Form1;

// Counts the paint events the widgets of one window handle.
class PaintCountingApplication : public QApplication {
public:
    using QApplication::QApplication;
    QWidget* window = nullptr;
    long paints = 0;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && window && receiver->isWidgetType()
            && static_cast<QWidget*>(receiver)->window() == window)
            ++paints;
        return QApplication::notify(receiver, event);
    }
};

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// The sequence number of a request sent now: the difference between two is the number of
// requests sent in between, plus one.
unsigned requestNumber(xcb_connection_t* connection)
{
    const unsigned sequence = xcb_no_operation(connection).sequence;
    xcb_flush(connection);
    return sequence;
}

// Lets the window's own event loop run for `ms` without spinning, so that the CPU time measured is
// the window's.
void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Rest {
    const char* what;
    QPoint at; // in the window
};

} // namespace

int main(int argc, char* argv[])
{
    PaintCountingApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) {
        std::fprintf(stderr, "run this on an X display (QT_QPA_PLATFORM=xcb)\n");
        return 2;
    }
    plainquill::QtShell shell;
    plainquill::WindowControlFactory controls;
    std::unique_ptr<Form1> window = plainquill::openForm1(
        {shell, controls, [] { return std::make_unique<plainquill::engine::InterruptibleLibreOffice>(); }, QString(), {}});
    if (!window)
        return 1;
    // One queued document, so that Remove All is enabled as it is once a user has added files.
    QTemporaryDir folder;
    std::ofstream(folder.filePath(QStringLiteral("a.html")).toStdString()) << "<p>a</p>\n";
    window->adder().addDropped({folder.filePath(QStringLiteral("a.html")).toStdString()});
    window->move(0, 0);
    window->show();
    app.window = window.get();
    wait(1000);

    std::vector<Rest> rests{{"no control (beside the count text)", {60, 470}}};
    for (const char* name : {"chameleonButton1", "chameleonButton2", "chameleonButton3", "chameleonButton4", "XpB1",
                             "isButton1", "XP_ProgressBar1"}) {
        const QWidget* control = window->control<QWidget>(QLatin1String(name));
        rests.push_back({name, control->geometry().center()});
    }
    std::printf("pointer resting %d s on each, after 1 s to settle (goal: under 1 %% of a core, no repaint)\n",
                seconds);
    for (const Rest& rest : rests) {
        const long before = app.paints;
        QCursor::setPos(window->mapToGlobal(rest.at));
        wait(1000);
        const long arriving = app.paints - before; // the control lit up, the one left went out
        const long paints = app.paints;
        const double cpu = processCpuSeconds();
        const unsigned requests = requestNumber(x11->connection());
        wait(seconds * 1000);
        const unsigned sent = requestNumber(x11->connection()) - requests - 1;
        std::printf("  %-36s %6.2f %% of a core, %5ld repaints, %6u X requests  (%ld repaints arriving)\n",
                    rest.what, (processCpuSeconds() - cpu) / seconds * 100, app.paints - paints, sent, arriving);
    }
    return 0;
}
