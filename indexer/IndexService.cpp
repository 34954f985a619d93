#include "indexer/IndexService.h"

#include "indexer/IndexerLog.h"

#include <QFileInfo>

#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kIoprioClassShift = 13;
constexpr int kIoprioClassBestEffort = 2;
constexpr int kIoprioClassIdle = 3;
constexpr int kIoprioWhoProcess = 1;

long long inodeOf(const QString& path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return static_cast<long long>(info.st_ino);
}

} // namespace

IndexService::IndexService(Options options, const std::atomic<bool>& stop)
    : m_options(std::move(options)), m_stop(stop), m_catalog(m_options.catalogPath),
      m_guard(m_options.markerPath)
{}

IndexService::~IndexService() = default;

void IndexService::loadParameters()
{
    if (!IndexParameters::ensureExists(m_options.parameterPath))
        qCWarning(lcIndexer).noquote()
            << "cannot write" << m_options.parameterPath << "- indexing with the normal profile";
    m_parametersStamp = QFileInfo(m_options.parameterPath).lastModified();
    m_parameters = IndexParameters::load(m_options.parameterPath);
    m_policy = std::make_unique<IndexPolicy>(m_parameters.folders, m_parameters.excludePatterns,
                                             QFileInfo(m_options.catalogPath).absolutePath());
    applyPriority();
}

void IndexService::applyPriority() const
{
    // ServiceUsage 1 is the normal profile, 2 balanced, 4 (and more) idle.
    const std::uint32_t usage = m_parameters.value("ServiceUsage");
    const int niceness = usage <= 1 ? 10 : usage <= 2 ? 15 : 19;
    const int ioClass = usage >= 4 ? kIoprioClassIdle : kIoprioClassBestEffort;
    const int ioLevel = ioClass == kIoprioClassIdle ? 0 : 7;
    if (::setpriority(PRIO_PROCESS, 0, niceness) != 0)
        qCDebug(lcIndexer) << "cannot set niceness" << niceness;
    if (::syscall(SYS_ioprio_set, kIoprioWhoProcess, 0, (ioClass << kIoprioClassShift) | ioLevel) !=
        0)
        qCDebug(lcIndexer) << "cannot set the I/O priority";
}

void IndexService::rebuildCrawler()
{
    if (m_crawler)
        m_crawler->flush();
    m_crawler = std::make_unique<Crawler>(m_catalog, *m_policy, m_extractor,
                                          Pacing::from(m_parameters), &m_guard);
    m_crawler->setStopFlag(&m_stop);
}

void IndexService::watchScope()
{
    m_watcher.clear();
    for (const std::string& root : m_policy->roots())
        m_watcher.watchTree(root, *m_policy);
    if (m_watcher.unwatchedFolders() > 0 && !m_limitAnnounced) {
        m_limitAnnounced = true;
        qCWarning(lcIndexer)
            << "the inotify watch limit is reached:" << m_watcher.unwatchedFolders()
            << "folders are checked by a full pass every"
            << std::chrono::duration_cast<std::chrono::seconds>(m_options.rescanInterval).count()
            << "s instead (raise fs.inotify.max_user_watches for live updates)";
    }
}

void IndexService::fullPass()
{
    m_needFullPass = false;
    const auto started = Clock::now();
    const bool wasEmpty = m_catalog.stats().files == 0;
    const PassStats stats = m_crawler->fullPass();
    // One merged index answers faster than the segments of many batches.
    if (wasEmpty && stats.indexed > 1000 && !m_stop)
        m_catalog.optimize();
    m_lastFullPass = Clock::now();
    qCInfo(lcIndexer).noquote()
        << QStringLiteral("pass done in %1 s: %2 files, %3 read, %4 removed, %5 unreadable")
               .arg(std::chrono::duration<double>(m_lastFullPass - started).count(), 0, 'f', 1)
               .arg(stats.seen)
               .arg(stats.indexed)
               .arg(stats.removed)
               .arg(stats.unreadable);
}

template <typename Work> void IndexService::guarded(Work work)
{
    try {
        work();
    } catch (const SqliteError& error) {
        m_crawler.reset();
        m_catalog.rollback();
        if (error.isCorrupt() || catalogReplaced()) {
            try {
                m_catalog.rebuild(QStringLiteral("it is damaged (%1)").arg(error.what()));
            } catch (const SqliteError& again) {
                qCCritical(lcIndexer) << "cannot rebuild the catalogue:" << again.what();
                sleepFor(std::chrono::seconds(30));
            }
        } else {
            // A full disk, or another writer holding the lock too long: wait, then retry.
            const auto pause = std::chrono::seconds(
                std::clamp<std::uint32_t>(m_parameters.value("LowResourceSleep"), 5, 600));
            qCWarning(lcIndexer) << "writing the catalogue failed:" << error.what()
                                 << "- retrying in" << pause.count() << "s";
            sleepFor(pause);
            try {
                m_catalog.close();
                m_catalog.open();
            } catch (const SqliteError& again) {
                qCCritical(lcIndexer) << "cannot open the catalogue:" << again.what();
            }
        }
        m_catalogInode = inodeOf(m_options.catalogPath);
        rebuildCrawler();
        m_needFullPass = true;
    }
}

bool IndexService::parametersChanged()
{
    const QDateTime stamp = QFileInfo(m_options.parameterPath).lastModified();
    return stamp != m_parametersStamp;
}

bool IndexService::catalogReplaced() const
{
    return inodeOf(m_options.catalogPath) != m_catalogInode;
}

bool IndexService::lowOnResources() const
{
    if (m_parameters.value("DelayUsnReadOnLowResource") == 0)
        return false;
    double load = 0;
    if (::getloadavg(&load, 1) != 1)
        return false;
    return load > static_cast<double>(std::thread::hardware_concurrency());
}

void IndexService::sleepFor(std::chrono::milliseconds duration) const
{
    const auto end = Clock::now() + duration;
    while (!m_stop && Clock::now() < end)
        std::this_thread::sleep_for(
            std::min<Clock::duration>(end - Clock::now(), std::chrono::milliseconds(200)));
}

void IndexService::queue(const std::vector<LiveWatcher::Change>& changes)
{
    // FilterDelayInterval in tenths of a second: changes of a file that is
    // still being written collapse into one read.
    const auto delay = std::chrono::milliseconds(
        100 * std::min<std::uint32_t>(m_parameters.value("FilterDelayInterval"), 600));
    for (const auto& change : changes) {
        if (change.kind == LiveWatcher::Change::Kind::Overflow) {
            qCInfo(lcIndexer) << "change events were lost; rescanning";
            m_pending.clear();
            m_needFullPass = true;
            watchScope();
            return;
        }
        auto& pending = m_pending[change.path];
        // A folder that appeared stays one to walk even if it changes again.
        if (pending.kind != LiveWatcher::Change::Kind::FolderAdded ||
            change.kind == LiveWatcher::Change::Kind::Removed)
            pending.kind = change.kind;
        pending.due = Clock::now() + delay;
    }
}

void IndexService::processDue()
{
    const auto now = Clock::now();
    const bool flood = m_pending.size() >=
                       std::max<std::uint32_t>(m_parameters.value("FilterRemainingThreshold"), 1);
    if (!flood && lowOnResources())
        return;
    for (auto it = m_pending.begin(); it != m_pending.end() && !m_stop;) {
        if (!flood && it->second.due > now) {
            ++it;
            continue;
        }
        const std::string path = it->first;
        const auto kind = it->second.kind;
        it = m_pending.erase(it);
        if (kind == LiveWatcher::Change::Kind::FolderAdded && m_policy->covers(path))
            m_watcher.watchTree(path, *m_policy);
        m_crawler->update(path);
    }
    m_crawler->flush();
}

int IndexService::run()
{
    loadParameters();
    try {
        m_catalog.open();
    } catch (const SqliteError& error) {
        qCCritical(lcIndexer) << "cannot open the catalogue:" << error.what();
        return 3;
    }
    m_catalogInode = inodeOf(m_options.catalogPath);
    const std::string leftover = m_guard.takeLeftover();
    if (!leftover.empty()) {
        qCWarning(lcIndexer).noquote()
            << "reading" << QFile::decodeName(QByteArray::fromStdString(leftover))
            << "ended the previous run; it is indexed by its name only from now on";
        guarded([&] { m_catalog.markNameOnly(leftover); });
    }
    m_guard.startWatchdog(m_extractor.limits().maxTime * 3);
    rebuildCrawler();
    // Watch before the first pass, so what changes during it is not missed.
    watchScope();

    auto lastChecks = Clock::now();
    std::vector<LiveWatcher::Change> changes;
    while (!m_stop) {
        if (m_needFullPass)
            guarded([&] { fullPass(); });
        if (m_stop)
            break;
        changes.clear();
        m_watcher.wait(std::chrono::milliseconds(m_pending.empty() ? 1000 : 100), changes);
        queue(changes);
        guarded([&] { processDue(); });

        if (Clock::now() - lastChecks < std::chrono::seconds(2))
            continue;
        lastChecks = Clock::now();
        if (parametersChanged()) {
            const QStringList folders = m_parameters.folders;
            const QStringList exclude = m_parameters.excludePatterns;
            qCInfo(lcIndexer) << "parameter file changed; reading it again";
            loadParameters();
            rebuildCrawler();
            if (folders != m_parameters.folders || exclude != m_parameters.excludePatterns) {
                watchScope();
                m_needFullPass = true;
            }
        }
        if (catalogReplaced()) {
            qCWarning(lcIndexer) << "the catalogue was deleted or replaced; rebuilding it";
            guarded([&] {
                m_crawler.reset();
                m_catalog.close();
                m_catalog.open();
                m_catalogInode = inodeOf(m_options.catalogPath);
                rebuildCrawler();
                m_needFullPass = true;
            });
        }
        if ((m_watcher.unwatchedFolders() > 0 || !m_watcher.isOpen()) &&
            Clock::now() - m_lastFullPass >= m_options.rescanInterval)
            m_needFullPass = true;
    }
    guarded([&] { m_crawler->flush(); });
    return 0;
}
