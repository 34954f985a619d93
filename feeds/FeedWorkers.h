#pragma once

#include "feeds/HandOverGate.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QThread;

// The worker threads of one feed: one per download, below normal priority,
// deleted when they end. Runs of one feed may overlap; each has its own
// document and fetcher. shutdown() (at the latest the destructor) closes the
// hand-over gate, so no worker touches the feed's window afterwards, and waits
// a bounded time for the workers to end.
class FeedWorkers
{
public:
    explicit FeedWorkers(QObject* receiver);
    ~FeedWorkers();
    FeedWorkers(const FeedWorkers&) = delete;
    FeedWorkers& operator=(const FeedWorkers&) = delete;

    // body runs on the new thread with the gate for its hand-overs.
    void start(const QString& name, std::function<void(HandOverGate&)> body);
    int running() const;
    void shutdown();

    static constexpr int kShutdownWaitMs = 5000;

private:
    std::shared_ptr<HandOverGate> m_gate;
    std::vector<QPointer<QThread>> m_threads;
    bool m_shutDown = false;
};
