#pragma once

#include "organizer/CalendarView.h"
#include "organizer/Occurrences.h"

#include <optional>

class QScrollBar;

// The selected days one under the other on a horizontal time scale; events
// are bars along it, overlapping ones stacked.
class TimeGridView : public CalendarView
{
    Q_OBJECT
public:
    static constexpr int kDayLabelWidth = 90;
    static constexpr int kScaleHeight = 36;
    static constexpr int kHourWidth = 64;

    TimeGridView(SchedulerControl& owner, QWidget* parent);
    void refreshView() override;
    void scrollToHour(int hour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRect dayRow(int index) const;
    int xFor(const QTime& time) const;
    std::optional<QDateTime> timeAt(QPoint point) const;
    std::vector<std::pair<QRect, Occurrence>> bars() const;
    std::optional<Occurrence> occurrenceAt(QPoint point) const;
    void updateScrollRange();

    QScrollBar* m_scroll = nullptr;
};
