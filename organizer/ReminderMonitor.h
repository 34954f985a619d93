#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>

class Clock;
class EventStore;
class QTimer;
class QWidget;
class ReminderForm;

// Watches the organizer's pending reminders while the program runs, whether
// the calendar is shown or not, and pops up the reminder window for those
// due when the reminder window is in use (the ReminderEnable setting).
// Reminders that fell due while the program was not running are due at once.
class ReminderMonitor : public QObject
{
    Q_OBJECT
public:
    static constexpr int kCheckIntervalMs = 15000;

    ReminderMonitor(const Clock& clock, QWidget* owner);
    ~ReminderMonitor() override;

    void setStore(EventStore* store);
    void setUseReminderWindow(bool use);
    bool useReminderWindow() const { return m_useWindow; }
    // Looks for due reminders now and shows or updates the window.
    void check();
    // The reminder window, once it was first needed.
    ReminderForm* window() const;

    void dismiss(qint64 id);
    void dismissAll();
    void snooze(const QList<qint64>& ids, int minutes);
    void open(qint64 id);

signals:
    // "Open" on a reminder: show the calendar at that occurrence's start.
    void openRequested(const QDateTime& start);

private:
    void armNextCheck();

    const Clock& m_clock;
    QWidget* m_owner;
    EventStore* m_store = nullptr;
    bool m_useWindow = false;
    QTimer* m_timer = nullptr;
    QPointer<ReminderForm> m_window;
};
