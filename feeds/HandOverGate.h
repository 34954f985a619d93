#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

// Thrown in a worker whose feed has gone (program exit): the run stops at
// once. Not a std::exception, so that no feed's error path catches it.
struct HandOverClosed
{};

// The passage from the workers of one feed to the user-interface thread.
// call() runs a function on the receiver's thread and blocks the worker until
// it has run, like a blocking queued call, but close() (on the user-interface
// thread, before the receiver goes) releases every waiting worker instead of
// leaving it blocked on a window that no longer exists. close() also raises
// the cancel flag that downloads and probes watch.
class HandOverGate : public std::enable_shared_from_this<HandOverGate>
{
public:
    explicit HandOverGate(QObject* receiver);

    // Rethrows what fn threw; throws HandOverClosed when the gate is closed.
    void call(const std::function<void()>& fn);
    void close();
    const std::atomic<bool>* cancelFlag() const { return &m_cancel; }

private:
    struct Pending
    {
        bool running = false;
        bool done = false;
        bool abandoned = false;
        std::exception_ptr error;
    };

    // Used by workers only while the gate is open; close() comes before the receiver goes.
    QObject* m_receiver;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_closed = false;
    std::atomic<bool> m_cancel{false};
};
