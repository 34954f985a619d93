#pragma once

#include "organizer/EventStore.h"

// What the reminder window does to a row's pending reminder.
namespace Reminders {

// The reminder shows no more; a series moves on to its next occurrence to come.
void dismiss(EventStore& store, const CalendarEvent& row, const QDateTime& now);
// The reminder shows again minutes from now, for the same occurrence.
void snooze(EventStore& store, const CalendarEvent& row, const QDateTime& now, int minutes);
// The start of the occurrence a pending reminder is for.
QDateTime occurrenceStart(const CalendarEvent& row);

} // namespace Reminders
