#include "indexer/IndexPolicy.h"

#include <QDir>
#include <QFile>

#include <fnmatch.h>

IndexPolicy::IndexPolicy(const QStringList& folders, const QStringList& excludePatterns,
                         const QString& catalogFolder)
    : m_catalogFolder(QFile::encodeName(QDir::cleanPath(catalogFolder)).toStdString())
{
    for (const QString& folder : folders)
        m_roots.push_back(QFile::encodeName(QDir::cleanPath(folder)).toStdString());
    for (const QString& pattern : excludePatterns)
        m_patterns.push_back(QFile::encodeName(pattern).toStdString());
}

bool IndexPolicy::skipsName(std::string_view name) const
{
    if (name.empty() || name.front() == '.')
        return true;
    const std::string text(name);
    for (const std::string& pattern : m_patterns)
        if (::fnmatch(pattern.c_str(), text.c_str(), FNM_PERIOD) == 0)
            return true;
    return false;
}

bool IndexPolicy::skipsFolder(const std::string& path) const
{
    return path == m_catalogFolder;
}

bool IndexPolicy::covers(const std::string& path) const
{
    for (const std::string& root : m_roots) {
        const bool atRoot = path == root;
        const std::string prefix = root == "/" ? root : root + "/";
        if (!atRoot && path.rfind(prefix, 0) != 0)
            continue;
        if (atRoot)
            return true;
        // Every component below the root must be one the crawler would enter.
        size_t start = prefix.size();
        bool skipped = false;
        while (start < path.size() && !skipped) {
            size_t end = path.find('/', start);
            if (end == std::string::npos)
                end = path.size();
            skipped = skipsName(std::string_view(path).substr(start, end - start)) ||
                      skipsFolder(path.substr(0, end));
            start = end + 1;
        }
        if (!skipped)
            return true;
    }
    return false;
}
