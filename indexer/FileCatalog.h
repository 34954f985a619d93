#pragma once

#include "indexer/Sqlite.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the crawler compares to tell a changed file from an unchanged one.
struct FileStamp
{
    long long size = 0;
    long long mtimeNs = 0;
    long long device = 0;
    long long inode = 0;
    bool operator==(const FileStamp&) const = default;
};

struct CatalogEntry
{
    long long id = 0;
    FileStamp stamp;
};

struct CatalogStats
{
    long long files = 0;
    long long nameOnly = 0;
    long long bytesIndexed = 0;
};

// The full-text catalogue: one SQLite file in WAL mode, so the desktop search
// reads while the indexer writes. Paths are kept as the raw bytes of the file
// system (names need not be UTF-8); the name and the text are indexed by FTS5.
// A file that is not a catalogue of this version, or is damaged, is replaced
// by an empty one.
class FileCatalog
{
public:
    static constexpr int kSchemaVersion = 1;

    explicit FileCatalog(QString path);
    // Opens for writing, creating the folder and the file as needed.
    // Throws SqliteError when even a fresh catalogue cannot be made.
    void open();
    void close()
    {
        m_statements.reset();
        m_db.close();
    }
    // Deletes the file and starts an empty one; reason goes to the log.
    void rebuild(const QString& reason);
    QString path() const { return m_path; }
    bool wasRebuilt() const { return m_rebuilt; }

    void begin();
    void commit();
    void rollback();

    std::optional<CatalogEntry> find(const std::string& path) const;
    // Inserts or replaces one file's row; returns its id.
    long long put(const std::string& path, const std::string& name, const FileStamp& stamp,
                  std::string_view text);
    void remove(long long id);
    // The file and everything below it as a folder; returns the number removed.
    long long removeTree(const std::string& path);
    // Calls visit(id, path) for every file at or below folder ("" for all).
    template <typename Visit> void forEachUnder(const std::string& folder, Visit visit) const;

    // Files whose extraction once took the service down: indexed by name only.
    void markNameOnly(const std::string& path);
    bool isNameOnly(const std::string& path) const;

    CatalogStats stats() const;
    // Merges the index segments; worth it after a large pass.
    void optimize();

    // The native bytes of a path and back, for the raw-path columns.
    static std::string nativePath(const QString& path);

private:
    void openExisting();
    void createSchema();
    void prepare();

    QString m_path;
    SqliteDb m_db;
    bool m_rebuilt = false;
    struct Statements;
    std::shared_ptr<Statements> m_statements;
};

struct FileCatalog::Statements
{
    explicit Statements(const SqliteDb& db);
    SqliteStmt find;
    SqliteStmt insertFile;
    SqliteStmt updateFile;
    SqliteStmt deleteFile;
    SqliteStmt insertText;
    SqliteStmt deleteText;
    SqliteStmt under;
    SqliteStmt all;
    SqliteStmt markNameOnly;
    SqliteStmt isNameOnly;
};

// Lower and upper bound of the raw paths below folder: folder + "/" to folder + "0"
// ('0' follows '/'), so a range scan on the unique path index finds them.
std::pair<std::string, std::string> pathRangeBelow(const std::string& folder);

template <typename Visit>
void FileCatalog::forEachUnder(const std::string& folder, Visit visit) const
{
    if (folder.empty() || folder == "/") {
        SqliteStmt& all = m_statements->all;
        while (all.step())
            visit(all.integer(0), std::string(all.blob(1)));
        all.reset();
        return;
    }
    const auto [low, high] = pathRangeBelow(folder);
    SqliteStmt& under = m_statements->under;
    under.bindBlob(1, low).bindBlob(2, high).bindBlob(3, folder);
    while (under.step())
        visit(under.integer(0), std::string(under.blob(1)));
    under.reset();
}
