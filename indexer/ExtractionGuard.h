#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

// Pins a crash or hang on the file being read: its path is written to a
// marker file before reading and cleared after. A service that finds a path
// there at start knows that file took it down and indexes it by name only.
// With a watchdog, a read that runs far past its time limit ends the process,
// so the supervisor restarts it instead of waiting forever.
class ExtractionGuard
{
public:
    explicit ExtractionGuard(const QString& markerPath);
    ~ExtractionGuard();
    ExtractionGuard(const ExtractionGuard&) = delete;
    ExtractionGuard& operator=(const ExtractionGuard&) = delete;

    // The path left by a previous run that did not finish its read, and clears it.
    std::string takeLeftover();
    void begin(const std::string& path);
    void end();
    void startWatchdog(std::chrono::milliseconds limit);

private:
    void watch(std::chrono::milliseconds limit);

    QString m_markerPath;
    int m_fd = -1;
    std::atomic<long long> m_startedMs{0}; // 0 while nothing is read
    std::atomic<bool> m_stop{false};
    std::thread m_watchdog;
};
