#pragma once
// One thread for the slow calls of a run (starting LibreOffice, converting a document), so the
// window keeps painting, its timers keep running and the desktop never thinks it hung. Clicks and
// keys that arrive meanwhile are held back and handed to the window, in order, once the call is
// done: the run still takes the user's input only between two documents. Pointer moves are let
// through, so the drawn buttons still light up under the pointer; so are the presses the window
// must answer at once (Stop), and all input of a modal window opened meanwhile (the question
// Stop asks).
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class QMouseEvent;
class QWindow;

namespace plainquill {

class WorkerThread {
public:
    WorkerThread();
    ~WorkerThread(); // finishes the call in progress, if any, then ends the thread
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs `work` on the worker thread and returns when it has finished, handling the calling
    // thread's events meanwhile as described above. An exception thrown by `work` is rethrown
    // here. Called from the window's thread only, one call at a time.
    void run(const std::function<void()>& work);

    // True for a press on `window` that is to be handled during a call rather than after it; the
    // release that ends such a press follows it.
    using Passage = std::function<bool(QWindow* window, const QMouseEvent& press)>;
    void letThrough(Passage passage) { m_passage = std::move(passage); }

private:
    void serve();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    Passage m_passage; // used on the calling thread only
    bool m_ending = false;
    std::thread m_thread; // last: started once the members it uses exist
};

} // namespace plainquill
