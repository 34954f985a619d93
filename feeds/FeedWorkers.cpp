#include "feeds/FeedWorkers.h"

#include "feeds/FeedsLog.h"

#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>

FeedWorkers::FeedWorkers(QObject* receiver) : m_gate(std::make_shared<HandOverGate>(receiver)) {}

FeedWorkers::~FeedWorkers()
{
    shutdown();
}

void FeedWorkers::start(const QString& name, std::function<void(HandOverGate&)> body)
{
    if (m_shutDown)
        return;
    std::erase_if(m_threads, [](const QPointer<QThread>& thread) { return thread.isNull(); });
    auto gate = m_gate;
    QThread* thread = QThread::create([gate, body = std::move(body)] {
        try {
            body(*gate);
        } catch (const HandOverClosed&) {
            // The program is ending; nothing is left to show the result.
        } catch (const std::exception& error) {
            qCWarning(lcFeeds).noquote() << "worker ended with" << error.what();
        }
    });
    thread->setObjectName(name);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_threads.emplace_back(thread);
    thread->start(QThread::LowPriority);
}

int FeedWorkers::running() const
{
    return static_cast<int>(
        std::count_if(m_threads.begin(), m_threads.end(), [](const QPointer<QThread>& thread) {
            return thread && !thread->isFinished();
        }));
}

void FeedWorkers::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_gate->close();
    QDeadlineTimer deadline(kShutdownWaitMs);
    for (const QPointer<QThread>& thread : m_threads) {
        if (!thread)
            continue;
        if (thread->wait(deadline)) {
            delete thread.data();
        } else {
            // Still stuck in a system call: leave it be. It holds only its own
            // copies and the closed gate, and ends with the process.
            qCWarning(lcFeeds) << "leaving worker" << thread->objectName() << "running at exit";
            QObject::disconnect(thread, nullptr, nullptr, nullptr);
        }
    }
    m_threads.clear();
}
