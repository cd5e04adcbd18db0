// The window's thread while a slow call runs elsewhere: it must keep handling timers and pointer
// moves (or the window looks frozen), hold clicks and keys until the call is done (the run takes
// input only between two documents), and hand back the call's failure.
#include "app/run/worker_thread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace plainquill {
namespace {

class InputCounter : public QWidget {
public:
    std::vector<QEvent::Type> seen;
    bool recordReleases = false;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseMove || e->type() == QEvent::KeyPress
            || (recordReleases && e->type() == QEvent::MouseButtonRelease))
            seen.push_back(e->type());
        return QWidget::event(e);
    }
};

// Waits on the worker thread for the window's thread to say so; false if it never does, which
// is what happens when the window's thread is blocked instead of handling events.
bool awaitFromWindowThread(const std::atomic<bool>& flag)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!flag && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return flag;
}

class WorkerThreadTest : public ::testing::Test {};

TEST_F(WorkerThreadTest, WindowThreadRunsTimersAndMovesButHoldsClicksAndKeysUntilTheCallEnds)
{
    InputCounter widget;
    widget.setMouseTracking(true);
    widget.resize(40, 40);
    widget.show();
    widget.setFocus();
    QWindow* window = widget.windowHandle();
    ASSERT_NE(window, nullptr);

    std::atomic<bool> inputSent = false;
    std::vector<QEvent::Type> seenDuringCall;
    QTimer::singleShot(0, [&] {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, at, window->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, at, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(window, &press);
        QCoreApplication::sendEvent(window, &move);
        QCoreApplication::sendEvent(window, &key);
        seenDuringCall = widget.seen;
        inputSent = true;
    });

    bool timerRan = false;
    WorkerThread worker;
    worker.run([&] { timerRan = awaitFromWindowThread(inputSent); });

    ASSERT_TRUE(timerRan) << "the window's thread handled no timer while the call ran";
    EXPECT_EQ(seenDuringCall, std::vector<QEvent::Type>{QEvent::MouseMove});
    QCoreApplication::processEvents();
    EXPECT_EQ(widget.seen, (std::vector<QEvent::Type>{QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::KeyPress}))
        << "held input is delivered after the call, in the order it came";
}

// A press the window answers at once (on the left half here, as on Stop) goes through during the
// call with its release; another press is held with its release, even one released on the left.
TEST_F(WorkerThreadTest, PressesTheWindowAnswersAtOnceGoThroughWithTheirReleases)
{
    InputCounter widget;
    widget.recordReleases = true;
    widget.resize(40, 40);
    widget.show();
    QWindow* window = widget.windowHandle();
    ASSERT_NE(window, nullptr);
    const auto send = [&](QEvent::Type type, QPointF at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, at, at, window->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
    };
    std::atomic<bool> inputSent = false;
    std::vector<QEvent::Type> seenDuringCall;
    QTimer::singleShot(0, [&] {
        send(QEvent::MouseButtonPress, {5, 5});
        send(QEvent::MouseButtonRelease, {30, 5});
        send(QEvent::MouseButtonPress, {30, 5});
        send(QEvent::MouseButtonRelease, {5, 5});
        seenDuringCall = widget.seen;
        inputSent = true;
    });
    WorkerThread worker;
    worker.letThrough([&](QWindow* on, const QMouseEvent& press) { return on == window && press.position().x() < 20; });
    worker.run([&] { awaitFromWindowThread(inputSent); });

    using T = QEvent::Type;
    EXPECT_EQ(seenDuringCall, (std::vector<T>{T::MouseButtonPress, T::MouseButtonRelease}));
    QCoreApplication::processEvents();
    EXPECT_EQ(widget.seen, (std::vector<T>{T::MouseButtonPress, T::MouseButtonRelease, T::MouseButtonPress,
                                          T::MouseButtonRelease}));
}

TEST_F(WorkerThreadTest, CallsRunInTurnOnOneThreadAndTheirFailureReachesTheCaller)
{
    WorkerThread worker;
    std::thread::id first, second;
    worker.run([&] { first = std::this_thread::get_id(); });
    EXPECT_THROW(worker.run([&] {
        second = std::this_thread::get_id();
        throw std::runtime_error("LibreOffice went away");
    }),
                 std::runtime_error);
    EXPECT_NE(first, std::this_thread::get_id());
    EXPECT_EQ(first, second) << "one word processor connection, one thread";
}

} // namespace
} // namespace plainquill
