#include "organizer/SchedulerViewState.h"

#include <algorithm>

QDate weekStart(const QDate& day)
{
    return day.addDays(1 - day.dayOfWeek());
}

QList<QDate> SchedulerViewState::visibleDays() const
{
    QList<QDate> days;
    const auto run = [&days](QDate first, int count) {
        for (int i = 0; i < count; ++i)
            days << first.addDays(i);
    };
    switch (mode) {
    case ViewMode::Day:
        run(date, 1);
        break;
    case ViewMode::WorkWeek:
        run(weekStart(date), 5);
        break;
    case ViewMode::Week:
        run(weekStart(date), 7);
        break;
    case ViewMode::Month:
        run(weekStart(QDate(date.year(), date.month(), 1)), 42);
        break;
    case ViewMode::TimeGrid:
        days = selectedDays.isEmpty() ? QList<QDate>{date} : selectedDays;
        break;
    case ViewMode::Year:
        run(QDate(date.year(), 1, 1), QDate(date.year(), 1, 1).daysInYear());
        break;
    }
    return days;
}

void SchedulerViewState::goToDate(const QDate& day)
{
    if (!day.isValid())
        return;
    date = day;
    if (mode == ViewMode::TimeGrid)
        selectedDays = {day};
}

SchedulerViewState SchedulerViewState::paged(int direction) const
{
    SchedulerViewState next = *this;
    switch (mode) {
    case ViewMode::Day:
        next.date = date.addDays(direction);
        break;
    case ViewMode::WorkWeek:
    case ViewMode::Week:
        next.date = date.addDays(7 * direction);
        break;
    case ViewMode::Month:
        next.date = date.addMonths(direction);
        break;
    case ViewMode::TimeGrid:
        for (QDate& day : next.selectedDays)
            day = day.addDays(direction * std::max<qsizetype>(1, selectedDays.size()));
        next.date =
            next.selectedDays.isEmpty() ? date.addDays(direction) : next.selectedDays.first();
        break;
    case ViewMode::Year:
        next.date = date.addYears(direction);
        break;
    }
    return next;
}

SchedulerViewState applyViewAction(int tag, const SchedulerViewState& current,
                                   const QDateTime& selectionAnchor, const QDateTime& selectionEnd)
{
    SchedulerViewState next = current;
    const QDate day = std::min(selectionAnchor, selectionEnd).date();
    switch (tag) {
    case 0:
        next.mode = ViewMode::Day;
        next.date = day;
        break;
    case 1:
        next.mode = ViewMode::WorkWeek;
        next.date = day;
        break;
    case 2:
        next.mode = ViewMode::Week;
        next.date = day;
        break;
    case 3:
        next.mode = ViewMode::Month;
        next.date = day;
        break;
    case 4:
        next.mode = ViewMode::TimeGrid;
        next.date = day;
        next.selectedDays = {day};
        break;
    case 5:
        next.mode = ViewMode::Year;
        break;
    default:
        break;
    }
    return next;
}
