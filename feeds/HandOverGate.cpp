#include "feeds/HandOverGate.h"

#include <QMetaObject>
#include <QObject>

HandOverGate::HandOverGate(QObject* receiver, const char* runMethod)
    : m_receiver(receiver), m_runMethod(runMethod)
{}

void HandOverGate::call(const std::function<void()>& fn)
{
    auto pending = std::make_shared<Pending>();
    pending->fn = &fn;
    std::unique_lock lock(m_mutex);
    if (m_closed)
        throw HandOverClosed{};
    m_queue.push_back(pending);
    // Only the method travels through the event queue; the work itself is
    // shared under m_mutex.
    QMetaObject::invokeMethod(m_receiver, m_runMethod, Qt::QueuedConnection);
    m_changed.wait(lock, [&] { return pending->done || (m_closed && !pending->running); });
    if (!pending->done) {
        pending->abandoned = true;
        throw HandOverClosed{};
    }
    if (pending->error)
        std::rethrow_exception(pending->error);
}

void HandOverGate::runPending()
{
    for (;;) {
        std::shared_ptr<Pending> pending;
        {
            std::lock_guard lock(m_mutex);
            if (m_queue.empty())
                return;
            pending = m_queue.front();
            m_queue.pop_front();
            if (pending->abandoned)
                continue;
            pending->running = true;
        }
        std::exception_ptr error;
        try {
            (*pending->fn)();
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard lock(m_mutex);
        pending->error = error;
        pending->done = true;
        m_changed.notify_all();
    }
}

void HandOverGate::close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_cancel = true;
    m_queue.clear();
    m_changed.notify_all();
}
