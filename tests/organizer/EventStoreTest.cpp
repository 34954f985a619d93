#include "organizer/EventStore.h"

#include "tests/support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2024, 3, day), QTime(hour, minute));
}

CalendarEvent sample()
{
    CalendarEvent event;
    event.start = at(12, 9);
    event.finish = at(12, 10, 30);
    event.caption = QStringLiteral("Zahnarzt – Kontrolle");
    event.message = QStringLiteral("line one\nline two");
    event.location = QStringLiteral("Room 4");
    event.type = EventType::Series;
    event.options = EventOption::AllDay | EventOption::ReminderOn;
    event.labelColor = 0x3366cc;
    event.recurrenceInfo = QStringLiteral("FREQ=WEEKLY;BYDAY=TU");
    event.reminderDate = at(12, 8, 45);
    event.reminderMinutes = 15;
    event.actualStart = at(12, 9);
    return event;
}

TEST(EventStoreTest, RoundTripsEveryColumnAndRemovesSeriesWithOccurrences)
{
    EventStore store = EventStore::openInMemory();
    CalendarEvent series = sample();
    const qint64 id = store.insert(series);
    CalendarEvent deleted;
    deleted.type = EventType::DeletedOccurrence;
    deleted.parentId = id;
    deleted.recurrenceIndex = 2;
    deleted.start = at(26, 9);
    deleted.finish = at(26, 10, 30);
    store.insert(deleted);
    CalendarEvent other;
    other.start = at(13, 9);
    other.finish = at(13, 10);
    store.insert(other);

    const auto read = store.find(id);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->start, series.start);
    EXPECT_EQ(read->finish, series.finish);
    EXPECT_EQ(read->caption, series.caption);
    EXPECT_EQ(read->message, series.message);
    EXPECT_EQ(read->location, series.location);
    EXPECT_EQ(read->type, EventType::Series);
    EXPECT_TRUE(read->allDay());
    EXPECT_TRUE(read->reminderOn());
    EXPECT_EQ(read->labelColor, 0x3366cc);
    EXPECT_EQ(read->recurrenceInfo, series.recurrenceInfo);
    EXPECT_EQ(read->reminderDate, series.reminderDate);
    EXPECT_EQ(read->actualStart, series.actualStart);

    // Deleted occurrences never count as upcoming.
    const auto window = store.finishWindow(at(1, 0), at(31, 0), 10);
    ASSERT_EQ(window.size(), 2u);
    EXPECT_EQ(window[1].finish, at(13, 10));

    store.remove(id);
    const auto rest = store.all();
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].id, other.id);
}

TEST(EventStoreTest, OpenRefusesWhatIsNotAnOrganizerDatabase)
{
    TestFolder folder;
    EXPECT_THROW(EventStore::openFile(folder.filePath("Organaizer.db")), StoreError);
    folder.write("junk.db", "this is not a database at all, just some text");
    EXPECT_THROW(EventStore::openFile(folder.filePath("junk.db")), StoreError);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(folder.filePath("other.db")).constData(), &db);
    sqlite3_exec(db, "CREATE TABLE Events (ID INTEGER, Start TEXT)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_THROW(EventStore::openFile(folder.filePath("other.db")), StoreError);
    // The missing file is never created behind the user's back.
    EXPECT_FALSE(QFile::exists(folder.filePath("Organaizer.db")));
}

TEST(EventStoreTest, LockedDatabaseIsReportedAndLeavesDataIntact)
{
    TestFolder folder;
    const QString path = folder.filePath("Organaizer.db");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
    sqlite3_exec(other, EventStore::schemaSql().toUtf8().constData(), nullptr, nullptr, nullptr);

    EventStore store = EventStore::openFile(path);
    store.setBusyTimeout(20);
    CalendarEvent first = sample();
    store.insert(first);

    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    CalendarEvent second = sample();
    try {
        store.insert(second);
        FAIL() << "insert into a locked database succeeded";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("in use"), std::string::npos) << error.what();
    }
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    // Once the other program lets go, changes go through again.
    store.insert(second);
    EXPECT_EQ(store.all().size(), 2u);
}

TEST(EventStoreTest, UnreadableRowsAreSkippedNotFatal)
{
    TestFolder folder;
    const QString path = folder.filePath("Organaizer.db");
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, EventStore::schemaSql().toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db,
                 "INSERT INTO Events (Start, Finish, Caption, Type, LabelColor) VALUES "
                 "('garbage', '2024-03-12 10:00:00', 'bad', 1, 'red'),"
                 "('2024-03-12 09:00', '2024-03-12 08:00:00', x'00ff', 77, -5)",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);

    EventStore store = EventStore::openFile(path);
    const auto events = store.all();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::Single);
    // A finish before the start is read as a zero-length event.
    EXPECT_EQ(events[0].finish, events[0].start);
}

} // namespace
