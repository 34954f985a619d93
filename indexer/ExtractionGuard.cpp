#include "indexer/ExtractionGuard.h"

#include "indexer/IndexerLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

long long steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

ExtractionGuard::ExtractionGuard(const QString& markerPath) : m_markerPath(markerPath)
{
    QDir().mkpath(QFileInfo(markerPath).absolutePath());
    m_fd = ::open(QFile::encodeName(markerPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        qCWarning(lcIndexer).noquote()
            << "cannot open" << markerPath << "- a file that crashes the reader may do so again";
}

ExtractionGuard::~ExtractionGuard()
{
    m_stop = true;
    if (m_watchdog.joinable())
        m_watchdog.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string ExtractionGuard::takeLeftover()
{
    if (m_fd < 0)
        return {};
    std::string contents;
    char buffer[4096];
    ssize_t got = 0;
    off_t offset = 0;
    while ((got = ::pread(m_fd, buffer, sizeof buffer, offset)) > 0) {
        contents.append(buffer, static_cast<size_t>(got));
        offset += got;
    }
    if (::ftruncate(m_fd, 0) != 0)
        return {};
    // The path ends with a line break; one without it was cut by the crash.
    if (contents.empty() || contents.back() != '\n')
        return {};
    contents.pop_back();
    return contents;
}

void ExtractionGuard::begin(const std::string& path)
{
    m_startedMs = steadyMs();
    if (m_fd < 0)
        return;
    const std::string line = path + "\n";
    if (::pwrite(m_fd, line.data(), line.size(), 0) != static_cast<ssize_t>(line.size()) ||
        ::ftruncate(m_fd, static_cast<off_t>(line.size())) != 0)
        return;
}

void ExtractionGuard::end()
{
    m_startedMs = 0;
    if (m_fd >= 0 && ::ftruncate(m_fd, 0) != 0)
        return;
}

void ExtractionGuard::startWatchdog(std::chrono::milliseconds limit)
{
    if (m_watchdog.joinable())
        return;
    m_watchdog = std::thread([this, limit] { watch(limit); });
}

void ExtractionGuard::watch(std::chrono::milliseconds limit)
{
    while (!m_stop) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        const long long started = m_startedMs;
        if (started != 0 && steadyMs() - started > limit.count()) {
            // The marker still names the file; the next start reads it by name only.
            qCCritical(lcIndexer) << "reading a file hung for" << limit.count()
                                  << "ms; ending so the service restarts without it";
            ::_exit(70);
        }
    }
}
