#include "organizer/Reminders.h"

#include "organizer/Occurrences.h"

namespace Reminders {

QDateTime occurrenceStart(const CalendarEvent& row)
{
    if (row.actualStart.isValid())
        return row.actualStart;
    if (row.type == EventType::Series && row.reminderDate.isValid())
        return row.reminderDate.addSecs(60 * qint64(row.reminderMinutes));
    return row.start;
}

void dismiss(EventStore& store, const CalendarEvent& row, const QDateTime& now)
{
    if (row.type != EventType::Series) {
        store.setReminder(row.id, QDateTime(), QDateTime());
        return;
    }
    const QDateTime dismissed = occurrenceStart(row);
    const QDateTime dismissedFinish = dismissed.addSecs(row.start.secsTo(row.finish));
    const auto next =
        nextOccurrenceAfter(row, store.exceptionsOf(row.id), std::max(now, dismissedFinish));
    if (next && next->start > dismissed)
        store.setReminder(row.id, next->start.addSecs(-60 * qint64(row.reminderMinutes)),
                          next->start);
    else
        store.setReminder(row.id, QDateTime(), QDateTime());
}

void snooze(EventStore& store, const CalendarEvent& row, const QDateTime& now, int minutes)
{
    store.setReminder(row.id, EventTime::toSeconds(now).addSecs(60 * qint64(minutes)),
                      occurrenceStart(row));
}

} // namespace Reminders
