#pragma once

#include "organizer/CalendarEvent.h"
#include "organizer/UpcomingSource.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A failure of the organizer database, with SQLite's message.
class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The organizer database: the Events table in one SQLite file. Every change is
// one transaction; a database locked by another process is waited for a few
// seconds, then reported as a StoreError. User-interface thread only.
class EventStore : public UpcomingSource
{
public:
    // Opens an existing database; never creates the file or the table.
    // Throws StoreError when the file is missing, unreadable or not ours.
    static EventStore openFile(const QString& path);
    // A fresh database in memory with the shipped schema, for tests and tools.
    static EventStore openInMemory();
    // The schema the build puts into the shipped empty database.
    static QString schemaSql();

    EventStore(EventStore&& other) noexcept;
    EventStore& operator=(EventStore&& other) noexcept;
    EventStore(const EventStore&) = delete;
    EventStore& operator=(const EventStore&) = delete;
    ~EventStore() override;

    // How long a change waits for another process's lock before it fails.
    void setBusyTimeout(int milliseconds);

    // Stores a new row and returns its ID (also written into event.id).
    qint64 insert(CalendarEvent& event);
    void update(const CalendarEvent& event);
    // Removes the row and, for a series, its changed and deleted occurrences.
    void remove(qint64 id);
    std::optional<CalendarEvent> find(qint64 id) const;
    std::vector<CalendarEvent> all() const;
    // The changed and deleted occurrences of a series.
    std::vector<CalendarEvent> exceptionsOf(qint64 seriesId) const;
    // Rows that may show between from and to: single events overlapping the
    // range, every series starting before its end, and every changed or
    // deleted occurrence (needed to hide what a series yields).
    std::vector<CalendarEvent> forRange(const QDateTime& from, const QDateTime& to) const;

    // The first rows with near <= Finish <= far, earliest first; deleted
    // occurrences never count.
    std::vector<UpcomingRow> finishWindow(const QDateTime& near, const QDateTime& far,
                                          int limit) const override;
    std::optional<QDateTime> firstFinishFrom(const QDateTime& near) const override;

    // Rows with the reminder on whose ReminderDate is at or before now.
    std::vector<CalendarEvent> dueReminders(const QDateTime& now) const;
    // The earliest pending ReminderDate after now.
    std::optional<QDateTime> nextReminderAfter(const QDateTime& now) const;
    // Sets the pending reminder (an invalid date clears it) and the start of
    // the occurrence it is for.
    void setReminder(qint64 id, const QDateTime& due, const QDateTime& occurrenceStart);

private:
    explicit EventStore(sqlite3* db);
    class Statement;
    void exec(const char* sql) const;
    void transaction(const std::function<void()>& body);
    std::vector<CalendarEvent> selectEvents(const QString& where,
                                            const std::vector<QString>& binds) const;
    [[noreturn]] void fail(const QString& what) const;

    sqlite3* m_db = nullptr;
};
