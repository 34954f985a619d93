#pragma once

#include "organizer/CalendarEvent.h"

#include <QWidget>

#include <vector>

class Clock;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class ReminderMonitor;

// The reminder pop-up: the due reminders with Dismiss, Dismiss All, Snooze
// for a chosen time and Open.
class ReminderForm : public QWidget
{
    Q_OBJECT
public:
    ReminderForm(ReminderMonitor& monitor, const Clock& clock, QWidget* parent = nullptr);
    void setReminders(const std::vector<CalendarEvent>& due);
    QTreeWidget* list() const { return m_list; }

private:
    QList<qint64> selectedIds() const;
    void updateButtons();

    ReminderMonitor& m_monitor;
    const Clock& m_clock;
    QLabel* m_heading = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_dismiss = nullptr;
    QPushButton* m_dismissAll = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_snooze = nullptr;
    QComboBox* m_snoozeTime = nullptr;
};
