#pragma once

#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <string_view>

// A failed SQLite call; code() is the extended result code, so callers can
// tell a corrupt file or a full disk from other failures.
class SqliteError : public std::runtime_error
{
public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    int code() const { return m_code; }
    int primaryCode() const { return m_code & 0xff; }
    bool isCorrupt() const
    {
        return primaryCode() == SQLITE_CORRUPT || primaryCode() == SQLITE_NOTADB;
    }

private:
    int m_code;
};

// One connection, closed when it goes out of scope.
class SqliteDb
{
public:
    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // flags as for sqlite3_open_v2. Throws SqliteError.
    void open(const std::string& path, int flags);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db; }
    void exec(const char* sql);
    [[noreturn]] void fail(int code, std::string_view what) const;

private:
    sqlite3* m_db = nullptr;
};

// One prepared statement; columns and parameters count from 0 and 1 as in SQLite.
class SqliteStmt
{
public:
    SqliteStmt(const SqliteDb& db, const char* sql);
    ~SqliteStmt();
    SqliteStmt(const SqliteStmt&) = delete;
    SqliteStmt& operator=(const SqliteStmt&) = delete;

    SqliteStmt& bind(int index, long long value);
    SqliteStmt& bindText(int index, std::string_view text);
    SqliteStmt& bindBlob(int index, std::string_view bytes);
    // True while a row is ready; false when done. Throws SqliteError.
    bool step();
    void reset();
    // Runs a statement that returns no rows and resets it.
    void run();

    long long integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    double real(int column) const { return sqlite3_column_double(m_stmt, column); }
    std::string_view text(int column) const;
    std::string_view blob(int column) const;

private:
    const SqliteDb& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
