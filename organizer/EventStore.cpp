#include "organizer/EventStore.h"

#include "organizer/OrganizerLog.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <utility>

namespace {

// Long enough to ride out another process's transaction, short enough not
// to freeze the window for good.
constexpr int kBusyTimeoutMs = 3000;

const char* const kColumns =
    "ID, Start, Finish, Caption, Message, Location, Type, Options, State, LabelColor, ParentID, "
    "RecurrenceIndex, RecurrenceInfo, ReminderDate, ReminderMinutes, ActualStart, ActualFinish";

QString nullableText(const QDateTime& value)
{
    return value.isValid() ? EventTime::toText(value) : QString();
}

} // namespace

// A prepared statement that finalizes itself; binds are 1-based like SQLite's.
class EventStore::Statement
{
public:
    Statement(const EventStore& store, const QString& sql) : m_store(store)
    {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(store.m_db, text.constData(), static_cast<int>(text.size()), &m_stmt,
                               nullptr) != SQLITE_OK)
            store.fail(QStringLiteral("prepare"));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QString& text)
    {
        if (text.isNull()) {
            sqlite3_bind_null(m_stmt, index);
            return;
        }
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
    }
    void bind(int index, qint64 value) { sqlite3_bind_int64(m_stmt, index, value); }
    void bindId(int index, qint64 value)
    {
        if (value == 0)
            sqlite3_bind_null(m_stmt, index);
        else
            sqlite3_bind_int64(m_stmt, index, value);
    }
    // True while there is a row.
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            m_store.fail(QStringLiteral("step"));
        return false;
    }
    QString text(int column) const
    {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
    }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    bool isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

private:
    const EventStore& m_store;
    sqlite3_stmt* m_stmt = nullptr;
};

EventStore EventStore::openFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw StoreError(QStringLiteral("The organizer database \"%1\" does not exist.")
                             .arg(path)
                             .toStdString());
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw StoreError(QStringLiteral("Cannot open \"%1\": %2").arg(path, message).toStdString());
    }
    EventStore store(db);
    // Fails on a file that is not a database or has no complete Events table.
    Statement check(
        store, QStringLiteral("SELECT %1 FROM Events LIMIT 0").arg(QString::fromLatin1(kColumns)));
    check.step();
    return store;
}

EventStore EventStore::openInMemory()
{
    sqlite3* db = nullptr;
    if (sqlite3_open(":memory:", &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw StoreError("Cannot open an in-memory database");
    }
    EventStore store(db);
    store.exec(schemaSql().toUtf8().constData());
    return store;
}

// The resource lives in a static library, whose registration the linker would drop.
static void initSchemaResource()
{
    Q_INIT_RESOURCE(schema);
}

QString EventStore::schemaSql()
{
    initSchemaResource();
    QFile file(QStringLiteral(":/organizer/Organaizer.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError("The organizer schema resource is missing");
    return QString::fromUtf8(file.readAll());
}

EventStore::EventStore(sqlite3* db) : m_db(db)
{
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(m_db, 1);
}

EventStore::EventStore(EventStore&& other) noexcept : m_db(std::exchange(other.m_db, nullptr)) {}

EventStore& EventStore::operator=(EventStore&& other) noexcept
{
    if (this != &other) {
        sqlite3_close(m_db);
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

EventStore::~EventStore()
{
    sqlite3_close(m_db);
}

void EventStore::setBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_db, milliseconds);
}

void EventStore::fail(const QString& what) const
{
    const int code = sqlite3_errcode(m_db);
    QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    if ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED)
        message = QStringLiteral("The organizer database is in use by another program (%1).")
                      .arg(message);
    qCWarning(lcOrganizer).noquote() << "database" << what << "failed:" << message;
    throw StoreError(message.toStdString());
}

void EventStore::exec(const char* sql) const
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        sqlite3_free(error);
        fail(QString::fromLatin1(sql).section(QLatin1Char(' '), 0, 1));
    }
}

void EventStore::transaction(const std::function<void()>& body)
{
    // IMMEDIATE takes the write lock up front, so a busy database is waited
    // for before anything is changed.
    exec("BEGIN IMMEDIATE");
    try {
        body();
        exec("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

namespace {

void bindEvent(auto& statement, const CalendarEvent& event)
{
    statement.bind(1, EventTime::toText(event.start));
    statement.bind(2, EventTime::toText(event.finish));
    statement.bind(3, event.caption.isNull() ? QString(QLatin1String("")) : event.caption);
    statement.bind(4, event.message.isNull() ? QString(QLatin1String("")) : event.message);
    statement.bind(5, event.location.isNull() ? QString(QLatin1String("")) : event.location);
    statement.bind(6, static_cast<qint64>(event.type));
    statement.bind(7, static_cast<qint64>(event.options));
    statement.bind(8, static_cast<qint64>(event.state));
    statement.bind(9, static_cast<qint64>(event.labelColor));
    statement.bindId(10, event.parentId);
    statement.bind(11, static_cast<qint64>(event.recurrenceIndex));
    statement.bind(12, event.recurrenceInfo);
    statement.bind(13, nullableText(event.reminderDate));
    statement.bind(14, static_cast<qint64>(event.reminderMinutes));
    statement.bind(15, nullableText(event.actualStart));
    statement.bind(16, nullableText(event.actualFinish));
}

} // namespace

qint64 EventStore::insert(CalendarEvent& event)
{
    transaction([&] {
        Statement statement(*this,
                            QStringLiteral("INSERT INTO Events (Start, Finish, Caption, Message, "
                                           "Location, Type, Options, State, LabelColor, ParentID, "
                                           "RecurrenceIndex, RecurrenceInfo, ReminderDate, "
                                           "ReminderMinutes, ActualStart, ActualFinish) VALUES "
                                           "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        bindEvent(statement, event);
        statement.step();
        event.id = sqlite3_last_insert_rowid(m_db);
    });
    return event.id;
}

void EventStore::update(const CalendarEvent& event)
{
    transaction([&] {
        Statement statement(*this, QStringLiteral("UPDATE Events SET Start = ?, Finish = ?, "
                                                  "Caption = ?, Message = ?, Location = ?, "
                                                  "Type = ?, Options = ?, State = ?, "
                                                  "LabelColor = ?, ParentID = ?, "
                                                  "RecurrenceIndex = ?, RecurrenceInfo = ?, "
                                                  "ReminderDate = ?, ReminderMinutes = ?, "
                                                  "ActualStart = ?, ActualFinish = ? "
                                                  "WHERE ID = ?"));
        bindEvent(statement, event);
        statement.bind(17, event.id);
        statement.step();
    });
}

void EventStore::remove(qint64 id)
{
    transaction([&] {
        Statement statement(*this,
                            QStringLiteral("DELETE FROM Events WHERE ID = ?1 OR ParentID = ?1"));
        statement.bind(1, id);
        statement.step();
    });
}

std::vector<CalendarEvent> EventStore::selectEvents(const QString& where,
                                                    const std::vector<QString>& binds) const
{
    Statement statement(*this, QStringLiteral("SELECT %1 FROM Events %2 ORDER BY Start, ID")
                                   .arg(QString::fromLatin1(kColumns), where));
    for (std::size_t i = 0; i < binds.size(); ++i)
        statement.bind(static_cast<int>(i) + 1, binds[i]);
    std::vector<CalendarEvent> events;
    while (statement.step()) {
        CalendarEvent event;
        event.id = statement.integer(0);
        event.start = EventTime::fromText(statement.text(1));
        event.finish = EventTime::fromText(statement.text(2));
        event.caption = statement.text(3);
        event.message = statement.text(4);
        event.location = statement.text(5);
        const qint64 type = statement.integer(6);
        event.type = type >= 0 && type <= 3 ? static_cast<EventType>(type) : EventType::Single;
        event.options = static_cast<int>(statement.integer(7));
        event.state = static_cast<int>(statement.integer(8));
        event.labelColor = static_cast<int>(statement.integer(9) & 0xffffff);
        event.parentId = statement.integer(10);
        event.recurrenceIndex = static_cast<int>(statement.integer(11));
        event.recurrenceInfo = statement.text(12);
        event.reminderDate = EventTime::fromText(statement.text(13));
        event.reminderMinutes = statement.isNull(14) ? 15 : static_cast<int>(statement.integer(14));
        event.actualStart = EventTime::fromText(statement.text(15));
        event.actualFinish = EventTime::fromText(statement.text(16));
        // A row without a readable start or finish cannot be placed anywhere.
        if (!event.start.isValid() || !event.finish.isValid()) {
            qCWarning(lcOrganizer) << "skipping event" << event.id << "with unreadable dates";
            continue;
        }
        if (event.finish < event.start)
            event.finish = event.start;
        events.push_back(std::move(event));
    }
    return events;
}

std::optional<CalendarEvent> EventStore::find(qint64 id) const
{
    auto events = selectEvents(QStringLiteral("WHERE ID = ?"), {QString::number(id)});
    if (events.empty())
        return std::nullopt;
    return events.front();
}

std::vector<CalendarEvent> EventStore::all() const
{
    return selectEvents(QString(), {});
}

std::vector<CalendarEvent> EventStore::exceptionsOf(qint64 seriesId) const
{
    return selectEvents(QStringLiteral("WHERE ParentID = ?"), {QString::number(seriesId)});
}

std::vector<CalendarEvent> EventStore::forRange(const QDateTime& from, const QDateTime& to) const
{
    // Every changed or deleted occurrence counts: one moved out of the range
    // still hides what its series would show inside it.
    return selectEvents(QStringLiteral("WHERE Type = 1 AND Start < ?1 OR ParentID IS NOT NULL OR "
                                       "Type IN (0, 2) AND Start < ?1 AND Finish >= ?2"),
                        {EventTime::toText(to), EventTime::toText(from)});
}

std::vector<UpcomingRow> EventStore::finishWindow(const QDateTime& near, const QDateTime& far,
                                                  int limit) const
{
    Statement statement(*this, QStringLiteral("SELECT Finish, Caption, Message FROM Events "
                                              "WHERE Finish BETWEEN ?1 AND ?2 AND Type != 3 "
                                              "ORDER BY Finish ASC, ID ASC LIMIT ?3"));
    statement.bind(1, EventTime::toText(EventTime::toSeconds(near)));
    statement.bind(2, EventTime::toText(EventTime::toSeconds(far)));
    statement.bind(3, static_cast<qint64>(limit));
    std::vector<UpcomingRow> rows;
    while (statement.step())
        rows.push_back(
            {EventTime::fromText(statement.text(0)), statement.text(1), statement.text(2)});
    return rows;
}

std::optional<QDateTime> EventStore::firstFinishFrom(const QDateTime& near) const
{
    Statement statement(*this, QStringLiteral("SELECT MIN(Finish) FROM Events "
                                              "WHERE Finish >= ? AND Type != 3"));
    statement.bind(1, EventTime::toText(EventTime::toSeconds(near)));
    if (!statement.step() || statement.isNull(0))
        return std::nullopt;
    const QDateTime first = EventTime::fromText(statement.text(0));
    if (!first.isValid())
        return std::nullopt;
    return first;
}

std::vector<CalendarEvent> EventStore::dueReminders(const QDateTime& now) const
{
    return selectEvents(QStringLiteral("WHERE (Options & 2) != 0 AND Type != 3 AND "
                                       "ReminderDate IS NOT NULL AND ReminderDate <= ?"),
                        {EventTime::toText(EventTime::toSeconds(now))});
}

std::optional<QDateTime> EventStore::nextReminderAfter(const QDateTime& now) const
{
    Statement statement(*this, QStringLiteral("SELECT MIN(ReminderDate) FROM Events "
                                              "WHERE (Options & 2) != 0 AND Type != 3 AND "
                                              "ReminderDate > ?"));
    statement.bind(1, EventTime::toText(EventTime::toSeconds(now)));
    if (!statement.step() || statement.isNull(0))
        return std::nullopt;
    const QDateTime next = EventTime::fromText(statement.text(0));
    if (!next.isValid())
        return std::nullopt;
    return next;
}

void EventStore::setReminder(qint64 id, const QDateTime& due, const QDateTime& occurrenceStart)
{
    transaction([&] {
        Statement statement(*this, QStringLiteral("UPDATE Events SET ReminderDate = ?, "
                                                  "ActualStart = ? WHERE ID = ?"));
        statement.bind(1, nullableText(due));
        statement.bind(2, nullableText(occurrenceStart));
        statement.bind(3, id);
        statement.step();
    });
}
