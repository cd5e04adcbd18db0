#include "app/run/worker_thread.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

#include <atomic>
#include <exception>
#include <future>
#include <memory>
#include <utility>
#include <vector>

namespace plainquill {

namespace {

bool heldBack(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

// Catches input on its way to a top-level window and keeps a copy to post again later. Held at
// the window rather than the widget so that, when posted again, the window routes the event as
// it would have (grabs, focus, popups).
class InputHolder : public QObject {
public:
    explicit InputHolder(const WorkerThread::Passage& passage) : m_passage(passage)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~InputHolder() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [window, event] : m_held) {
            if (window)
                QCoreApplication::postEvent(window, event.release());
        }
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!receiver->isWindowType() || !heldBack(event->type()))
            return false;
        auto* window = static_cast<QWindow*>(receiver);
        if (window == QGuiApplication::modalWindow() || passes(window, event))
            return false;
        m_held.emplace_back(window, std::unique_ptr<QEvent>(event->clone()));
        return true;
    }

private:
    // A release goes with its press: held with it, or let through with it, so that no control
    // sees the one without the other.
    bool passes(QWindow* window, QEvent* event)
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (!m_passage || !m_passage(window, *static_cast<QMouseEvent*>(event)))
                return false;
            m_pressPassing = true;
            return true;
        case QEvent::MouseButtonRelease:
            if (!m_pressPassing)
                return false;
            m_pressPassing = static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
            return true;
        default:
            return false;
        }
    }

    const WorkerThread::Passage& m_passage;
    bool m_pressPassing = false;
    std::vector<std::pair<QPointer<QWindow>, std::unique_ptr<QEvent>>> m_held;
};

} // namespace

WorkerThread::WorkerThread() : m_thread([this] { serve(); }) {}

WorkerThread::~WorkerThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void WorkerThread::serve()
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_ending || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}

void WorkerThread::run(const std::function<void()>& work)
{
    // Events are handled pass by pass rather than in a nested event loop: entering one drops the
    // application's pending quit, and a run looks at its workers many times a second, so a window
    // closed during a run would otherwise leave the program running without it.
    QAbstractEventDispatcher* const dispatcher = QAbstractEventDispatcher::instance();
    auto done = std::make_shared<std::atomic<bool>>(false);
    auto finished = std::make_shared<std::promise<void>>();
    std::future<void> outcome = finished->get_future();
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back([&work, finished, done, dispatcher] {
            std::exception_ptr failure;
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            if (failure)
                finished->set_exception(failure);
            else
                finished->set_value();
            *done = true;
            dispatcher->wakeUp();
        });
    }
    m_wake.notify_one();
    {
        InputHolder holder(m_passage);
        while (!*done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    outcome.get();
}

} // namespace plainquill
