#pragma once
// Being told to end (SIGTERM at logout or shutdown, SIGHUP, SIGINT) is handled like the user
// closing the window: a run ends after its current document and LibreOffice is quit, rather than
// the process dying with LibreOffice left running and no one to end it.
#include <QObject>

#include <csignal>
#include <memory>

class QSocketNotifier;
class QWidget;

namespace plainquill {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the three signals until destroyed. One object at a time.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    // On the window's thread, from its event loop: never inside the signal handler.
    void received(int signal);

private:
    void drain();

    int m_readEnd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous[3] {};
};

// On any of the signals, closes `window` the way the user would and then quits the program.
void closeOnTermination(TerminationSignals& source, QWidget& window);

} // namespace plainquill
