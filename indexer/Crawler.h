#pragma once

#include "indexer/FileCatalog.h"
#include "indexer/IndexPolicy.h"
#include "indexer/Pacing.h"
#include "indexer/TextExtractor.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

class ExtractionGuard;

struct PassStats
{
    long long seen = 0;       // regular files in scope
    long long indexed = 0;    // read and written
    long long removed = 0;    // gone since the last pass
    long long unreadable = 0; // files and folders that could not be read
    long long truncated = 0;  // stopped at a limit
    long long bytesRead = 0;  // size of the files read
};

// Walks the scope and brings the catalogue up to date: a file whose size,
// modification time or inode changed is read again, a file that is gone is
// removed. Writes go in batches, each one transaction, so a crash or a kill
// loses at most the batch in progress and never leaves the catalogue half-written.
class Crawler
{
public:
    using Progress = std::function<void(const PassStats&)>;

    Crawler(FileCatalog& catalog, const IndexPolicy& policy, const TextExtractor& extractor,
            const Pacing& pacing, ExtractionGuard* guard = nullptr);
    ~Crawler();

    void setStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // Every root, then removal of what was not found. Throws SqliteError.
    PassStats fullPass();
    // One path reported changed: a file is read again if it changed, a folder
    // walked, a path that is gone removed with everything below it.
    void update(const std::string& path);
    // Commits the open batch.
    void flush();
    const PassStats& stats() const { return m_stats; }

private:
    void walk(const std::string& folder, std::vector<long long>* seen,
              std::vector<std::string>* failedFolders);
    void visitFile(const std::string& path, std::string_view name, const FileStamp& stamp,
                   std::vector<long long>* seen);
    void removeTree(const std::string& path);
    void ensureBatch();
    void countWrite(bool isDelete);
    void pace(long long bytes);
    bool stopping() const { return m_stop && m_stop->load(); }

    FileCatalog& m_catalog;
    const IndexPolicy& m_policy;
    const TextExtractor& m_extractor;
    Pacing m_pacing;
    ExtractionGuard* m_guard;
    const std::atomic<bool>* m_stop = nullptr;
    Progress m_progress;
    PassStats m_stats;

    bool m_inBatch = false;
    int m_batchWrites = 0;
    int m_batchDeletes = 0;
    std::chrono::steady_clock::time_point m_batchStart;
    std::chrono::steady_clock::time_point m_rateStart;
    long long m_rateBytes = 0;
};
