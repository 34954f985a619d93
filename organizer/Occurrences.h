#pragma once

#include "organizer/CalendarEvent.h"

#include <optional>
#include <vector>

// One event as the calendar shows it: a single event, or one occurrence of a
// series (generated from the series row, or its own changed row).
struct Occurrence
{
    CalendarEvent event;
    // The occurrence's index in its series; -1 for a single event.
    int index = -1;
    QDateTime start;
    QDateTime finish;

    bool inSeries() const { return index >= 0; }
    // The series row's ID for an occurrence, the row's own ID otherwise.
    qint64 seriesId() const;
};

// Whether an event from start to finish shows within [from, to); a
// zero-length event at from does.
bool overlapsRange(const QDateTime& start, const QDateTime& finish, const QDateTime& from,
                   const QDateTime& to);

// The occurrences overlapping [from, to) of the given rows, earliest first.
// Deleted and changed occurrences replace what their series would yield.
std::vector<Occurrence> occurrencesBetween(const std::vector<CalendarEvent>& rows,
                                           const QDateTime& from, const QDateTime& to);

// The first occurrence of a series (or the event itself) that finishes after
// moment; nothing when the series has ended.
std::optional<Occurrence> nextOccurrenceAfter(const CalendarEvent& event,
                                              const std::vector<CalendarEvent>& exceptions,
                                              const QDateTime& moment);
