#include "organizer/TimeGridView.h"

#include "organizer/CalendarPalette.h"
#include "organizer/DayColumnLayout.h"
#include "organizer/SchedulerControl.h"

#include <QContextMenuEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int kSlotMinutes = 30;
}

TimeGridView::TimeGridView(SchedulerControl& owner, QWidget* parent) : CalendarView(owner, parent)
{
    setObjectName(QStringLiteral("TimeGridView"));
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    connect(m_scroll, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    setMinimumSize(300, 120);
}

void TimeGridView::refreshView()
{
    updateScrollRange();
    update();
}

void TimeGridView::updateScrollRange()
{
    const int barHeight = m_scroll->sizeHint().height();
    m_scroll->setGeometry(kDayLabelWidth, height() - barHeight, width() - kDayLabelWidth,
                          barHeight);
    const int visible = width() - kDayLabelWidth;
    m_scroll->setPageStep(visible);
    m_scroll->setSingleStep(kHourWidth / 2);
    m_scroll->setRange(0, std::max(0, 24 * kHourWidth - visible));
}

void TimeGridView::scrollToHour(int hour)
{
    updateScrollRange();
    m_scroll->setValue(hour * kHourWidth);
}

QRect TimeGridView::dayRow(int index) const
{
    const int count = std::max<int>(1, static_cast<int>(m_owner.viewState().visibleDays().size()));
    const int span = height() - kScaleHeight - m_scroll->sizeHint().height();
    // Rows no taller than needed for a few stacked bars.
    const int rowHeight = std::min(span / count, 120);
    return QRect(0, kScaleHeight + index * rowHeight, width(), rowHeight);
}

int TimeGridView::xFor(const QTime& time) const
{
    return kDayLabelWidth - m_scroll->value() +
           static_cast<int>(qint64(time.msecsSinceStartOfDay()) * kHourWidth / 3600000);
}

std::optional<QDateTime> TimeGridView::timeAt(QPoint point) const
{
    if (point.x() < kDayLabelWidth)
        return std::nullopt;
    const auto days = m_owner.viewState().visibleDays();
    for (int i = 0; i < days.size(); ++i)
        if (dayRow(i).contains(point)) {
            const int minutes =
                std::clamp((point.x() - kDayLabelWidth + m_scroll->value()) * 60 / kHourWidth, 0,
                           24 * 60 - 1) /
                kSlotMinutes * kSlotMinutes;
            return QDateTime(days[i], QTime(minutes / 60, minutes % 60));
        }
    return std::nullopt;
}

std::vector<std::pair<QRect, Occurrence>> TimeGridView::bars() const
{
    std::vector<std::pair<QRect, Occurrence>> result;
    const auto days = m_owner.viewState().visibleDays();
    for (int i = 0; i < days.size(); ++i) {
        const QDateTime dayStart(days[i], QTime(0, 0));
        const QDateTime dayEnd = dayStart.addDays(1);
        std::vector<Occurrence> inDay = m_owner.occurrences(dayStart, dayEnd);
        std::vector<std::pair<QDateTime, QDateTime>> spans;
        for (const Occurrence& occurrence : inDay)
            spans.emplace_back(std::max(occurrence.start, dayStart),
                               std::min(occurrence.finish, dayEnd));
        const auto lanes = layoutLanes(spans);
        const QRect row = dayRow(i);
        for (std::size_t k = 0; k < inDay.size(); ++k) {
            const int left = xFor(spans[k].first.time());
            const int right = spans[k].second >= dayEnd ? xFor(QTime(0, 0)) + 24 * kHourWidth
                                                        : xFor(spans[k].second.time());
            const int laneHeight = (row.height() - 4) / lanes[k].lanes;
            result.emplace_back(QRect(left, row.top() + 2 + lanes[k].lane * laneHeight,
                                      std::max(right - left, kHourWidth / 4), laneHeight - 1),
                                inDay[k]);
        }
    }
    return result;
}

std::optional<Occurrence> TimeGridView::occurrenceAt(QPoint point) const
{
    if (point.x() < kDayLabelWidth)
        return std::nullopt;
    for (const auto& [rect, occurrence] : bars())
        if (rect.contains(point))
            return occurrence;
    return std::nullopt;
}

void TimeGridView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QLocale locale;
    const auto days = m_owner.viewState().visibleDays();
    painter.save();
    painter.setClipRect(QRect(kDayLabelWidth, 0, width() - kDayLabelWidth, height()));
    painter.fillRect(QRect(0, 0, width(), kScaleHeight), CalendarPalette::headerFill());
    for (int hour = 0; hour < 24; ++hour) {
        const int x = xFor(QTime(hour, 0));
        painter.setPen(Qt::black);
        painter.drawText(QRect(x + 3, 2, kHourWidth - 4, kScaleHeight / 2),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QTime(hour, 0).toString(QStringLiteral("HH:mm")));
        painter.setPen(Qt::darkGray);
        painter.drawText(
            QRect(x + kHourWidth / 2 + 2, kScaleHeight / 2, kHourWidth / 2, kScaleHeight / 2 - 2),
            Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("30"));
        painter.setPen(CalendarPalette::gridLine());
        painter.drawLine(x, 0, x, height());
        painter.setPen(QPen(CalendarPalette::gridLine(), 1, Qt::DotLine));
        painter.drawLine(x + kHourWidth / 2, kScaleHeight / 2, x + kHourWidth / 2, height());
    }
    for (int i = 0; i < days.size(); ++i) {
        const QRect row = dayRow(i);
        const QDateTime dayStart(days[i], QTime(0, 0));
        const QDateTime selStart = std::max(m_owner.selectionStart(), dayStart);
        const QDateTime selEnd = std::min(m_owner.selectionFinish(), dayStart.addDays(1));
        if (selStart < selEnd) {
            const int x2 = selEnd >= dayStart.addDays(1) ? xFor(QTime(0, 0)) + 24 * kHourWidth
                                                         : xFor(selEnd.time());
            painter.fillRect(
                QRect(xFor(selStart.time()), row.top(), x2 - xFor(selStart.time()), row.height()),
                CalendarPalette::selectionFill());
        }
    }
    for (const auto& [rect, occurrence] : bars()) {
        painter.setPen(m_owner.isSelected(occurrence) ? Qt::black : CalendarPalette::eventBorder());
        painter.setBrush(CalendarPalette::eventFill(occurrence.event.labelColor));
        painter.drawRoundedRect(rect, 3, 3);
        painter.setPen(Qt::black);
        painter.drawText(
            rect.adjusted(4, 1, -2, -1), Qt::AlignLeft | Qt::AlignVCenter,
            fontMetrics().elidedText(occurrence.event.caption, Qt::ElideRight, rect.width() - 6));
    }
    painter.restore();
    for (int i = 0; i < days.size(); ++i) {
        const QRect row = dayRow(i);
        painter.fillRect(QRect(0, row.top(), kDayLabelWidth, row.height()),
                         CalendarPalette::headerFill());
        painter.setPen(Qt::black);
        painter.drawText(QRect(4, row.top(), kDayLabelWidth - 8, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                         locale.toString(days[i], QStringLiteral("dddd\nd MMMM yyyy")));
        painter.setPen(CalendarPalette::gridLine());
        painter.drawLine(0, row.bottom(), width(), row.bottom());
    }
}

void TimeGridView::resizeEvent(QResizeEvent* event)
{
    CalendarView::resizeEvent(event);
    updateScrollRange();
}

void TimeGridView::wheelEvent(QWheelEvent* event)
{
    m_scroll->setValue(m_scroll->value() - event->angleDelta().y() / 2);
    event->accept();
}

void TimeGridView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (const auto occurrence = occurrenceAt(pos)) {
        m_owner.selectOccurrence(&*occurrence);
        return;
    }
    m_owner.selectOccurrence(nullptr);
    if (const auto at = timeAt(pos))
        m_owner.setSelection(*at, at->addSecs(kSlotMinutes * 60));
}

void TimeGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (const auto occurrence = occurrenceAt(pos)) {
        m_owner.openOccurrence(*occurrence);
        return;
    }
    if (timeAt(pos))
        m_owner.newEventFromSelection();
}

void TimeGridView::contextMenuEvent(QContextMenuEvent* event)
{
    if (const auto occurrence = occurrenceAt(event->pos())) {
        m_owner.selectOccurrence(&*occurrence);
        m_owner.showContextMenu(event->globalPos(), &*occurrence);
        return;
    }
    m_owner.showContextMenu(event->globalPos(), nullptr);
}
