#pragma once

#include "indexer/IndexPolicy.h"

#include <chrono>
#include <string>
#include <unordered_map>
#include <vector>

// inotify on every folder of the scope. Reports paths that were created,
// written, touched, moved or deleted; a queue overflow is reported so the
// caller can rescan. When the per-user watch limit runs out the folders
// without a watch are counted, and the caller falls back to periodic passes.
class LiveWatcher
{
public:
    struct Change
    {
        enum class Kind
        {
            Changed,     // a file or folder to look at again
            Removed,     // gone from here (deleted or moved away)
            FolderAdded, // a new folder: watch it and walk it
            Overflow,    // events were lost: rescan everything
        };
        Kind kind;
        std::string path;
    };

    LiveWatcher();
    ~LiveWatcher();
    LiveWatcher(const LiveWatcher&) = delete;
    LiveWatcher& operator=(const LiveWatcher&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Watches folder and every folder below it the policy lets in.
    void watchTree(const std::string& folder, const IndexPolicy& policy);
    void forgetTree(const std::string& folder);
    void clear();
    // Folders that got no watch because the limit was reached.
    long long unwatchedFolders() const { return m_unwatched; }
    size_t watchCount() const { return m_paths.size(); }

    // Waits up to timeout for events and appends what they mean.
    void wait(std::chrono::milliseconds timeout, std::vector<Change>& changes);

private:
    bool addWatch(const std::string& folder);

    int m_fd = -1;
    std::unordered_map<int, std::string> m_paths;
    std::unordered_map<std::string, int> m_watches;
    long long m_unwatched = 0;
};
