#pragma once

#include "organizer/CalendarView.h"
#include "organizer/Occurrences.h"

#include <optional>

// Six weeks of the month: each day lists its events by start time; a click
// selects the day, a double click on a free place adds an all-day event.
class MonthView : public CalendarView
{
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 20;
    static constexpr int kLineHeight = 15;

    MonthView(SchedulerControl& owner, QWidget* parent);
    QRect dayRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::optional<QDate> dayAt(QPoint point) const;
    std::optional<Occurrence> occurrenceAt(QPoint point) const;
    std::vector<std::pair<QRect, Occurrence>> lines() const;
};
