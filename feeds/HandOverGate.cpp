#include "feeds/HandOverGate.h"

#include <QMetaObject>
#include <QObject>

HandOverGate::HandOverGate(QObject* receiver) : m_receiver(receiver) {}

void HandOverGate::call(const std::function<void()>& fn)
{
    auto pending = std::make_shared<Pending>();
    std::unique_lock lock(m_mutex);
    if (m_closed)
        throw HandOverClosed{};
    auto self = shared_from_this();
    // fn refers to the worker's stack; it runs only while the worker waits here.
    QMetaObject::invokeMethod(
        m_receiver,
        [self, pending, &fn] {
            {
                std::lock_guard guard(self->m_mutex);
                if (pending->abandoned)
                    return;
                pending->running = true;
            }
            std::exception_ptr error;
            try {
                fn();
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard guard(self->m_mutex);
            pending->error = error;
            pending->done = true;
            self->m_changed.notify_all();
        },
        Qt::QueuedConnection);
    m_changed.wait(lock, [&] { return pending->done || (m_closed && !pending->running); });
    if (!pending->done) {
        pending->abandoned = true;
        throw HandOverClosed{};
    }
    if (pending->error)
        std::rethrow_exception(pending->error);
}

void HandOverGate::close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_cancel = true;
    m_changed.notify_all();
}
