#include "organizer/MonthView.h"

#include "organizer/CalendarPalette.h"
#include "organizer/SchedulerControl.h"

#include <QContextMenuEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

MonthView::MonthView(SchedulerControl& owner, QWidget* parent) : CalendarView(owner, parent)
{
    setObjectName(QStringLiteral("MonthView"));
    setMinimumSize(300, 200);
}

QRect MonthView::dayRect(int index) const
{
    const int row = index / 7;
    const int column = index % 7;
    const int left = width() * column / 7;
    const int right = width() * (column + 1) / 7;
    const int span = height() - kHeaderHeight;
    const int top = kHeaderHeight + span * row / 6;
    const int bottom = kHeaderHeight + span * (row + 1) / 6;
    return QRect(left, top, right - left, bottom - top);
}

std::optional<QDate> MonthView::dayAt(QPoint point) const
{
    const auto days = m_owner.viewState().visibleDays();
    for (int i = 0; i < days.size(); ++i)
        if (dayRect(i).contains(point))
            return days[i];
    return std::nullopt;
}

std::vector<std::pair<QRect, Occurrence>> MonthView::lines() const
{
    std::vector<std::pair<QRect, Occurrence>> result;
    const auto days = m_owner.viewState().visibleDays();
    if (days.isEmpty())
        return result;
    const QDateTime from(days.first(), QTime(0, 0));
    const std::vector<Occurrence> all = m_owner.occurrences(from, from.addDays(days.size()));
    for (int i = 0; i < days.size(); ++i) {
        const QRect box = dayRect(i);
        const QDateTime dayStart(days[i], QTime(0, 0));
        int line = 0;
        const int capacity = std::max(0, (box.height() - kLineHeight - 2) / kLineHeight);
        for (const Occurrence& occurrence : all) {
            if (!(occurrence.start < dayStart.addDays(1) &&
                  (occurrence.finish > dayStart || occurrence.start >= dayStart)))
                continue;
            if (line >= capacity)
                break;
            result.emplace_back(QRect(box.left() + 2,
                                      box.top() + kLineHeight + 1 + line * kLineHeight,
                                      box.width() - 4, kLineHeight - 1),
                                occurrence);
            ++line;
        }
    }
    return result;
}

std::optional<Occurrence> MonthView::occurrenceAt(QPoint point) const
{
    for (const auto& [rect, occurrence] : lines())
        if (rect.contains(point))
            return occurrence;
    return std::nullopt;
}

void MonthView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QLocale locale;
    const auto days = m_owner.viewState().visibleDays();
    const QDate today = m_owner.now().date();
    const int month = m_owner.viewState().date.month();
    painter.fillRect(QRect(0, 0, width(), kHeaderHeight), CalendarPalette::headerFill());
    painter.setPen(Qt::black);
    for (int column = 0; column < 7; ++column)
        painter.drawText(QRect(width() * column / 7, 0, width() / 7, kHeaderHeight),
                         Qt::AlignCenter, locale.dayName(column + 1, QLocale::LongFormat));
    const QFontMetrics metrics(font());
    for (int i = 0; i < days.size(); ++i) {
        const QRect box = dayRect(i);
        const QDateTime dayStart(days[i], QTime(0, 0));
        if (days[i].month() != month)
            painter.fillRect(box, CalendarPalette::offHoursFill());
        if (m_owner.selectionStart() < dayStart.addDays(1) && m_owner.selectionFinish() > dayStart)
            painter.fillRect(box, CalendarPalette::selectionFill());
        const QRect number(box.left() + 2, box.top() + 1, box.width() - 4, kLineHeight - 1);
        if (days[i] == today)
            painter.fillRect(number, CalendarPalette::todayFill());
        painter.setPen(days[i].month() == month ? Qt::black : Qt::gray);
        const QString label = days[i].day() == 1 || i == 0
                                  ? locale.toString(days[i], QStringLiteral("d MMM"))
                                  : QString::number(days[i].day());
        painter.drawText(number, Qt::AlignRight | Qt::AlignVCenter, label);
        painter.setPen(CalendarPalette::gridLine());
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
    for (const auto& [rect, occurrence] : lines()) {
        const bool selected = m_owner.isSelected(occurrence);
        painter.setPen(selected ? Qt::black : CalendarPalette::eventBorder());
        painter.setBrush(CalendarPalette::eventFill(occurrence.event.labelColor));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        QString text = occurrence.event.caption;
        if (!occurrence.event.allDay())
            text =
                occurrence.start.time().toString(QStringLiteral("HH:mm")) + QLatin1Char(' ') + text;
        painter.setPen(Qt::black);
        painter.drawText(rect.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(text, Qt::ElideRight, rect.width() - 5));
    }
}

void MonthView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (const auto occurrence = occurrenceAt(pos)) {
        m_owner.selectOccurrence(&*occurrence);
        return;
    }
    m_owner.selectOccurrence(nullptr);
    if (const auto day = dayAt(pos)) {
        // Shift extends the selection over several days.
        const QDateTime start(*day, QTime(0, 0));
        if (event->modifiers() & Qt::ShiftModifier)
            m_owner.setSelection(m_owner.selectionAnchor(), start.addDays(1));
        else
            m_owner.setSelection(start, start.addDays(1));
    }
}

void MonthView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (const auto occurrence = occurrenceAt(pos)) {
        m_owner.openOccurrence(*occurrence);
        return;
    }
    if (const auto day = dayAt(pos))
        m_owner.newEvent(QDateTime(*day, QTime(0, 0)), QDateTime(day->addDays(1), QTime(0, 0)),
                         true);
}

void MonthView::contextMenuEvent(QContextMenuEvent* event)
{
    if (const auto occurrence = occurrenceAt(event->pos())) {
        m_owner.selectOccurrence(&*occurrence);
        m_owner.showContextMenu(event->globalPos(), &*occurrence);
        return;
    }
    if (const auto day = dayAt(event->pos());
        day && !(QDateTime(*day, QTime(0, 0)) >= m_owner.selectionStart() &&
                 QDateTime(*day, QTime(0, 0)) < m_owner.selectionFinish()))
        m_owner.setSelection(QDateTime(*day, QTime(0, 0)), QDateTime(day->addDays(1), QTime(0, 0)));
    m_owner.showContextMenu(event->globalPos(), nullptr);
}
