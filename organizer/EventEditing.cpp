#include "organizer/EventEditing.h"

namespace EventEditing {

namespace {

std::vector<CalendarEvent> exceptionsOf(const EventStore& store, const CalendarEvent& event)
{
    if (event.type != EventType::Series || event.id == 0)
        return {};
    return store.exceptionsOf(event.id);
}

} // namespace

void armReminder(CalendarEvent& event, const std::vector<CalendarEvent>& exceptions,
                 const QDateTime& now)
{
    event.reminderDate = QDateTime();
    event.actualStart = QDateTime();
    if (!event.reminderOn())
        return;
    if (const auto next = nextOccurrenceAfter(event, exceptions, now)) {
        event.reminderDate = next->start.addSecs(-60 * qint64(event.reminderMinutes));
        event.actualStart = next->start;
    }
}

qint64 create(EventStore& store, CalendarEvent event, const QDateTime& now)
{
    event.id = 0;
    if (event.type != EventType::ChangedOccurrence && event.type != EventType::DeletedOccurrence)
        event.type = event.recurrenceInfo.isEmpty() ? EventType::Single : EventType::Series;
    armReminder(event, {}, now);
    return store.insert(event);
}

void save(EventStore& store, CalendarEvent event, const QDateTime& now)
{
    if (event.type == EventType::Single || event.type == EventType::Series)
        event.type = event.recurrenceInfo.isEmpty() ? EventType::Single : EventType::Series;
    armReminder(event, exceptionsOf(store, event), now);
    store.update(event);
}

void saveOccurrence(EventStore& store, const Occurrence& occurrence, CalendarEvent edited,
                    const QDateTime& now)
{
    if (occurrence.event.type == EventType::ChangedOccurrence || !occurrence.inSeries()) {
        edited.id = occurrence.event.id;
        edited.type = occurrence.event.type;
        edited.parentId = occurrence.event.parentId;
        edited.recurrenceIndex = occurrence.event.recurrenceIndex;
        save(store, edited, now);
        return;
    }
    edited.id = 0;
    edited.type = EventType::ChangedOccurrence;
    edited.parentId = occurrence.event.id;
    edited.recurrenceIndex = occurrence.index;
    edited.recurrenceInfo.clear();
    armReminder(edited, {}, now);
    store.insert(edited);
    // The series' pending reminder may have been for this occurrence.
    if (auto series = store.find(occurrence.event.id))
        save(store, *series, now);
}

void reschedule(EventStore& store, const Occurrence& occurrence, const QDateTime& start,
                const QDateTime& finish, const QDateTime& now)
{
    CalendarEvent edited = occurrence.event;
    edited.start = start;
    edited.finish = finish;
    if (occurrence.event.type == EventType::Series && occurrence.inSeries())
        saveOccurrence(store, occurrence, edited, now);
    else
        save(store, edited, now);
}

void removeOccurrence(EventStore& store, const Occurrence& occurrence, const QDateTime& now)
{
    if (occurrence.event.type == EventType::Single || !occurrence.inSeries()) {
        store.remove(occurrence.event.id);
        return;
    }
    CalendarEvent deleted = occurrence.event;
    if (occurrence.event.type == EventType::ChangedOccurrence) {
        deleted.type = EventType::DeletedOccurrence;
        deleted.setOption(EventOption::ReminderOn, false);
        deleted.reminderDate = QDateTime();
        store.update(deleted);
        return;
    }
    deleted.id = 0;
    deleted.type = EventType::DeletedOccurrence;
    deleted.parentId = occurrence.event.id;
    deleted.recurrenceIndex = occurrence.index;
    deleted.recurrenceInfo.clear();
    deleted.start = occurrence.start;
    deleted.finish = occurrence.finish;
    deleted.setOption(EventOption::ReminderOn, false);
    deleted.reminderDate = QDateTime();
    deleted.actualStart = QDateTime();
    store.insert(deleted);
    // The series' pending reminder may have been for this occurrence.
    if (auto series = store.find(occurrence.event.id))
        save(store, *series, now);
}

void removeSeries(EventStore& store, qint64 seriesId)
{
    store.remove(seriesId);
}

} // namespace EventEditing
