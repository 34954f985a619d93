#include "organizer/Occurrences.h"

#include "organizer/OrganizerLog.h"
#include "organizer/RecurrenceRule.h"

#include <QHash>
#include <QPair>

#include <algorithm>

qint64 Occurrence::seriesId() const
{
    return event.type == EventType::ChangedOccurrence ? event.parentId : event.id;
}

bool overlapsRange(const QDateTime& start, const QDateTime& finish, const QDateTime& from,
                   const QDateTime& to)
{
    return start < to && (finish > from || (finish == start && start >= from));
}

namespace {

bool overlaps(const QDateTime& start, const QDateTime& finish, const QDateTime& from,
              const QDateTime& to)
{
    return overlapsRange(start, finish, from, to);
}

using ExceptionKey = QPair<qint64, int>;

QHash<ExceptionKey, bool> exceptionIndex(const std::vector<CalendarEvent>& rows)
{
    QHash<ExceptionKey, bool> exceptions;
    for (const CalendarEvent& row : rows)
        if (row.type == EventType::DeletedOccurrence || row.type == EventType::ChangedOccurrence)
            exceptions.insert({row.parentId, row.recurrenceIndex}, true);
    return exceptions;
}

} // namespace

std::vector<Occurrence> occurrencesBetween(const std::vector<CalendarEvent>& rows,
                                           const QDateTime& from, const QDateTime& to)
{
    const QHash<ExceptionKey, bool> exceptions = exceptionIndex(rows);
    std::vector<Occurrence> result;
    for (const CalendarEvent& row : rows) {
        switch (row.type) {
        case EventType::DeletedOccurrence:
            break;
        case EventType::Single:
        case EventType::ChangedOccurrence:
            if (overlaps(row.start, row.finish, from, to))
                result.push_back({row, row.type == EventType::Single ? -1 : row.recurrenceIndex,
                                  row.start, row.finish});
            break;
        case EventType::Series: {
            const qint64 length = row.start.secsTo(row.finish);
            const bool expanded = forEachOccurrence(
                row.recurrenceInfo, row.start, [&](int index, const QDateTime& s) {
                    if (s >= to)
                        return false;
                    const QDateTime f = s.addSecs(length);
                    if (!exceptions.contains({row.id, index}) && overlaps(s, f, from, to))
                        result.push_back({row, index, s, f});
                    return true;
                });
            if (!expanded) {
                qCWarning(lcOrganizer) << "event" << row.id << "has an unreadable recurrence"
                                       << row.recurrenceInfo << "- shown once";
                if (overlaps(row.start, row.finish, from, to))
                    result.push_back({row, -1, row.start, row.finish});
            }
            break;
        }
        }
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const Occurrence& a, const Occurrence& b) { return a.start < b.start; });
    return result;
}

std::optional<Occurrence> nextOccurrenceAfter(const CalendarEvent& event,
                                              const std::vector<CalendarEvent>& exceptions,
                                              const QDateTime& moment)
{
    if (event.type != EventType::Series) {
        if (event.finish > moment)
            return Occurrence{event, event.type == EventType::Single ? -1 : event.recurrenceIndex,
                              event.start, event.finish};
        return std::nullopt;
    }
    const QHash<ExceptionKey, bool> skipped = exceptionIndex(exceptions);
    const qint64 length = event.start.secsTo(event.finish);
    std::optional<Occurrence> found;
    const bool expanded =
        forEachOccurrence(event.recurrenceInfo, event.start, [&](int index, const QDateTime& s) {
            const QDateTime f = s.addSecs(length);
            if (f > moment && !skipped.contains({event.id, index})) {
                found = Occurrence{event, index, s, f};
                return false;
            }
            return true;
        });
    if (!expanded && event.finish > moment)
        found = Occurrence{event, -1, event.start, event.finish};
    return found;
}
