#include "app/startup/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace plainquill {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler only writes the signal's number here; the notifier reads it on the window's thread.
volatile std::sig_atomic_t g_writeEnd = -1;

extern "C" void onTerminationSignal(int signal)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &number, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    int ends[2];
    // Close-on-exec: LibreOffice, started later, must not hold the pipe.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_readEnd = ends[0];
    g_writeEnd = ends[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::drain);

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Restarted, so a call to LibreOffice that the signal interrupts carries on to its end.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &action, &m_previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (m_readEnd < 0)
        return;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &m_previous[i], nullptr);
    m_notifier.reset();
    ::close(g_writeEnd);
    g_writeEnd = -1;
    ::close(m_readEnd);
}

void TerminationSignals::drain()
{
    unsigned char numbers[16];
    ssize_t n;
    while ((n = ::read(m_readEnd, numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < n; ++i)
            emit received(numbers[i]);
}

void closeOnTermination(TerminationSignals& source, QWidget& window)
{
    QObject::connect(&source, &TerminationSignals::received, &window, [&window](int) {
        window.close();
        QCoreApplication::quit();
    });
}

} // namespace plainquill
