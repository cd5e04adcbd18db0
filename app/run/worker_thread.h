#pragma once
// One thread for the slow calls of a run (starting LibreOffice, converting a document), so the
// window keeps painting, its timers keep running and the desktop never thinks it hung. Clicks and
// keys that arrive meanwhile are held back and handed to the window, in order, once the call is
// done: the run still takes the user's input only between two documents. Pointer moves are let
// through, so the drawn buttons still light up under the pointer.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

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

private:
    void serve();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_ending = false;
    std::thread m_thread; // last: started once the members it uses exist
};

} // namespace plainquill
