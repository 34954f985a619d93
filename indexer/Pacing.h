#pragma once

#include "indexer/IndexParameters.h"

#include <chrono>

// The speed limits a resource profile sets for the crawler.
struct Pacing
{
    int maxBatchFiles = 100000;                   // files written per transaction (MaxFreshCount)
    int maxBatchDeletes = 10000;                  // removals per transaction (MaxFreshDeletes)
    std::chrono::milliseconds maxBatchTime{1000}; // a batch is committed at least this often
    std::chrono::milliseconds sleepPerFile{0};    // ScanBackoff
    long long maxBytesPerSecond = 0;              // MaxWordlistIo in KiB/s; 0 = no limit
    int readRetries = 2;                          // FilterRetries

    static Pacing from(const IndexParameters& parameters);
};
