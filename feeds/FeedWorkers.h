#pragma once

#include "feeds/HandOverGate.h"

#include <QString>

#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

// The worker threads of one feed: one per download, below normal priority.
// Runs of one feed may overlap; each has its own document and fetcher.
// shutdown() (at the latest the destructor) closes the hand-over gate, so no
// worker touches the feed's window afterwards, and waits a bounded time for
// the workers to end.
class FeedWorkers
{
public:
    // receiver's invokable method runMethod must call runHandOvers().
    FeedWorkers(QObject* receiver, const char* runMethod);
    ~FeedWorkers();
    FeedWorkers(const FeedWorkers&) = delete;
    FeedWorkers& operator=(const FeedWorkers&) = delete;

    // body runs on the new thread with the gate for its hand-overs.
    void start(const QString& name, std::function<void(HandOverGate&)> body);
    int running() const;
    void shutdown();
    void runHandOvers() { m_gate->runPending(); }

    static constexpr int kShutdownWaitMs = 5000;

private:
    struct Finished
    {
        std::mutex mutex;
        std::condition_variable changed;
        int running = 0;
    };
    struct Worker
    {
        std::thread thread;
        std::shared_ptr<bool> done; // guarded by Finished::mutex
    };
    void joinFinished();

    std::shared_ptr<HandOverGate> m_gate;
    std::shared_ptr<Finished> m_finished;
    std::list<Worker> m_workers;
    bool m_shutDown = false;
};
