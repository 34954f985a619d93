#pragma once

#include "organizer/EventStore.h"
#include "organizer/OrgPanelHost.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class Clock;
class OrgPanelController;
class QAction;
class ReminderMonitor;
class SchedulerControl;
class SidebarServices;
struct LFGlobals;

// The "Reminder" window: the calendar over the organizer database. Created
// hidden at start-up, it carries the database for the sidebar's organizer
// panel and the reminder pop-ups, and is shown from the panel's labels.
class ShedulerForm : public QWidget, public OrgPanelHost
{
    Q_OBJECT
public:
    // orgPanel is the sidebar's OrgPanel; clock defaults to the system clock.
    ShedulerForm(const LFGlobals& globals, SidebarServices& services, QWidget* orgPanel,
                 const Clock* clock = nullptr, QWidget* parent = nullptr);
    ~ShedulerForm() override;

    // The file the database is opened from: Organaizer.db in the program folder.
    QString databasePath() const;
    EventStore* store() { return m_store ? &*m_store : nullptr; }
    OrgPanelController* panel() const;
    SchedulerControl* scheduler() const { return m_scheduler; }
    ReminderMonitor* reminders() const { return m_reminders; }
    // The date the calendar is anchored at.
    QDate currentDate() const;

    void openDatabase() override;
    const UpcomingSource* upcomingSource() const override;
    void rebindStorage(bool reminderEnable) override;
    void showAt(const QDateTime& date) override;

    // The six view actions' shared handler; sender is the action run.
    void acViewTypeExecute(QAction* sender);
    void CloseFormClick();
    void TotalRefreshClick();
    void DBStorageEventInserted();
    // Re-arms the sidebar's refresh after a change in the calendar.
    void UpdateVCLExecute();

private:
    void FormCreate();
    void buildTopBar();
    void buildBottomBar();

    const LFGlobals& m_globals;
    SidebarServices& m_services;
    std::unique_ptr<Clock> m_ownClock;
    const Clock& m_clock;
    std::optional<EventStore> m_store;
    // Lives on the sidebar's panel; gone with the sidebar.
    QPointer<OrgPanelController> m_panel;
    SchedulerControl* m_scheduler = nullptr;
    ReminderMonitor* m_reminders = nullptr;
    QAction* m_updateVCL = nullptr;
};
