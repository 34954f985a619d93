#pragma once

#include "organizer/EventStore.h"
#include "organizer/Occurrences.h"

// Changes to events as the calendar makes them, occurrences of a series
// included, with the reminder re-armed for what changed. Each call is one
// store transaction (two for the few that touch two rows).
namespace EventEditing {

// Sets ReminderDate and ActualStart for the next occurrence to come after now.
void armReminder(CalendarEvent& event, const std::vector<CalendarEvent>& exceptions,
                 const QDateTime& now);

// Stores a new event (a series when it has a recurrence).
qint64 create(EventStore& store, CalendarEvent event, const QDateTime& now);
// Writes an edited row back: a single event, a whole series or a changed
// occurrence row.
void save(EventStore& store, CalendarEvent event, const QDateTime& now);
// Stores the edited fields of one occurrence of a series as its own row.
void saveOccurrence(EventStore& store, const Occurrence& occurrence, CalendarEvent edited,
                    const QDateTime& now);
// Moves or resizes what is shown: a single event, or one occurrence.
void reschedule(EventStore& store, const Occurrence& occurrence, const QDateTime& start,
                const QDateTime& finish, const QDateTime& now);
// Deletes one occurrence of a series, or the whole event.
void removeOccurrence(EventStore& store, const Occurrence& occurrence, const QDateTime& now);
void removeSeries(EventStore& store, qint64 seriesId);

} // namespace EventEditing
