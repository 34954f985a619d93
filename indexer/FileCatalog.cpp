#include "indexer/FileCatalog.h"

#include "indexer/IndexerLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// "LFIX": tells our catalogue from any other SQLite file at that path.
constexpr int kApplicationId = 0x4c464958;

} // namespace

std::pair<std::string, std::string> pathRangeBelow(const std::string& folder)
{
    std::string base = folder;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return {base + "/", base + "0"};
}

FileCatalog::Statements::Statements(const SqliteDb& db)
    : find(db, "SELECT id, size, mtime, dev, ino FROM files WHERE path = ?1"),
      insertFile(db, "INSERT INTO files(path, size, mtime, dev, ino) VALUES(?1, ?2, ?3, ?4, ?5)"),
      updateFile(db, "UPDATE files SET size = ?2, mtime = ?3, dev = ?4, ino = ?5 WHERE id = ?1"),
      deleteFile(db, "DELETE FROM files WHERE id = ?1"),
      insertText(db, "INSERT INTO text(rowid, name, body) VALUES(?1, ?2, ?3)"),
      deleteText(db, "DELETE FROM text WHERE rowid = ?1"),
      under(db, "SELECT id, path FROM files WHERE (path >= ?1 AND path < ?2) OR path = ?3"),
      all(db, "SELECT id, path FROM files"),
      markNameOnly(db, "INSERT OR IGNORE INTO nameonly(path) VALUES(?1)"),
      isNameOnly(db, "SELECT 1 FROM nameonly WHERE path = ?1")
{}

FileCatalog::FileCatalog(QString path) : m_path(std::move(path)) {}

std::string FileCatalog::nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

void FileCatalog::open()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_rebuilt = false;
    try {
        openExisting();
        return;
    } catch (const SqliteError& error) {
        // Open failed on damage or on a file that is no catalogue at all.
        rebuild(QStringLiteral("it cannot be read (%1)").arg(QString::fromUtf8(error.what())));
    }
}

void FileCatalog::openExisting()
{
    m_statements.reset();
    const bool existed = QFileInfo::exists(m_path);
    m_db.open(nativePath(m_path), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    m_db.exec("PRAGMA journal_mode = WAL");
    // Each pragma statement is finished before the next, or SQLite sees an open transaction.
    auto pragma = [this](const char* sql) {
        SqliteStmt statement(m_db, sql);
        return statement.step() ? std::string(statement.text(0)) : std::string();
    };
    const bool healthy = pragma("PRAGMA quick_check") == "ok";
    const long long userVersion = std::stoll("0" + pragma("PRAGMA user_version"));
    const long long applicationId = std::stoll("0" + pragma("PRAGMA application_id"));
    const bool empty = pragma("SELECT count(*) FROM sqlite_schema") == "0";

    if (!healthy)
        throw SqliteError(SQLITE_CORRUPT, "integrity check failed");
    if (empty && applicationId == 0) {
        if (existed)
            qCInfo(lcIndexer).noquote() << "creating catalogue" << m_path;
        createSchema();
    } else if (applicationId != kApplicationId || userVersion != kSchemaVersion) {
        throw SqliteError(SQLITE_NOTADB, "schema version " + std::to_string(userVersion) +
                                             " where " + std::to_string(kSchemaVersion) +
                                             " is expected");
    }
    m_db.exec("PRAGMA synchronous = NORMAL; PRAGMA cache_size = -16000;"
              " PRAGMA foreign_keys = OFF; PRAGMA temp_store = MEMORY");
    prepare();
}

void FileCatalog::createSchema()
{
    m_db.exec("BEGIN;"
              "CREATE TABLE files(id INTEGER PRIMARY KEY, path BLOB NOT NULL UNIQUE,"
              " size INTEGER NOT NULL, mtime INTEGER NOT NULL, dev INTEGER NOT NULL,"
              " ino INTEGER NOT NULL);"
              "CREATE VIRTUAL TABLE text USING fts5(name, body,"
              " tokenize = 'unicode61 remove_diacritics 2');"
              "CREATE TABLE nameonly(path BLOB PRIMARY KEY) WITHOUT ROWID;"
              "COMMIT;");
    m_db.exec(("PRAGMA application_id = " + std::to_string(kApplicationId) +
               "; PRAGMA user_version = " + std::to_string(kSchemaVersion))
                  .c_str());
}

void FileCatalog::prepare()
{
    m_statements = std::make_shared<Statements>(m_db);
}

void FileCatalog::rebuild(const QString& reason)
{
    qCWarning(lcIndexer).noquote() << "rebuilding the catalogue" << m_path << "because" << reason;
    m_statements.reset();
    m_db.close();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(m_path + QLatin1String(suffix));
    m_rebuilt = true;
    openExisting();
}

void FileCatalog::begin()
{
    m_db.exec("BEGIN IMMEDIATE");
}

void FileCatalog::commit()
{
    m_db.exec("COMMIT");
}

void FileCatalog::rollback()
{
    if (m_db.isOpen() && !sqlite3_get_autocommit(m_db.handle()))
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

std::optional<CatalogEntry> FileCatalog::find(const std::string& path) const
{
    SqliteStmt& find = m_statements->find;
    find.bindBlob(1, path);
    std::optional<CatalogEntry> entry;
    if (find.step())
        entry = CatalogEntry{find.integer(0),
                             {find.integer(1), find.integer(2), find.integer(3), find.integer(4)}};
    find.reset();
    return entry;
}

long long FileCatalog::put(const std::string& path, const std::string& name, const FileStamp& stamp,
                           std::string_view text)
{
    Statements& s = *m_statements;
    long long id = 0;
    if (const auto existing = find(path)) {
        id = existing->id;
        s.updateFile.bind(1, id)
            .bind(2, stamp.size)
            .bind(3, stamp.mtimeNs)
            .bind(4, stamp.device)
            .bind(5, stamp.inode)
            .run();
        s.deleteText.bind(1, id).run();
    } else {
        s.insertFile.bindBlob(1, path)
            .bind(2, stamp.size)
            .bind(3, stamp.mtimeNs)
            .bind(4, stamp.device)
            .bind(5, stamp.inode)
            .run();
        id = sqlite3_last_insert_rowid(m_db.handle());
    }
    s.insertText.bind(1, id).bindText(2, name).bindText(3, text).run();
    return id;
}

void FileCatalog::remove(long long id)
{
    m_statements->deleteText.bind(1, id).run();
    m_statements->deleteFile.bind(1, id).run();
}

long long FileCatalog::removeTree(const std::string& path)
{
    std::vector<long long> ids;
    forEachUnder(path, [&](long long id, const std::string&) { ids.push_back(id); });
    for (const long long id : ids)
        remove(id);
    return static_cast<long long>(ids.size());
}

void FileCatalog::markNameOnly(const std::string& path)
{
    m_statements->markNameOnly.bindBlob(1, path).run();
}

bool FileCatalog::isNameOnly(const std::string& path) const
{
    SqliteStmt& query = m_statements->isNameOnly;
    query.bindBlob(1, path);
    const bool found = query.step();
    query.reset();
    return found;
}

CatalogStats FileCatalog::stats() const
{
    CatalogStats stats;
    SqliteStmt files(m_db, "SELECT count(*), coalesce(sum(size), 0) FROM files");
    files.step();
    stats.files = files.integer(0);
    stats.bytesIndexed = files.integer(1);
    SqliteStmt nameOnly(m_db, "SELECT count(*) FROM nameonly");
    nameOnly.step();
    stats.nameOnly = nameOnly.integer(0);
    return stats;
}

void FileCatalog::optimize()
{
    m_db.exec("INSERT INTO text(text) VALUES('optimize')");
}
