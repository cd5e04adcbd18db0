// The window's responsiveness on a real X display (run it under Xvfb: bench/window/run.sh):
//   window_bench startup [rounds]   start-up to the first complete paint, beside a bare Qt window
//   window_bench hover [rounds]     pointer entering a drawn button to its repainted face
//   window_bench long [pages]       longest gap between repaints while a long document converts
// The two start-up children (startup-form, startup-bare) are this program too.
#include "app/adapters/shell.h"
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/libreoffice/interruptible_libreoffice.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using plainquill::Form1;

qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Sees every event a widget handles, and the moment its handling ends.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    std::function<void(QObject*, QEvent*)> afterEvent;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        const bool handled = QApplication::notify(receiver, event);
        if (afterEvent && type == QEvent::Paint)
            afterEvent(receiver, event);
        return handled;
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void spinFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The program's own start-up: the window built from its stored layout and shown.
struct ProgramWindow {
    plainquill::QtShell shell;
    plainquill::WindowControlFactory controls;
    std::unique_ptr<Form1> window = plainquill::openForm1(
        {shell, controls, [] { return std::make_unique<plainquill::engine::InterruptibleLibreOffice>(); }, QString(), {}});
};

// Child: prints the monotonic time once every visible widget of the shown window has painted.
int startupChild(TimedApplication& app, bool bare)
{
    std::unique_ptr<ProgramWindow> program;
    std::unique_ptr<QWidget> plain;
    QWidget* window = nullptr;
    if (bare) {
        plain = std::make_unique<QWidget>();
        plain->setWindowTitle(QStringLiteral("bare"));
        new QPushButton(QStringLiteral("Start"), plain.get());
        window = plain.get();
    } else {
        program = std::make_unique<ProgramWindow>();
        window = program->window.get();
    }
    QSet<QObject*> painted;
    bool done = false;
    app.afterEvent = [&](QObject* receiver, QEvent*) {
        painted.insert(receiver);
        if (done)
            return;
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.push_back(window);
        for (QWidget* widget : widgets)
            if (widget->isVisible() && !widget->visibleRegion().isEmpty() && !painted.contains(widget))
                return;
        done = true;
        // The next turn of the loop comes after the painted pixels are flushed to the display.
        QTimer::singleShot(0, [] {
            std::printf("%lld\n", static_cast<long long>(monotonicNs()));
            QCoreApplication::quit();
        });
    };
    window->show();
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    return app.exec();
}

int startup(int rounds)
{
    std::vector<double> form, bare;
    for (int i = 0; i < rounds * 2; ++i) {
        const bool isBare = i % 2;
        QProcess child;
        // Each child has its own runtime folder, so the program's single-instance lock never refuses it.
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        child.setProcessEnvironment(env);
        const qint64 started = monotonicNs();
        child.start(QCoreApplication::applicationFilePath(),
                    {isBare ? QStringLiteral("startup-bare") : QStringLiteral("startup-form")});
        child.waitForFinished(20000);
        const qint64 painted = child.readAllStandardOutput().trimmed().toLongLong();
        if (child.exitCode() != 0 || painted == 0) {
            std::fprintf(stderr, "a start-up child failed\n");
            return 1;
        }
        (isBare ? bare : form).push_back((painted - started) / 1e6);
    }
    const double f = median(form), b = median(bare);
    std::printf("start-up to first complete paint, median of %d: window %.1f ms, bare window with one button %.1f ms,"
                " ratio %.2f (goal <= 1.5)\n",
                rounds, f, b, f / b);
    return 0;
}

int hover(TimedApplication& app, int rounds)
{
    ProgramWindow program;
    Form1& window = *program.window;
    window.move(0, 0);
    window.show();
    spinFor(500);
    QWidget* painted = nullptr;
    qint64 paintedAt = 0;
    app.afterEvent = [&](QObject* receiver, QEvent*) {
        if (receiver == painted && paintedAt == 0)
            paintedAt = monotonicNs();
    };
    const QPoint away = window.mapToGlobal(QPoint(60, 470)); // beside the count text, over no button
    for (const char* name : {"chameleonButton2", "chameleonButton3", "XpB1", "isButton1"}) {
        QWidget* button = window.control<QWidget>(QLatin1String(name));
        std::vector<double> samples;
        int missed = 0;
        for (int i = 0; i < rounds; ++i) {
            QCursor::setPos(away);
            spinFor(60); // the leave is seen and drawn
            painted = button;
            paintedAt = 0;
            const qint64 moved = monotonicNs();
            QCursor::setPos(button->mapToGlobal(button->rect().center()));
            QElapsedTimer clock;
            clock.start();
            while (paintedAt == 0 && clock.elapsed() < 1000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            if (paintedAt == 0)
                ++missed;
            else
                samples.push_back((paintedAt - moved) / 1e6);
            painted = nullptr;
        }
        std::printf("hover %-17s median %.2f ms, worst %.2f ms, no repaint %d of %d (goal < 2 ms)\n", name,
                    median(samples), samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end()), missed,
                    rounds);
    }
    return 0;
}

// About 500 words to a printed page.
void writeLongDocuments(const QString& folder, int pages)
{
    const QByteArray sentence = "The quick brown fox jumps over the lazy dog while the committee reviews the plan. ";
    QFile html(folder + QStringLiteral("/long-page.html"));
    QFile rtf(folder + QStringLiteral("/long-letter.rtf"));
    html.open(QIODevice::WriteOnly);
    rtf.open(QIODevice::WriteOnly);
    html.write("<html><head><title>Long</title></head><body>\n");
    rtf.write("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24\n");
    for (int p = 0; p < pages * 9; ++p) {
        const QByteArray text = QByteArray::number(p) + ". " + sentence.repeated(4);
        html.write("<p>" + text + "</p>\n");
        rtf.write(text + "\\par\n");
    }
    html.write("</body></html>\n");
    rtf.write("}\n");
}

int longDocument(TimedApplication& app, int pages)
{
    QTemporaryDir folder;
    writeLongDocuments(folder.path(), pages);
    ProgramWindow program;
    Form1& window = *program.window;
    window.control<QLineEdit>("Text1")->setText(folder.path());
    window.adder().addDropped(
        {folder.filePath(QStringLiteral("long-page.html")), folder.filePath(QStringLiteral("long-letter.rtf"))});
    window.show();
    spinFor(300);

    std::vector<qint64> paints;
    app.afterEvent = [&](QObject* receiver, QEvent*) {
        if (receiver == &window)
            paints.push_back(monotonicNs());
    };
    QTimer asker;
    QObject::connect(&asker, &QTimer::timeout, &window, [&] { window.update(); });
    asker.start(100);
    paints.clear();
    const qint64 started = monotonicNs();
    window.Start_Click();
    const qint64 ended = monotonicNs();
    asker.stop();

    qint64 longest = 0, previous = started;
    for (const qint64 at : paints) {
        if (at < started || at > ended)
            continue;
        longest = std::max(longest, at - previous);
        previous = at;
    }
    longest = std::max(longest, ended - previous);
    const bool written = QFile::exists(folder.filePath(QStringLiteral("long-page.txt")))
        && QFile::exists(folder.filePath(QStringLiteral("long-letter.txt")));
    std::printf("two %d-page documents (.html, .rtf) converted in %.0f ms, %s; %zu repaints asked every 100 ms;"
                " longest gap between repaints %.0f ms (goal < 200 ms)\n",
                pages, (ended - started) / 1e6, written ? "text written" : "NO TEXT WRITTEN", paints.size(),
                longest / 1e6);
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    TimedApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == QLatin1String("startup-form") || mode == QLatin1String("startup-bare"))
        return startupChild(app, mode == QLatin1String("startup-bare"));
    if (mode == QLatin1String("startup"))
        return startup(count > 0 ? count : 15);
    if (mode == QLatin1String("hover"))
        return hover(app, count > 0 ? count : 20);
    if (mode == QLatin1String("long"))
        return longDocument(app, count > 0 ? count : 200);
    std::fprintf(stderr, "usage: window_bench startup|hover|long [count]\n");
    return 2;
}
