#include "organizer/DateNavigator.h"

#include "organizer/MiniMonth.h"
#include "organizer/SchedulerControl.h"

#include <QMouseEvent>
#include <QPainter>

DateNavigator::DateNavigator(SchedulerControl& owner, QWidget* parent)
    : QWidget(parent), m_owner(owner)
{
    setObjectName(QStringLiteral("DateNavigator"));
    setFixedWidth(kWidth);
    setAccessibleName(tr("Date navigator"));
}

void DateNavigator::follow(const QDate& date)
{
    if (!date.isValid())
        return;
    const QDate month(date.year(), date.month(), 1);
    if (!m_firstMonth.isValid() || month < m_firstMonth || month > m_firstMonth.addMonths(2))
        m_firstMonth = month;
    update();
}

QRect DateNavigator::monthRect(int index) const
{
    const int height = (this->height() - 4) / 3;
    return QRect(4, 2 + index * height, width() - 8, height - 4);
}

QRect DateNavigator::arrowRect(int direction) const
{
    const QRect first = monthRect(0);
    const int rowHeight = first.height() / 8;
    return direction < 0 ? QRect(first.left(), first.top(), 18, rowHeight)
                         : QRect(first.right() - 18, first.top(), 18, rowHeight);
}

void DateNavigator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const auto days = m_owner.viewState().visibleDays();
    MiniMonth::Marks marks;
    marks.today = m_owner.now().date();
    if (m_owner.viewState().mode != ViewMode::Year && !days.isEmpty()) {
        marks.shownFrom = days.first();
        marks.shownTo = days.last();
    }
    const QDateTime from(m_firstMonth, QTime(0, 0));
    for (const Occurrence& occurrence : m_owner.occurrences(from, from.addMonths(3)))
        for (QDate day = occurrence.start.date(); day <= occurrence.finish.date() && day.isValid();
             day = day.addDays(1)) {
            marks.busy.insert(day);
            if (marks.busy.size() > 200)
                break;
        }
    for (int i = 0; i < 3; ++i)
        MiniMonth::paint(painter, monthRect(i), m_firstMonth.addMonths(i), marks);
    painter.setPen(Qt::black);
    painter.drawText(arrowRect(-1), Qt::AlignCenter, QStringLiteral("\u25c0"));
    painter.drawText(arrowRect(1), Qt::AlignCenter, QStringLiteral("\u25b6"));
}

void DateNavigator::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (arrowRect(-1).contains(pos) || arrowRect(1).contains(pos)) {
        m_firstMonth = m_firstMonth.addMonths(arrowRect(-1).contains(pos) ? -1 : 1);
        update();
        return;
    }
    for (int i = 0; i < 3; ++i)
        if (const auto day = MiniMonth::dateAt(monthRect(i), m_firstMonth.addMonths(i), pos)) {
            m_owner.GoToDate(*day);
            m_owner.setSelection(QDateTime(*day, QTime(0, 0)),
                                 QDateTime(day->addDays(1), QTime(0, 0)));
            return;
        }
}
