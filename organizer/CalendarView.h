#pragma once

#include <QWidget>

class SchedulerControl;

// One of the calendar's views; it paints what the scheduler holds and hands
// the user's gestures back to it.
class CalendarView : public QWidget
{
    Q_OBJECT
public:
    CalendarView(SchedulerControl& owner, QWidget* parent) : QWidget(parent), m_owner(owner) {}
    // Called after the state, the selection or the events changed.
    virtual void refreshView() { update(); }

protected:
    SchedulerControl& m_owner;
};
