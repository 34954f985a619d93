#pragma once

#include <QDateTime>

class UpcomingSource;

// What the organizer panel needs of the scheduler window that carries the
// organizer database.
class OrgPanelHost
{
public:
    virtual ~OrgPanelHost() = default;
    // Opens the database; throws StoreError.
    virtual void openDatabase() = 0;
    // The open database, or nullptr.
    virtual const UpcomingSource* upcomingSource() const = 0;
    // Reloads the calendar's events and applies the reminder setting.
    virtual void rebindStorage(bool reminderEnable) = 0;
    // Brings date into view in the current view and shows the window modally.
    virtual void showAt(const QDateTime& date) = 0;
};
