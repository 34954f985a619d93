#include "organizer/TimeView.h"

#include "organizer/CalendarPalette.h"
#include "organizer/DayColumnLayout.h"
#include "organizer/SchedulerControl.h"

#include <QContextMenuEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kAllDayRow = 18;
constexpr int kResizeGrip = 5;
constexpr int kDragSnapMinutes = 15;

bool isAllDayLike(const Occurrence& occurrence)
{
    return occurrence.event.allDay() || occurrence.start.secsTo(occurrence.finish) >= 24 * 3600;
}

QDateTime snapped(const QDateTime& moment, int minutes)
{
    const int total = moment.time().hour() * 60 + moment.time().minute();
    const int floored = total / minutes * minutes;
    return QDateTime(moment.date(), QTime(floored / 60, floored % 60));
}

} // namespace

TimeView::TimeView(SchedulerControl& owner, QWidget* parent) : CalendarView(owner, parent)
{
    setObjectName(QStringLiteral("TimeView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("TimeViewScroll"));
    connect(m_scroll, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    setMinimumSize(300, 200);
}

void TimeView::refreshView()
{
    m_allDayHeight = measureAllDayHeight();
    updateScrollRange();
    update();
}

QList<QDate> TimeView::days() const
{
    return m_owner.viewState().visibleDays();
}

int TimeView::columnsRight() const
{
    return width() - m_scroll->sizeHint().width();
}

QRect TimeView::dayColumn(int index) const
{
    const int count = std::max<int>(1, static_cast<int>(days().size()));
    const int span = columnsRight() - kRulerWidth;
    const int left = kRulerWidth + span * index / count;
    const int right = kRulerWidth + span * (index + 1) / count;
    return QRect(left, 0, right - left, height());
}

int TimeView::measureAllDayHeight() const
{
    const QList<QDate> shown = days();
    if (shown.isEmpty())
        return kAllDayRow + 4;
    const QDateTime from(shown.first(), QTime(0, 0));
    const QDateTime to(shown.last().addDays(1), QTime(0, 0));
    int rows = 0;
    std::vector<std::pair<QDateTime, QDateTime>> spans;
    for (const Occurrence& occurrence : m_owner.occurrences(from, to))
        if (isAllDayLike(occurrence))
            spans.emplace_back(occurrence.start, occurrence.finish);
    for (const LanePlacement& lane : layoutLanes(spans))
        rows = std::max(rows, lane.lanes);
    return std::max(1, std::min(rows, 4)) * kAllDayRow + 4;
}

int TimeView::yFor(const QTime& time) const
{
    return bodyTop() - m_scroll->value() +
           static_cast<int>(qint64(time.msecsSinceStartOfDay()) * kHourHeight / 3600000);
}

void TimeView::updateScrollRange()
{
    const int visible = std::max(0, height() - bodyTop());
    m_scroll->setGeometry(columnsRight(), bodyTop(), m_scroll->sizeHint().width(), visible);
    m_scroll->setPageStep(visible);
    m_scroll->setSingleStep(kHourHeight / 2);
    m_scroll->setRange(0, std::max(0, 24 * kHourHeight - visible));
}

void TimeView::scrollToHour(int hour)
{
    updateScrollRange();
    m_scroll->setValue(hour * kHourHeight);
}

std::optional<QDate> TimeView::dayAt(int x) const
{
    const QList<QDate> shown = days();
    for (int i = 0; i < shown.size(); ++i)
        if (dayColumn(i).left() <= x && x < dayColumn(i).right() + 1)
            return shown[i];
    return std::nullopt;
}

std::optional<QDateTime> TimeView::timeAt(QPoint point) const
{
    const auto day = dayAt(point.x());
    if (!day || point.y() < bodyTop())
        return std::nullopt;
    const int offset = point.y() - bodyTop() + m_scroll->value();
    const int minutes = std::clamp(offset * 60 / kHourHeight, 0, 24 * 60 - 1);
    return snapped(QDateTime(*day, QTime(minutes / 60, minutes % 60)), kSlotMinutes);
}

std::vector<TimeView::Item> TimeView::items() const
{
    std::vector<Item> result;
    const QList<QDate> shown = days();
    if (shown.isEmpty())
        return result;
    const QDateTime from(shown.first(), QTime(0, 0));
    const QDateTime to(shown.last().addDays(1), QTime(0, 0));
    const std::vector<Occurrence> all = m_owner.occurrences(from, to);

    // All-day strip: lanes across the shown days.
    std::vector<const Occurrence*> top;
    std::vector<std::pair<QDateTime, QDateTime>> topSpans;
    for (const Occurrence& occurrence : all)
        if (isAllDayLike(occurrence)) {
            top.push_back(&occurrence);
            const QDateTime start(occurrence.start.date(), QTime(0, 0));
            QDateTime finish(occurrence.finish.date(), QTime(0, 0));
            if (finish <= start || occurrence.finish.time() != QTime(0, 0))
                finish = finish.addDays(1);
            topSpans.emplace_back(start, finish);
        }
    const std::vector<LanePlacement> topLanes = layoutLanes(topSpans);
    for (std::size_t i = 0; i < top.size(); ++i) {
        if (topLanes[i].lane >= 4)
            continue;
        int first = -1;
        int last = -1;
        for (int d = 0; d < shown.size(); ++d) {
            const QDateTime dayStart(shown[d], QTime(0, 0));
            if (topSpans[i].first < dayStart.addDays(1) && topSpans[i].second > dayStart) {
                if (first < 0)
                    first = d;
                last = d;
            }
        }
        if (first < 0)
            continue;
        const QRect rect(dayColumn(first).left() + 2,
                         kHeaderHeight + 2 + topLanes[i].lane * kAllDayRow,
                         dayColumn(last).right() - dayColumn(first).left() - 3, kAllDayRow - 2);
        result.push_back({*top[i], rect, true});
    }

    // Timed events, per day column.
    for (int d = 0; d < shown.size(); ++d) {
        const QDateTime dayStart(shown[d], QTime(0, 0));
        const QDateTime dayEnd = dayStart.addDays(1);
        std::vector<const Occurrence*> inDay;
        std::vector<std::pair<QDateTime, QDateTime>> spans;
        for (const Occurrence& occurrence : all) {
            if (isAllDayLike(occurrence))
                continue;
            if (occurrence.start < dayEnd &&
                (occurrence.finish > dayStart || occurrence.start >= dayStart)) {
                inDay.push_back(&occurrence);
                spans.emplace_back(std::max(occurrence.start, dayStart),
                                   std::min(occurrence.finish, dayEnd));
            }
        }
        const std::vector<LanePlacement> lanes = layoutLanes(spans);
        const QRect column = dayColumn(d);
        for (std::size_t i = 0; i < inDay.size(); ++i) {
            const int upper = yFor(spans[i].first.time());
            const int bottom = spans[i].second >= dayEnd ? yFor(QTime(0, 0)) + 24 * kHourHeight
                                                         : yFor(spans[i].second.time());
            const int laneWidth = (column.width() - 6) / lanes[i].lanes;
            const QRect rect(column.left() + 2 + lanes[i].lane * laneWidth, upper, laneWidth - 1,
                             std::max(bottom - upper, kHourHeight / 4) - 1);
            result.push_back({*inDay[i], rect, false});
        }
    }
    return result;
}

std::optional<TimeView::Item> TimeView::itemAt(QPoint point) const
{
    const std::vector<Item> shown = items();
    // Later items are drawn on top.
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (!it->allDay && point.y() < bodyTop())
            continue;
        if (it->rect.contains(point))
            return *it;
    }
    return std::nullopt;
}

void TimeView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QList<QDate> shown = days();
    const QDate today = m_owner.now().date();
    const QLocale locale;
    const int top = bodyTop();
    const QFontMetrics metrics(font());

    // Hours: work time white, the rest shaded; half-hour lines lighter.
    painter.save();
    painter.setClipRect(QRect(0, top, width(), height() - top));
    for (int hour = 0; hour < 24; ++hour) {
        const int y = yFor(QTime(hour, 0));
        const QColor fill = hour >= 8 && hour < 17 ? CalendarPalette::workHoursFill()
                                                   : CalendarPalette::offHoursFill();
        painter.fillRect(QRect(kRulerWidth, y, columnsRight() - kRulerWidth, kHourHeight), fill);
        painter.setPen(CalendarPalette::gridLine());
        painter.drawLine(kRulerWidth, y, columnsRight(), y);
        painter.setPen(QPen(CalendarPalette::gridLine(), 1, Qt::DotLine));
        painter.drawLine(kRulerWidth, y + kHourHeight / 2, columnsRight(), y + kHourHeight / 2);
        // Ruler: the hour large, the minutes small beside it.
        painter.setPen(QColor(0x55, 0x5d, 0x6b));
        QFont big = font();
        big.setPointSizeF(font().pointSizeF() * 1.5);
        painter.setFont(big);
        const QRect hourRect(2, y + 1, kRulerWidth - 22, kHourHeight / 2);
        painter.drawText(hourRect, Qt::AlignRight | Qt::AlignTop, QString::number(hour));
        painter.setFont(font());
        painter.drawText(QRect(kRulerWidth - 19, y + 2, 17, 12), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("00"));
        painter.drawText(QRect(kRulerWidth - 19, y + kHourHeight / 2 + 1, 17, 12),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("30"));
        painter.setPen(CalendarPalette::gridLine());
        painter.drawLine(kRulerWidth - 20, y, kRulerWidth, y);
    }

    // Today's column tinted, the selection on top of the grid.
    for (int d = 0; d < shown.size(); ++d) {
        const QRect column = dayColumn(d);
        if (shown[d] == today)
            painter.fillRect(QRect(column.left(), top, column.width(), height() - top),
                             QColor(0xff, 0xf4, 0xd6, 90));
        const QDateTime dayStart(shown[d], QTime(0, 0));
        const QDateTime selStart = std::max(m_owner.selectionStart(), dayStart);
        const QDateTime selEnd = std::min(m_owner.selectionFinish(), dayStart.addDays(1));
        if (selStart < selEnd) {
            const int y1 = yFor(selStart.time());
            const int y2 = selEnd >= dayStart.addDays(1) ? yFor(QTime(0, 0)) + 24 * kHourHeight
                                                         : yFor(selEnd.time());
            painter.fillRect(QRect(column.left() + 1, y1, column.width() - 1, y2 - y1),
                             CalendarPalette::selectionFill());
        }
        painter.setPen(CalendarPalette::gridLine());
        painter.drawLine(column.left(), top, column.left(), height());
    }
    // The current time as a line across today.
    const QDateTime now = m_owner.now();
    for (int d = 0; d < shown.size(); ++d)
        if (shown[d] == now.date()) {
            const QRect column = dayColumn(d);
            painter.setPen(QPen(QColor(0xd9, 0x53, 0x4f), 2));
            painter.drawLine(column.left(), yFor(now.time()), column.right(), yFor(now.time()));
        }
    painter.restore();

    // Header with the day names, the all-day strip below it.
    painter.fillRect(QRect(0, 0, width(), top), CalendarPalette::headerFill());
    for (int d = 0; d < shown.size(); ++d) {
        const QRect column = dayColumn(d);
        const QRect header(column.left(), 0, column.width(), kHeaderHeight);
        if (shown[d] == today)
            painter.fillRect(header, CalendarPalette::todayFill());
        QString text = locale.toString(shown[d], QStringLiteral("dddd d MMMM"));
        if (metrics.horizontalAdvance(text) > header.width() - 6)
            text = locale.toString(shown[d], QStringLiteral("ddd d MMM"));
        if (metrics.horizontalAdvance(text) > header.width() - 6)
            text = locale.toString(shown[d], QStringLiteral("ddd d"));
        painter.setPen(Qt::black);
        painter.drawText(header, Qt::AlignCenter, text);
        painter.setPen(CalendarPalette::gridLine());
        painter.drawLine(column.left(), 0, column.left(), top);
        // Whole selected days show in the strip.
        const QDateTime dayStart(shown[d], QTime(0, 0));
        if (m_owner.selectionStart() <= dayStart &&
            m_owner.selectionFinish() >= dayStart.addDays(1))
            painter.fillRect(
                QRect(column.left() + 1, kHeaderHeight, column.width() - 1, top - kHeaderHeight),
                CalendarPalette::selectionFill());
    }
    painter.setPen(CalendarPalette::eventBorder());
    painter.drawLine(0, kHeaderHeight, width(), kHeaderHeight);
    painter.drawLine(0, top - 1, width(), top - 1);
    painter.setPen(Qt::darkGray);
    painter.drawText(QRect(2, kHeaderHeight, kRulerWidth - 4, top - kHeaderHeight), Qt::AlignCenter,
                     tr("All day"));

    // Events.
    for (const Item& item : items()) {
        painter.save();
        if (!item.allDay)
            painter.setClipRect(QRect(0, top, width(), height() - top));
        const bool selected = m_owner.isSelected(item.occurrence);
        QColor fill = CalendarPalette::eventFill(item.occurrence.event.labelColor);
        painter.setBrush(fill);
        painter.setPen(
            QPen(selected ? Qt::black : CalendarPalette::eventBorder(), selected ? 2 : 1));
        painter.drawRoundedRect(item.rect, 3, 3);
        painter.fillRect(
            QRect(item.rect.left() + 1, item.rect.top() + 1, 4, item.rect.height() - 1),
            CalendarPalette::eventBorder());
        painter.setPen(Qt::black);
        // Narrow lanes show the subject alone; wide ones the time, place and series mark too.
        const bool roomy = item.rect.width() >= 110;
        QString text = item.occurrence.event.caption;
        if (roomy && !item.allDay)
            text = item.occurrence.start.time().toString(QStringLiteral("HH:mm")) +
                   QLatin1Char(' ') + text;
        if (roomy && !item.occurrence.event.location.isEmpty())
            text += QStringLiteral(" (") + item.occurrence.event.location + QLatin1Char(')');
        if (roomy && item.occurrence.inSeries())
            text = QStringLiteral("\u21bb ") + text;
        const QRect textRect = item.rect.adjusted(8, 1, -2, -1);
        painter.setClipRect(textRect, Qt::IntersectClip);
        if (textRect.height() < 2 * metrics.height())
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                             metrics.elidedText(text, Qt::ElideRight, textRect.width()));
        else
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        painter.restore();
    }
}

void TimeView::resizeEvent(QResizeEvent* event)
{
    CalendarView::resizeEvent(event);
    updateScrollRange();
}

void TimeView::wheelEvent(QWheelEvent* event)
{
    m_scroll->setValue(m_scroll->value() - event->angleDelta().y() / 3);
    event->accept();
}

void TimeView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    m_pressPos = event->position().toPoint();
    m_dragMoved = false;
    if (event->button() != Qt::LeftButton)
        return;
    if (const auto item = itemAt(m_pressPos)) {
        m_owner.selectOccurrence(&item->occurrence);
        m_dragged = item->occurrence;
        m_dragStart = item->occurrence.start;
        m_dragFinish = item->occurrence.finish;
        const bool nearBottom =
            !item->allDay && m_pressPos.y() >= item->rect.bottom() - kResizeGrip;
        m_drag = nearBottom ? Drag::Resize : Drag::Move;
        return;
    }
    m_owner.selectOccurrence(nullptr);
    if (const auto at = timeAt(m_pressPos)) {
        m_drag = Drag::Select;
        m_owner.setSelection(*at, at->addSecs(kSlotMinutes * 60));
    } else if (const auto day = dayAt(m_pressPos.x()); day && m_pressPos.y() >= kHeaderHeight) {
        m_drag = Drag::None;
        m_owner.setSelection(QDateTime(*day, QTime(0, 0)), QDateTime(day->addDays(1), QTime(0, 0)));
    }
}

void TimeView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::None) {
        const auto item = itemAt(pos);
        setCursor(item && !item->allDay && pos.y() >= item->rect.bottom() - kResizeGrip
                      ? Qt::SizeVerCursor
                      : Qt::ArrowCursor);
        return;
    }
    if ((pos - m_pressPos).manhattanLength() < 4 && !m_dragMoved)
        return;
    m_dragMoved = true;
    if (m_drag == Drag::Select) {
        if (const auto at = timeAt(QPoint(pos.x(), std::max(pos.y(), bodyTop())))) {
            const auto anchor = timeAt(m_pressPos);
            if (anchor) {
                // Backwards selections keep their anchor at the end of the slot.
                if (*at >= *anchor)
                    m_owner.setSelection(*anchor, at->addSecs(kSlotMinutes * 60));
                else
                    m_owner.setSelection(anchor->addSecs(kSlotMinutes * 60), *at);
            }
        }
        return;
    }
    if (!m_dragged)
        return;
    const qint64 minutes =
        qint64(pos.y() - m_pressPos.y()) * 60 / kHourHeight / kDragSnapMinutes * kDragSnapMinutes;
    if (m_drag == Drag::Resize) {
        m_dragFinish = std::max(m_dragged->finish.addSecs(minutes * 60),
                                m_dragged->start.addSecs(kDragSnapMinutes * 60));
        m_dragStart = m_dragged->start;
    } else {
        const auto fromDay = dayAt(m_pressPos.x());
        const auto toDay = dayAt(pos.x());
        const qint64 days = fromDay && toDay ? fromDay->daysTo(*toDay) : 0;
        const qint64 moveMinutes = m_dragged->event.allDay() ? 0 : minutes;
        m_dragStart = m_dragged->start.addDays(days).addSecs(moveMinutes * 60);
        m_dragFinish = m_dragged->finish.addDays(days).addSecs(moveMinutes * 60);
    }
    // Shown as the selection while dragging; stored on release.
    m_owner.setSelection(m_dragStart, m_dragFinish);
}

void TimeView::mouseReleaseEvent(QMouseEvent* event)
{
    const Drag drag = std::exchange(m_drag, Drag::None);
    if (event->button() != Qt::LeftButton)
        return;
    if ((drag == Drag::Move || drag == Drag::Resize) && m_dragMoved && m_dragged &&
        (m_dragStart != m_dragged->start || m_dragFinish != m_dragged->finish)) {
        const Occurrence dragged = *m_dragged;
        m_dragged.reset();
        m_owner.reschedule(dragged, m_dragStart, m_dragFinish);
        return;
    }
    m_dragged.reset();
}

void TimeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    m_drag = Drag::None;
    if (const auto item = itemAt(pos)) {
        const Occurrence occurrence = item->occurrence;
        m_owner.openOccurrence(occurrence);
        return;
    }
    if (const auto at = timeAt(pos)) {
        if (*at >= m_owner.selectionStart() && *at < m_owner.selectionFinish())
            m_owner.newEventFromSelection();
        else
            m_owner.newEvent(*at, at->addSecs(kSlotMinutes * 60), false);
    } else if (const auto day = dayAt(pos.x()); day && pos.y() >= kHeaderHeight) {
        m_owner.newEvent(QDateTime(*day, QTime(0, 0)), QDateTime(day->addDays(1), QTime(0, 0)),
                         true);
    }
}

void TimeView::contextMenuEvent(QContextMenuEvent* event)
{
    const auto item = itemAt(event->pos());
    if (item) {
        const Occurrence occurrence = item->occurrence;
        m_owner.selectOccurrence(&occurrence);
        m_owner.showContextMenu(event->globalPos(), &occurrence);
        return;
    }
    if (const auto at = timeAt(event->pos());
        at && !(*at >= m_owner.selectionStart() && *at < m_owner.selectionFinish()))
        m_owner.setSelection(*at, at->addSecs(kSlotMinutes * 60));
    m_owner.showContextMenu(event->globalPos(), nullptr);
}
