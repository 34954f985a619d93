#include "organizer/MiniMonth.h"

#include "organizer/CalendarPalette.h"
#include "organizer/SchedulerViewState.h"

#include <QLocale>
#include <QPainter>

namespace MiniMonth {

namespace {

// Title, weekday initials, six weeks.
constexpr int kRows = 8;

QRect cell(const QRect& area, int row, int column)
{
    const int left = area.left() + area.width() * column / 7;
    const int right = area.left() + area.width() * (column + 1) / 7;
    const int top = area.top() + area.height() * row / kRows;
    const int bottom = area.top() + area.height() * (row + 1) / kRows;
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

void paint(QPainter& painter, const QRect& area, const QDate& month, const Marks& marks)
{
    const QDate first(month.year(), month.month(), 1);
    const QDate gridStart = weekStart(first);
    const QLocale locale;
    painter.save();
    const QRect title(area.left(), area.top(), area.width(), area.height() / kRows);
    painter.fillRect(title, CalendarPalette::headerFill());
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(title, Qt::AlignCenter, locale.toString(first, QStringLiteral("MMMM yyyy")));
    QFont normal = bold;
    normal.setBold(false);
    painter.setFont(normal);
    painter.setPen(Qt::darkGray);
    for (int column = 0; column < 7; ++column)
        painter.drawText(cell(area, 1, column), Qt::AlignCenter,
                         locale.dayName(column + 1, QLocale::ShortFormat).left(2));
    painter.setPen(CalendarPalette::gridLine());
    painter.drawLine(area.left() + 2, cell(area, 2, 0).top(), area.right() - 2,
                     cell(area, 2, 0).top());
    for (int week = 0; week < 6; ++week) {
        for (int column = 0; column < 7; ++column) {
            const QDate day = gridStart.addDays(week * 7 + column);
            const QRect box = cell(area, week + 2, column);
            if (marks.shownFrom.isValid() && day >= marks.shownFrom && day <= marks.shownTo)
                painter.fillRect(box, CalendarPalette::selectionFill());
            if (day == marks.today) {
                painter.setPen(QColor(0xd9, 0x53, 0x4f));
                painter.drawRect(box.adjusted(1, 0, -2, -1));
            }
            painter.setFont(marks.busy.contains(day) ? bold : normal);
            painter.setPen(day.month() == first.month() ? Qt::black : Qt::gray);
            painter.drawText(box, Qt::AlignCenter, QString::number(day.day()));
        }
    }
    painter.restore();
}

std::optional<QDate> dateAt(const QRect& area, const QDate& month, QPoint point)
{
    if (!area.contains(point))
        return std::nullopt;
    const QDate gridStart = weekStart(QDate(month.year(), month.month(), 1));
    for (int week = 0; week < 6; ++week)
        for (int column = 0; column < 7; ++column)
            if (cell(area, week + 2, column).contains(point))
                return gridStart.addDays(week * 7 + column);
    return std::nullopt;
}

} // namespace MiniMonth
