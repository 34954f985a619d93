#include "organizer/YearView.h"

#include "organizer/MiniMonth.h"
#include "organizer/SchedulerControl.h"

#include <QMouseEvent>
#include <QPainter>

YearView::YearView(SchedulerControl& owner, QWidget* parent) : CalendarView(owner, parent)
{
    setObjectName(QStringLiteral("YearView"));
    setMinimumSize(300, 200);
}

QRect YearView::monthRect(int month) const
{
    // Four columns of three months fit the window's usual shape best.
    const int column = (month - 1) % 4;
    const int row = (month - 1) / 4;
    const int left = width() * column / 4;
    const int right = width() * (column + 1) / 4;
    const int top = height() * row / 3;
    const int bottom = height() * (row + 1) / 3;
    return QRect(left + 6, top + 4, right - left - 12, bottom - top - 8);
}

void YearView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int year = m_owner.viewState().date.year();
    MiniMonth::Marks marks;
    marks.today = m_owner.now().date();
    const QDateTime from(QDate(year, 1, 1), QTime(0, 0));
    for (const Occurrence& occurrence : m_owner.occurrences(from, from.addYears(1))) {
        int guard = 0;
        for (QDate day = occurrence.start.date(); day <= occurrence.finish.date() && guard < 366;
             day = day.addDays(1), ++guard)
            marks.busy.insert(day);
    }
    const QDate selected = m_owner.selectionStart().date();
    marks.shownFrom = selected;
    marks.shownTo = selected;
    for (int month = 1; month <= 12; ++month)
        MiniMonth::paint(painter, monthRect(month), QDate(year, month, 1), marks);
}

std::optional<QDate> YearView::dayAt(QPoint point) const
{
    const int year = m_owner.viewState().date.year();
    for (int month = 1; month <= 12; ++month)
        if (const auto day = MiniMonth::dateAt(monthRect(month), QDate(year, month, 1), point);
            day && day->month() == month)
            return day;
    return std::nullopt;
}

void YearView::mousePressEvent(QMouseEvent* event)
{
    if (const auto day = dayAt(event->position().toPoint()))
        m_owner.setSelection(QDateTime(*day, QTime(0, 0)), QDateTime(day->addDays(1), QTime(0, 0)));
}

void YearView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (const auto day = dayAt(event->position().toPoint()))
        m_owner.activateDay(*day);
}
