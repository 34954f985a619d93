#pragma once

#include "organizer/CalendarView.h"
#include "organizer/Occurrences.h"

#include <QDateTime>
#include <QRect>

#include <optional>
#include <vector>

class QScrollBar;

// The day, work-week and week views: one column per day under an hour ruler
// with minutes, timed events placed by time (overlapping ones side by side),
// all-day and multi-day events in a strip on top. Drag on free time to select
// it, drag an event to move it, drag its lower edge to resize it.
class TimeView : public CalendarView
{
    Q_OBJECT
public:
    static constexpr int kRulerWidth = 52;
    static constexpr int kHeaderHeight = 22;
    static constexpr int kHourHeight = 40;
    static constexpr int kSlotMinutes = 30;

    TimeView(SchedulerControl& owner, QWidget* parent);
    void refreshView() override;
    // Scrolls so that the given hour is at the top.
    void scrollToHour(int hour);

    struct Item
    {
        Occurrence occurrence;
        QRect rect;
        bool allDay = false;
    };
    // Where each shown event is drawn, in widget coordinates.
    std::vector<Item> items() const;
    // The moment under a point of the time area, floored to the slot.
    std::optional<QDateTime> timeAt(QPoint point) const;
    QRect dayColumn(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class Drag
    {
        None,
        Select,
        Move,
        Resize
    };

    QList<QDate> days() const;
    int allDayHeight() const { return m_allDayHeight; }
    int measureAllDayHeight() const;
    int bodyTop() const { return kHeaderHeight + allDayHeight(); }
    int columnsRight() const;
    int yFor(const QTime& time) const;
    std::optional<QDate> dayAt(int x) const;
    std::optional<Item> itemAt(QPoint point) const;
    void updateScrollRange();

    QScrollBar* m_scroll = nullptr;
    // Height of the all-day strip, worked out when the shown events change.
    int m_allDayHeight = 22;
    Drag m_drag = Drag::None;
    QPoint m_pressPos;
    std::optional<Occurrence> m_dragged;
    QDateTime m_dragStart;
    QDateTime m_dragFinish;
    bool m_dragMoved = false;
};
