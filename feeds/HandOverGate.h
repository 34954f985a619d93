#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

// Thrown in a worker whose feed has gone (program exit): the run stops at
// once. Not a std::exception, so that no feed's error path catches it.
struct HandOverClosed
{};

// The passage from the workers of one feed to the user-interface thread.
// call() queues a function, asks the receiver to run the queue (its invokable
// method named by runMethod calls runPending()) and blocks the worker until
// the function has run, like a blocking queued call. close() (on the
// user-interface thread, before the receiver goes) releases every waiting
// worker instead of leaving it blocked on a window that no longer exists, and
// raises the cancel flag that downloads and probes watch.
class HandOverGate
{
public:
    HandOverGate(QObject* receiver, const char* runMethod);

    // Rethrows what fn threw; throws HandOverClosed when the gate is closed.
    void call(const std::function<void()>& fn);
    // On the receiver's thread: runs what the workers queued.
    void runPending();
    void close();
    const std::atomic<bool>* cancelFlag() const { return &m_cancel; }

private:
    struct Pending
    {
        const std::function<void()>* fn = nullptr; // on the waiting worker's stack
        bool running = false;
        bool done = false;
        bool abandoned = false;
        std::exception_ptr error;
    };

    // Used by workers only while the gate is open; close() comes before the receiver goes.
    QObject* const m_receiver;
    const char* const m_runMethod;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::shared_ptr<Pending>> m_queue;
    bool m_closed = false;
    std::atomic<bool> m_cancel{false};
};
