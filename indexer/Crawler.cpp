#include "indexer/Crawler.h"

#include "indexer/ExtractionGuard.h"
#include "indexer/IndexerLog.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>

namespace {

FileStamp stampOf(const struct stat& info)
{
    return {static_cast<long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
            static_cast<long long>(info.st_dev), static_cast<long long>(info.st_ino)};
}

std::string_view baseName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string_view(path)
                                      : std::string_view(path).substr(slash + 1);
}

QString shown(const std::string& path)
{
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

} // namespace

Pacing Pacing::from(const IndexParameters& parameters)
{
    Pacing pacing;
    pacing.maxBatchFiles =
        static_cast<int>(std::clamp<std::uint32_t>(parameters.value("MaxFreshCount"), 1, 1000000));
    pacing.maxBatchDeletes = static_cast<int>(
        std::clamp<std::uint32_t>(parameters.value("MaxFreshDeletes"), 1, 1000000));
    pacing.sleepPerFile =
        std::chrono::milliseconds(std::min<std::uint32_t>(parameters.value("ScanBackoff"), 1000));
    const std::uint32_t io = parameters.value("MaxWordlistIo");
    pacing.maxBytesPerSecond = io == 0xffffffffu ? 0 : static_cast<long long>(io) * 1024;
    return pacing;
}

Crawler::Crawler(FileCatalog& catalog, const IndexPolicy& policy, const TextExtractor& extractor,
                 const Pacing& pacing, ExtractionGuard* guard)
    : m_catalog(catalog), m_policy(policy), m_extractor(extractor), m_pacing(pacing),
      m_guard(guard), m_rateStart(std::chrono::steady_clock::now())
{}

Crawler::~Crawler()
{
    // An exception unwound us mid-batch: nothing of it may stay half-written.
    if (m_inBatch)
        m_catalog.rollback();
}

void Crawler::ensureBatch()
{
    if (m_inBatch)
        return;
    m_catalog.begin();
    m_inBatch = true;
    m_batchWrites = 0;
    m_batchDeletes = 0;
    m_batchStart = std::chrono::steady_clock::now();
}

void Crawler::flush()
{
    if (!m_inBatch)
        return;
    m_inBatch = false;
    try {
        m_catalog.commit();
    } catch (...) {
        m_catalog.rollback();
        throw;
    }
}

void Crawler::countWrite(bool isDelete)
{
    (isDelete ? m_batchDeletes : m_batchWrites)++;
    if (m_batchWrites >= m_pacing.maxBatchFiles || m_batchDeletes >= m_pacing.maxBatchDeletes ||
        std::chrono::steady_clock::now() - m_batchStart >= m_pacing.maxBatchTime)
        flush();
}

void Crawler::pace(long long bytes)
{
    if (m_pacing.sleepPerFile.count() > 0)
        std::this_thread::sleep_for(m_pacing.sleepPerFile);
    if (m_pacing.maxBytesPerSecond <= 0)
        return;
    m_rateBytes += bytes;
    const auto elapsed = std::chrono::steady_clock::now() - m_rateStart;
    const auto due = std::chrono::milliseconds(m_rateBytes * 1000 / m_pacing.maxBytesPerSecond);
    if (due > elapsed) {
        // Commit first: the pause must not hold the catalogue's write lock.
        flush();
        std::this_thread::sleep_for(due - elapsed);
    }
    if (elapsed > std::chrono::seconds(10)) {
        m_rateStart = std::chrono::steady_clock::now();
        m_rateBytes = 0;
    }
}

PassStats Crawler::fullPass()
{
    m_stats = {};
    std::vector<long long> seen;
    std::vector<std::string> failedFolders;
    for (const std::string& root : m_policy.roots()) {
        if (stopping())
            break;
        struct stat info
        {};
        // A root may itself be a link (a home folder on another disk); below it none is followed.
        if (::stat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            if (errno != ENOENT)
                failedFolders.push_back(root);
            qCInfo(lcIndexer).noquote() << "folder to index is missing:" << shown(root);
            continue;
        }
        walk(root, &seen, &failedFolders);
    }
    if (stopping()) {
        flush();
        return m_stats;
    }

    // Everything in the catalogue that this pass did not see is gone, apart
    // from what lies in a folder that could not be read this time.
    std::sort(seen.begin(), seen.end());
    std::vector<long long> gone;
    m_catalog.forEachUnder("", [&](long long id, const std::string& path) {
        if (std::binary_search(seen.begin(), seen.end(), id))
            return;
        const bool protectedByFailure =
            std::any_of(failedFolders.begin(), failedFolders.end(), [&](const std::string& f) {
                return path == f || path.rfind(f + "/", 0) == 0;
            });
        if (!protectedByFailure || !m_policy.covers(path))
            gone.push_back(id);
    });
    for (const long long id : gone) {
        ensureBatch();
        m_catalog.remove(id);
        ++m_stats.removed;
        countWrite(true);
    }
    flush();
    if (m_progress)
        m_progress(m_stats);
    return m_stats;
}

void Crawler::walk(const std::string& start, std::vector<long long>* seen,
                   std::vector<std::string>* failedFolders)
{
    // An explicit stack: folder depth is bounded by path length, not by our stack.
    std::vector<std::string> folders{start};
    while (!folders.empty() && !stopping()) {
        const std::string folder = std::move(folders.back());
        folders.pop_back();
        if (m_policy.skipsFolder(folder))
            continue;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) {
            ++m_stats.unreadable;
            if (failedFolders)
                failedFolders->push_back(folder);
            qCDebug(lcIndexer).noquote() << "cannot read folder" << shown(folder);
            continue;
        }
        std::vector<std::string> subfolders;
        const int dirFd = ::dirfd(dir);
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name == "." || name == ".." || m_policy.skipsName(name))
                continue;
            struct stat info
            {};
            if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
                continue; // vanished between listing and looking
            std::string path =
                folder == "/" ? "/" + std::string(name) : folder + "/" + std::string(name);
            if (S_ISDIR(info.st_mode))
                subfolders.push_back(std::move(path));
            else if (S_ISREG(info.st_mode))
                visitFile(path, name, stampOf(info), seen);
            if (stopping())
                break;
        }
        ::closedir(dir);
        // Reverse so that the folders are visited in listing order.
        std::move(subfolders.rbegin(), subfolders.rend(), std::back_inserter(folders));
    }
    flush();
}

void Crawler::visitFile(const std::string& path, std::string_view name, const FileStamp& stamp,
                        std::vector<long long>* seen)
{
    ++m_stats.seen;
    const auto existing = m_catalog.find(path);
    if (existing && existing->stamp == stamp) {
        if (seen)
            seen->push_back(existing->id);
        return;
    }

    Extraction extraction;
    if (m_catalog.isNameOnly(path)) {
        extraction.format = "name only";
    } else {
        if (m_guard)
            m_guard->begin(path);
        extraction = m_extractor.extract(path, stamp.size);
        if (m_guard)
            m_guard->end();
    }
    if (extraction.failed) {
        ++m_stats.unreadable;
        // Unreadable now: an old entry would promise text we cannot show.
        if (existing) {
            ensureBatch();
            m_catalog.remove(existing->id);
            countWrite(true);
        }
        return;
    }
    if (extraction.truncated) {
        ++m_stats.truncated;
        qCInfo(lcIndexer).noquote() << "indexed only the start of" << shown(path) << "("
                                    << extraction.format.c_str() << ", a size or time limit)";
    }
    ensureBatch();
    // The stamp from before the read: if the file changed meanwhile, the next
    // pass sees a difference and reads it again.
    const long long id = m_catalog.put(path, std::string(name), stamp, extraction.text);
    if (seen)
        seen->push_back(id);
    ++m_stats.indexed;
    m_stats.bytesRead += stamp.size;
    countWrite(false);
    if (m_progress)
        m_progress(m_stats);
    pace(stamp.size);
}

void Crawler::removeTree(const std::string& path)
{
    ensureBatch();
    const long long removed = m_catalog.removeTree(path);
    m_stats.removed += removed;
    if (removed > 0)
        countWrite(true);
}

void Crawler::update(const std::string& path)
{
    struct stat info
    {};
    if (!m_policy.covers(path) || ::lstat(path.c_str(), &info) != 0) {
        removeTree(path);
        return;
    }
    if (S_ISDIR(info.st_mode)) {
        walk(path, nullptr, nullptr);
        return;
    }
    if (S_ISREG(info.st_mode)) {
        visitFile(path, baseName(path), stampOf(info), nullptr);
        return;
    }
    // Replaced by a link or a special file: no longer indexed.
    removeTree(path);
}
