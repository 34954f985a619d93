#pragma once

#include "organizer/CalendarView.h"

#include <optional>

// The twelve months of the year; days with events are bold. A click selects
// a day, a double click opens it in the day view.
class YearView : public CalendarView
{
    Q_OBJECT
public:
    YearView(SchedulerControl& owner, QWidget* parent);
    QRect monthRect(int month) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::optional<QDate> dayAt(QPoint point) const;
};
