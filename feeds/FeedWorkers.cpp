#include "feeds/FeedWorkers.h"

#include "feeds/FeedsLog.h"

#include <chrono>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Below normal priority, as downloads should never slow the desktop.
constexpr int kWorkerNice = 5;

} // namespace

FeedWorkers::FeedWorkers(QObject* receiver, const char* runMethod)
    : m_gate(std::make_shared<HandOverGate>(receiver, runMethod)),
      m_finished(std::make_shared<Finished>())
{}

FeedWorkers::~FeedWorkers()
{
    shutdown();
}

void FeedWorkers::start(const QString& name, std::function<void(HandOverGate&)> body)
{
    if (m_shutDown)
        return;
    joinFinished();
    auto done = std::make_shared<bool>(false);
    {
        std::lock_guard lock(m_finished->mutex);
        ++m_finished->running;
    }
    std::thread thread([gate = m_gate, finished = m_finished, done, name, body = std::move(body)] {
        // On Linux a thread's nice value is its own.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kWorkerNice);
        try {
            body(*gate);
        } catch (const HandOverClosed&) {
            // The program is ending; nothing is left to show the result.
        } catch (const std::exception& error) {
            qCWarning(lcFeeds).noquote() << name << "ended with" << error.what();
        }
        std::lock_guard lock(finished->mutex);
        *done = true;
        --finished->running;
        finished->changed.notify_all();
    });
    m_workers.push_back({std::move(thread), std::move(done)});
}

int FeedWorkers::running() const
{
    std::lock_guard lock(m_finished->mutex);
    return m_finished->running;
}

void FeedWorkers::joinFinished()
{
    for (auto worker = m_workers.begin(); worker != m_workers.end();) {
        bool done = false;
        {
            std::lock_guard lock(m_finished->mutex);
            done = *worker->done;
        }
        if (done) {
            worker->thread.join();
            worker = m_workers.erase(worker);
        } else {
            ++worker;
        }
    }
}

void FeedWorkers::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_gate->close();
    {
        std::unique_lock lock(m_finished->mutex);
        m_finished->changed.wait_for(lock, std::chrono::milliseconds(kShutdownWaitMs),
                                     [this] { return m_finished->running == 0; });
    }
    joinFinished();
    for (Worker& worker : m_workers) {
        // Still stuck in a system call: leave it be. It holds only its own
        // copies and the closed gate, and ends with the process.
        qCWarning(lcFeeds) << "leaving a feed worker running at exit";
        worker.thread.detach();
    }
    m_workers.clear();
}
