#include "organizer/DayColumnLayout.h"
#include "organizer/EventEditing.h"
#include "organizer/Occurrences.h"
#include "organizer/RecurrenceRule.h"
#include "organizer/Reminders.h"
#include "organizer/SchedulerViewState.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace {

QDateTime at(int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2024, month, day), QTime(hour, minute));
}

TEST(RecurrenceRuleTest, RRuleTextRoundTripsAndRejectsWhatItCannotShow)
{
    for (const char* text :
         {"FREQ=DAILY", "FREQ=DAILY;INTERVAL=3;COUNT=10", "FREQ=WEEKLY;BYDAY=MO,WE,FR",
          "FREQ=WEEKLY;INTERVAL=2;BYDAY=SU;UNTIL=20241231T235959", "FREQ=MONTHLY;BYMONTHDAY=31",
          "FREQ=MONTHLY;BYDAY=-1FR;COUNT=5", "FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=11",
          "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH"}) {
        const auto rule = RecurrenceRule::fromRRule(QString::fromLatin1(text));
        ASSERT_TRUE(rule.has_value()) << text;
        EXPECT_EQ(rule->toRRule(), QString::fromLatin1(text));
    }
    for (const char* text :
         {"", "garbage", "FREQ=SECONDLY", "FREQ=WEEKLY;BYDAY=XX", "FREQ=DAILY;INTERVAL=0",
          "FREQ=MONTHLY;BYMONTHDAY=40", "FREQ=DAILY;BYHOUR=1,2,3", "INTERVAL=2"})
        EXPECT_FALSE(RecurrenceRule::fromRRule(QString::fromLatin1(text)).has_value()) << text;
}

struct ExpansionCase
{
    const char* rule;
    QDateTime start;
    std::vector<QDateTime> expected;
};

TEST(RecurrenceRuleTest, ExpandsWeekdaysMonthdaysAndEnds)
{
    const ExpansionCase cases[] = {
        {"FREQ=WEEKLY;BYDAY=TU,TH;COUNT=4",
         at(3, 12, 9),
         {at(3, 12, 9), at(3, 14, 9), at(3, 19, 9), at(3, 21, 9)}},
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=3",
         at(1, 26, 17),
         {at(1, 26, 17), at(2, 23, 17), at(3, 29, 17)}},
        {"FREQ=MONTHLY;BYDAY=2MO;UNTIL=20240331T235959",
         at(1, 8, 8),
         {at(1, 8, 8), at(2, 12, 8), at(3, 11, 8)}},
        // Months without a 31st are skipped, never moved.
        {"FREQ=MONTHLY;BYMONTHDAY=31;COUNT=3",
         at(1, 31, 12),
         {at(1, 31, 12), at(3, 31, 12), at(5, 31, 12)}},
        {"FREQ=DAILY;INTERVAL=10;COUNT=3", at(2, 25, 7), {at(2, 25, 7), at(3, 6, 7), at(3, 16, 7)}},
    };
    for (const ExpansionCase& test : cases) {
        std::vector<QDateTime> starts;
        EXPECT_TRUE(forEachOccurrence(QString::fromLatin1(test.rule), test.start,
                                      [&](int, const QDateTime& s) {
                                          starts.push_back(s);
                                          return starts.size() < 10;
                                      }));
        EXPECT_EQ(starts, test.expected) << test.rule;
    }
    EXPECT_FALSE(forEachOccurrence(QStringLiteral("FREQ=MINUTELY"), at(1, 1, 0),
                                   [](int, const QDateTime&) { return true; }));
}

TEST(RecurrenceRuleTest, WallClockTimeHoldsAcrossDaylightSavingChange)
{
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    // Clocks in Berlin went from 02:00 to 03:00 on 31 March 2024.
    ASSERT_EQ(at(3, 31, 1).secsTo(at(3, 31, 3)), 3600) << "time zone not in effect";

    CalendarEvent series;
    series.id = 7;
    series.type = EventType::Series;
    series.start = at(3, 29, 9);
    series.finish = at(3, 29, 10);
    series.recurrenceInfo = QStringLiteral("FREQ=DAILY;COUNT=5");
    CalendarEvent moved;
    moved.type = EventType::ChangedOccurrence;
    moved.parentId = 7;
    moved.recurrenceIndex = 3;
    moved.start = at(4, 1, 14);
    moved.finish = at(4, 1, 15);
    CalendarEvent deleted = moved;
    deleted.type = EventType::DeletedOccurrence;
    deleted.recurrenceIndex = 4;
    deleted.start = at(4, 2, 9);
    const auto occurrences =
        occurrencesBetween({series, moved, deleted}, at(3, 28, 0), at(4, 5, 0));
    ASSERT_EQ(occurrences.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(occurrences[i].start, at(3, 29 + i, 9)) << i;
        EXPECT_EQ(occurrences[i].start.secsTo(occurrences[i].finish), 3600) << i;
    }
    // Across the change the wall clock keeps 09:00, so only 23 hours pass.
    EXPECT_EQ(occurrences[1].start.secsTo(occurrences[2].start), 23 * 3600);
    EXPECT_EQ(occurrences[3].start, at(4, 1, 14));
    EXPECT_EQ(occurrences[3].index, 3);

    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
}

TEST(DayColumnLayoutTest, OverlappingEventsShareTheColumnSideBySide)
{
    const std::vector<std::pair<QDateTime, QDateTime>> spans = {
        {at(3, 11, 9), at(3, 11, 10)},         // A
        {at(3, 11, 9, 30), at(3, 11, 11)},     // B overlaps A
        {at(3, 11, 10), at(3, 11, 10, 30)},    // C after A, overlaps B: takes A's lane
        {at(3, 11, 12), at(3, 11, 13)},        // D alone
        {at(3, 11, 14), at(3, 11, 14)},        // E zero length
        {at(3, 11, 14, 5), at(3, 11, 14, 10)}, // F within E's minimum height
    };
    const auto lanes = layoutLanes(spans);
    EXPECT_EQ(lanes[0].lane, 0);
    EXPECT_EQ(lanes[1].lane, 1);
    EXPECT_EQ(lanes[2].lane, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lanes[i].lanes, 2) << i;
    EXPECT_EQ(lanes[3].lanes, 1);
    EXPECT_EQ(lanes[3].lane, 0);
    EXPECT_EQ(lanes[4].lanes, 2);
    EXPECT_EQ(lanes[5].lane, 1);
}

TEST(ViewSwitchTest, EachActionByTag)
{
    SchedulerViewState current;
    current.mode = ViewMode::Month;
    current.date = QDate(2024, 1, 15);
    const QDateTime anchor = at(5, 17, 15);
    const QDateTime end = at(5, 14, 9, 30); // made backwards
    const struct
    {
        int tag;
        ViewMode mode;
        QDate first;
        int days;
    } cases[] = {
        {0, ViewMode::Day, QDate(2024, 5, 14), 1},
        {1, ViewMode::WorkWeek, QDate(2024, 5, 13), 5},
        {2, ViewMode::Week, QDate(2024, 5, 13), 7},
        {3, ViewMode::Month, QDate(2024, 4, 29), 42},
        {4, ViewMode::TimeGrid, QDate(2024, 5, 14), 1},
        {5, ViewMode::Year, QDate(2024, 1, 1), 366},
    };
    for (const auto& test : cases) {
        const SchedulerViewState next = applyViewAction(test.tag, current, anchor, end);
        EXPECT_EQ(next.mode, test.mode) << test.tag;
        const QList<QDate> days = next.visibleDays();
        EXPECT_EQ(days.first(), test.first) << test.tag;
        EXPECT_EQ(days.size(), test.days) << test.tag;
    }
    // The year view keeps the date it had.
    EXPECT_EQ(applyViewAction(5, current, anchor, end).date, QDate(2024, 1, 15));
}

class ReminderLogicTest : public ::testing::Test
{
protected:
    qint64 add(const QDateTime& start, const QString& rule, int minutes, bool on = true)
    {
        CalendarEvent event;
        event.caption = QStringLiteral("event");
        event.start = start;
        event.finish = start.addSecs(3600);
        event.recurrenceInfo = rule;
        event.reminderMinutes = minutes;
        event.setOption(EventOption::ReminderOn, on);
        return EventEditing::create(m_store, event, m_created);
    }
    std::vector<qint64> dueAt(const QDateTime& now)
    {
        std::vector<qint64> ids;
        for (const CalendarEvent& row : m_store.dueReminders(now))
            ids.push_back(row.id);
        return ids;
    }

    EventStore m_store = EventStore::openInMemory();
    QDateTime m_created = at(3, 1, 8);
};

TEST_F(ReminderLogicTest, DueAtLeadTimeSnoozedDismissedAndOff)
{
    const qint64 single = add(at(3, 12, 9), QString(), 15);
    const qint64 weekly = add(at(3, 13, 9), QStringLiteral("FREQ=WEEKLY;BYDAY=WE"), 60);
    add(at(3, 12, 9), QString(), 15, false);

    EXPECT_EQ(dueAt(at(3, 12, 8, 44)), std::vector<qint64>{});
    EXPECT_EQ(dueAt(at(3, 12, 8, 45)), std::vector<qint64>{single});
    EXPECT_EQ(dueAt(at(3, 13, 8)), (std::vector<qint64>{single, weekly}));

    // Snoozed for 10 minutes from 08:45: not due until 08:55.
    Reminders::snooze(m_store, *m_store.find(single), at(3, 12, 8, 45), 10);
    EXPECT_EQ(dueAt(at(3, 12, 8, 54)), std::vector<qint64>{});
    EXPECT_EQ(dueAt(at(3, 12, 8, 55)), std::vector<qint64>{single});
    Reminders::dismiss(m_store, *m_store.find(single), at(3, 12, 8, 56));
    EXPECT_EQ(dueAt(at(3, 30, 0)), std::vector<qint64>{weekly});

    // Dismissing the weekly one moves it to the next Wednesday, even when
    // dismissed late.
    Reminders::dismiss(m_store, *m_store.find(weekly), at(3, 14, 12));
    EXPECT_EQ(dueAt(at(3, 20, 7, 59)), std::vector<qint64>{});
    EXPECT_EQ(dueAt(at(3, 20, 8)), std::vector<qint64>{weekly});
    EXPECT_EQ(Reminders::occurrenceStart(*m_store.find(weekly)), at(3, 20, 9));
    // Missed for weeks: the next dismissal skips to the first occurrence to come.
    Reminders::dismiss(m_store, *m_store.find(weekly), at(4, 11, 12));
    EXPECT_EQ(Reminders::occurrenceStart(*m_store.find(weekly)), at(4, 17, 9));
}

TEST_F(ReminderLogicTest, DeletingAnOccurrenceMovesTheSeriesReminderOn)
{
    const qint64 weekly = add(at(3, 13, 9), QStringLiteral("FREQ=WEEKLY;COUNT=2"), 15);
    const auto shown = occurrencesBetween(m_store.all(), at(3, 1, 0), at(4, 1, 0));
    ASSERT_EQ(shown.size(), 2u);
    EventEditing::removeOccurrence(m_store, shown[0], m_created);
    EXPECT_EQ(occurrencesBetween(m_store.all(), at(3, 1, 0), at(4, 1, 0)).size(), 1u);
    EXPECT_EQ(Reminders::occurrenceStart(*m_store.find(weekly)), at(3, 20, 9));
    // After the last occurrence's reminder is dismissed, nothing is pending.
    Reminders::dismiss(m_store, *m_store.find(weekly), at(3, 20, 8, 50));
    EXPECT_TRUE(dueAt(at(12, 31, 0)).empty());
}

} // namespace
