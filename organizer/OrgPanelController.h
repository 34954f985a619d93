#pragma once

#include <QDateTime>
#include <QObject>

#include <array>

class Clock;
class OrgPanelHost;
class QLabel;
class QTimer;
class QWidget;
class SidebarServices;
struct LFGlobals;

// The sidebar's organizer panel: the three upcoming-event labels, the timers
// that open the database and refresh the labels, and the label clicks that
// open the scheduler. Lives on the panel widget.
class OrgPanelController : public QObject
{
    Q_OBJECT
public:
    OrgPanelController(QWidget* orgPanel, OrgPanelHost& host, const LFGlobals& globals,
                       SidebarServices& services, const Clock& clock);

    // Starts the one-second wait before the database is opened.
    void enableLoad();
    // Runs the refresh after interval ms; requests within it collapse into one.
    void rearm(int intervalMs);

    QTimer* loadTimer() const { return m_loadTimer; }
    QTimer* refreshTimer() const { return m_orgTimer; }
    QDateTime finish(int index) const { return m_finishes.at(static_cast<std::size_t>(index)); }

    void LoadORGTimerTimer();
    void OrgTimerTimer();
    void ORGLab1Click() { openAt(0); }
    void ORGLab2Click() { openAt(1); }
    void ORGLab3Click() { openAt(2); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openAt(int index);

    OrgPanelHost& m_host;
    const LFGlobals& m_globals;
    SidebarServices& m_services;
    const Clock& m_clock;
    QTimer* m_loadTimer = nullptr;
    QTimer* m_orgTimer = nullptr;
    std::array<QLabel*, 3> m_labels{};
    // OrgFinish1 to OrgFinish3: the zero date-time until the first fill.
    std::array<QDateTime, 3> m_finishes;
};
