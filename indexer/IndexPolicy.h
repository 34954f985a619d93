#pragma once

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// What the indexer looks at: the scope's folders minus hidden entries, the
// excluded name patterns and the catalogue's own folder. Plain predicates on
// native path bytes, so the crawler and the live updates agree.
class IndexPolicy
{
public:
    IndexPolicy(const QStringList& folders, const QStringList& excludePatterns,
                const QString& catalogFolder);

    const std::vector<std::string>& roots() const { return m_roots; }
    // A hidden name or one that matches an exclude pattern.
    bool skipsName(std::string_view name) const;
    // A folder the crawler must not enter (the catalogue's own).
    bool skipsFolder(const std::string& path) const;
    // Below a root, and no component on the way skipped.
    bool covers(const std::string& path) const;

private:
    std::vector<std::string> m_roots;
    std::vector<std::string> m_patterns;
    std::string m_catalogFolder;
};
