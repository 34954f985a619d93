#include "indexer/Sqlite.h"

SqliteDb::~SqliteDb()
{
    close();
}

void SqliteDb::open(const std::string& path, int flags)
{
    close();
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        close();
        throw SqliteError(rc, "cannot open " + path + ": " + message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    // Readers and the writer meet on one file; wait rather than fail on a lock.
    sqlite3_busy_timeout(m_db, 5000);
}

void SqliteDb::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void SqliteDb::exec(const char* sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw SqliteError(sqlite3_extended_errcode(m_db), message);
    }
}

void SqliteDb::fail(int code, std::string_view what) const
{
    std::string message(what);
    message += ": ";
    message += m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
    throw SqliteError(m_db ? sqlite3_extended_errcode(m_db) : code, message);
}

SqliteStmt::SqliteStmt(const SqliteDb& db, const char* sql) : m_db(db)
{
    const int rc =
        sqlite3_prepare_v3(db.handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        db.fail(rc, "prepare");
}

SqliteStmt::~SqliteStmt()
{
    sqlite3_finalize(m_stmt);
}

SqliteStmt& SqliteStmt::bind(int index, long long value)
{
    sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

SqliteStmt& SqliteStmt::bindText(int index, std::string_view text)
{
    sqlite3_bind_text64(m_stmt, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
}

SqliteStmt& SqliteStmt::bindBlob(int index, std::string_view bytes)
{
    // A zero-length blob must not bind as NULL.
    sqlite3_bind_blob64(m_stmt, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                        SQLITE_TRANSIENT);
    return *this;
}

bool SqliteStmt::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    m_db.fail(rc, "step");
}

void SqliteStmt::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void SqliteStmt::run()
{
    step();
    reset();
}

std::string_view SqliteStmt::text(int column) const
{
    const auto* data = sqlite3_column_text(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? std::string_view(reinterpret_cast<const char*>(data), size) : std::string_view();
}

std::string_view SqliteStmt::blob(int column) const
{
    const void* data = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? std::string_view(static_cast<const char*>(data), size) : std::string_view();
}
