#pragma once

#include "indexer/Crawler.h"
#include "indexer/ExtractionGuard.h"
#include "indexer/FileCatalog.h"
#include "indexer/IndexParameters.h"
#include "indexer/IndexPolicy.h"
#include "indexer/LiveWatcher.h"
#include "indexer/TextExtractor.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>

// The long-running indexer: one full pass, then live updates from inotify,
// with periodic passes where watches ran out or events were lost. Re-reads
// its parameter file when it changes, rebuilds a catalogue that went bad or
// was deleted, and remembers a file that took a previous run down.
class IndexService
{
public:
    struct Options
    {
        QString catalogPath;
        QString parameterPath;
        QString markerPath;
        std::chrono::milliseconds rescanInterval{std::chrono::minutes(5)};
    };

    IndexService(Options options, const std::atomic<bool>& stop);
    ~IndexService();
    // Runs until stop is set; returns the process exit code.
    int run();

private:
    using Clock = std::chrono::steady_clock;
    struct Pending
    {
        LiveWatcher::Change::Kind kind;
        Clock::time_point due;
    };

    void loadParameters();
    void applyPriority() const;
    void rebuildCrawler();
    void watchScope();
    void fullPass();
    void queue(const std::vector<LiveWatcher::Change>& changes);
    void processDue();
    bool parametersChanged();
    bool catalogReplaced() const;
    bool lowOnResources() const;
    void sleepFor(std::chrono::milliseconds duration) const;
    // Runs work, recovering from a damaged or deleted catalogue and a full disk.
    template <typename Work> void guarded(Work work);

    Options m_options;
    const std::atomic<bool>& m_stop;
    IndexParameters m_parameters;
    QDateTime m_parametersStamp;
    std::unique_ptr<IndexPolicy> m_policy;
    TextExtractor m_extractor;
    FileCatalog m_catalog;
    ExtractionGuard m_guard;
    LiveWatcher m_watcher;
    std::unique_ptr<Crawler> m_crawler;
    std::map<std::string, Pending> m_pending;
    long long m_catalogInode = 0;
    bool m_needFullPass = true;
    bool m_limitAnnounced = false;
    Clock::time_point m_lastFullPass;
};
