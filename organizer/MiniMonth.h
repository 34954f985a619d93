#pragma once

#include <QDate>
#include <QRect>
#include <QSet>

#include <optional>

class QPainter;

// A small month calendar as the date navigator and the year view draw it:
// the month's name, the weekday initials, six weeks from Monday.
namespace MiniMonth {

struct Marks
{
    QDate today;
    // Days shown in the calendar's main view.
    QDate shownFrom;
    QDate shownTo;
    // Days with at least one event, drawn bold.
    QSet<QDate> busy;
};

void paint(QPainter& painter, const QRect& area, const QDate& month, const Marks& marks);
// The day of month (or of the neighbouring weeks shown) under point.
std::optional<QDate> dateAt(const QRect& area, const QDate& month, QPoint point);

} // namespace MiniMonth
