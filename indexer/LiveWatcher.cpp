#include "indexer/LiveWatcher.h"

#include "indexer/IndexerLog.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint32_t kMask = IN_CLOSE_WRITE | IN_CREATE | IN_ATTRIB | IN_DELETE | IN_MOVED_FROM |
                           IN_MOVED_TO | IN_ONLYDIR | IN_DONT_FOLLOW | IN_EXCL_UNLINK;

} // namespace

LiveWatcher::LiveWatcher() : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_fd < 0)
        qCWarning(lcIndexer) << "inotify is not available; changes are found by periodic passes";
}

LiveWatcher::~LiveWatcher()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void LiveWatcher::clear()
{
    for (const auto& [wd, path] : m_paths)
        ::inotify_rm_watch(m_fd, wd);
    m_paths.clear();
    m_watches.clear();
    m_unwatched = 0;
}

bool LiveWatcher::addWatch(const std::string& folder)
{
    if (m_fd < 0) {
        ++m_unwatched;
        return false;
    }
    const int wd = ::inotify_add_watch(m_fd, folder.c_str(), kMask);
    if (wd < 0) {
        if (errno == ENOSPC)
            ++m_unwatched;
        return false;
    }
    // A folder renamed and back gets its old descriptor again.
    if (const auto old = m_paths.find(wd); old != m_paths.end())
        m_watches.erase(old->second);
    m_paths[wd] = folder;
    m_watches[folder] = wd;
    return true;
}

void LiveWatcher::watchTree(const std::string& start, const IndexPolicy& policy)
{
    std::vector<std::string> folders{start};
    while (!folders.empty()) {
        const std::string folder = std::move(folders.back());
        folders.pop_back();
        if (policy.skipsFolder(folder))
            continue;
        addWatch(folder);
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            continue;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name == "." || name == ".." || policy.skipsName(name))
                continue;
            bool isDir = entry->d_type == DT_DIR;
            if (entry->d_type == DT_UNKNOWN) {
                struct stat info
                {};
                isDir = ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                        S_ISDIR(info.st_mode);
            }
            if (isDir)
                folders.push_back(folder == "/" ? "/" + std::string(name)
                                                : folder + "/" + std::string(name));
        }
        ::closedir(dir);
    }
}

void LiveWatcher::forgetTree(const std::string& folder)
{
    const std::string prefix = folder + "/";
    for (auto it = m_watches.begin(); it != m_watches.end();) {
        if (it->first == folder || it->first.rfind(prefix, 0) == 0) {
            ::inotify_rm_watch(m_fd, it->second);
            m_paths.erase(it->second);
            it = m_watches.erase(it);
        } else {
            ++it;
        }
    }
}

void LiveWatcher::wait(std::chrono::milliseconds timeout, std::vector<Change>& changes)
{
    if (m_fd < 0) {
        ::poll(nullptr, 0, static_cast<int>(timeout.count()));
        return;
    }
    pollfd pfd{m_fd, POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(timeout.count())) <= 0)
        return;
    alignas(inotify_event) char buffer[64 * 1024];
    while (true) {
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                changes.push_back({Change::Kind::Overflow, {}});
                continue;
            }
            if (event->mask & IN_IGNORED) {
                if (const auto it = m_paths.find(event->wd); it != m_paths.end()) {
                    m_watches.erase(it->second);
                    m_paths.erase(it);
                }
                continue;
            }
            const auto folder = m_paths.find(event->wd);
            if (folder == m_paths.end() || event->len == 0)
                continue;
            const std::string path = folder->second + "/" + std::string(event->name);
            const bool isDir = event->mask & IN_ISDIR;
            if (event->mask & (IN_DELETE | IN_MOVED_FROM)) {
                if (isDir)
                    forgetTree(path);
                changes.push_back({Change::Kind::Removed, path});
            } else if (isDir && (event->mask & (IN_CREATE | IN_MOVED_TO))) {
                changes.push_back({Change::Kind::FolderAdded, path});
            } else {
                changes.push_back({Change::Kind::Changed, path});
            }
        }
    }
}
