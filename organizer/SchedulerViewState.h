#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>

// The calendar's views.
enum class ViewMode
{
    Day,
    WorkWeek,
    Week,
    Month,
    TimeGrid,
    Year
};

// What the calendar shows: the view, the date it is anchored at and, for the
// time-grid view, the list of selected days.
struct SchedulerViewState
{
    ViewMode mode = ViewMode::Day;
    QDate date;
    QList<QDate> selectedDays;

    // The days the view lays out (a month view: its six full weeks).
    QList<QDate> visibleDays() const;
    // Brings date into view, keeping the view.
    void goToDate(const QDate& day);
    // The state one page back (-1) or on (+1) in the current view.
    SchedulerViewState paged(int direction) const;
};

// The view buttons' shared action, told apart by tag (0 day, 1 work week,
// 2 week, 3 month, 4 time grid, 5 year): every view but the year moves to the
// day that starts the time selection, whichever way it was made.
SchedulerViewState applyViewAction(int tag, const SchedulerViewState& current,
                                   const QDateTime& selectionAnchor, const QDateTime& selectionEnd);

// The Monday of the week holding day.
QDate weekStart(const QDate& day);
