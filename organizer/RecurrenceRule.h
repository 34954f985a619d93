#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

// A recurrence as the recurrence dialog edits it, kept in the RecurrenceInfo
// column as an RFC 5545 RRULE value.
struct RecurrenceRule
{
    enum class Frequency
    {
        Daily,
        Weekly,
        Monthly,
        Yearly
    };
    enum class MonthlyBy
    {
        DayOfMonth,
        NthWeekday
    };
    enum class End
    {
        Never,
        AfterCount,
        ByDate
    };

    Frequency frequency = Frequency::Weekly;
    int interval = 1;
    // Weekly: bit (dayOfWeek - 1) for Monday (1) to Sunday (7).
    int weekdays = 0;
    // Monthly and yearly.
    MonthlyBy monthlyBy = MonthlyBy::DayOfMonth;
    int dayOfMonth = 1;
    // 1 to 4, or -1 for the last; with weekday 1 (Monday) to 7.
    int nth = 1;
    int weekday = 1;
    int month = 1;
    End end = End::Never;
    int count = 10;
    QDate until;

    QString toRRule() const;
    // Nothing for text this dialog cannot show (other parts are kept as text).
    static std::optional<RecurrenceRule> fromRRule(const QString& text);
    // A rule that starts the way a new recurrence of an event at start would.
    static RecurrenceRule defaultFor(const QDateTime& start);
    // A short description such as "Every week on Mon, Wed".
    QString describe() const;
};

// Calls visit(index, start) for each occurrence start of rrule for an event
// starting at start, in order, from the first; stops when visit returns false.
// Times are wall-clock local times, so a 09:00 meeting stays at 09:00 across
// a daylight-saving change. False when rrule cannot be read.
bool forEachOccurrence(const QString& rrule, const QDateTime& start,
                       const std::function<bool(int index, const QDateTime& start)>& visit);
