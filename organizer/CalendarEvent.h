#pragma once

#include <QDateTime>
#include <QString>

// What the Type column says a row is.
enum class EventType : int
{
    Single = 0,
    // A recurring series; Start and Finish are its first occurrence.
    Series = 1,
    // One occurrence of a series, moved or edited on its own.
    ChangedOccurrence = 2,
    // One occurrence of a series, deleted on its own.
    DeletedOccurrence = 3,
};

// Bits of the Options column.
enum EventOption : int
{
    AllDay = 1,
    ReminderOn = 2,
};

// One row of the Events table.
struct CalendarEvent
{
    qint64 id = 0;
    QDateTime start;
    QDateTime finish;
    QString caption;
    QString message;
    QString location;
    EventType type = EventType::Single;
    int options = 0;
    int state = 2;
    // 0xRRGGBB, or 0 for the default colour.
    int labelColor = 0;
    qint64 parentId = 0;
    int recurrenceIndex = -1;
    // RFC 5545 RRULE value, without the "RRULE:" prefix.
    QString recurrenceInfo;
    QDateTime reminderDate;
    int reminderMinutes = 15;
    QDateTime actualStart;
    QDateTime actualFinish;

    bool allDay() const { return (options & EventOption::AllDay) != 0; }
    bool reminderOn() const { return (options & EventOption::ReminderOn) != 0; }
    void setOption(EventOption option, bool on)
    {
        options = on ? (options | option) : (options & ~option);
    }
};

// "1 minute", "15 minutes": a count with its unit in the singular or plural.
QString countText(qint64 count, const char* singular, const char* plural);

// The stored text form of date-times: local time "YYYY-MM-DD HH:MM:SS".
namespace EventTime {

QString toText(const QDateTime& value);
// An invalid QDateTime for an empty or unreadable text.
QDateTime fromText(const QString& text);
// Milliseconds dropped, so that a moment compares with stored texts as it reads.
QDateTime toSeconds(const QDateTime& value);

} // namespace EventTime
