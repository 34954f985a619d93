#pragma once

#include "feeds/FeedWorkers.h"
#include "feeds/HttpFetcher.h"
#include "feeds/ServiceAddresses.h"

#include <QObject>
#include <QRect>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class SidebarServices;
struct LFGlobals;

// The cycle every feed panel shares: a download timer whose first tick comes
// soon and later ones a full interval apart, one worker per tick, a blinking
// "Loading..." indicator while a run goes on, the option menu's Retrieve and
// Configure items, and the one failure notice rule of all feeds.
class FeedPanel : public QObject
{
    Q_OBJECT
public:
    struct Names
    {
        const char* downloadTimer;
        int firstInterval;
        const char* indicatorTimer;
        const char* indicatorLabel;
        QRect indicatorGeometry;
        const char* retrieveItem;
        const char* retrieveText;
        const char* configureItem;
        bool configurable;
    };

    FeedPanel(LFGlobals& globals, SidebarServices& services, ServiceAddresses addresses,
              QWidget* panel, QMenu* optionMenu, const Names& names, QObject* parent);
    ~FeedPanel() override;

    QTimer* downloadTimer() const { return m_downloadTimer; }
    QTimer* indicatorTimer() const { return m_indicatorTimer; }
    QLabel* indicatorLabel() const { return m_indicator; }
    // Workers of this feed still running (for tests and the exit).
    int runningWorkers() const { return m_workers.running(); }
    void setFetchLimits(const FetchLimits& limits) { m_limits = limits; }
    // Ends the cycle: stops the timers and releases or waits for the workers.
    void shutdown();

    // Runs the hand-overs the workers queued; called through the event queue.
    Q_INVOKABLE void runHandOvers() { m_workers.runHandOvers(); }

    void downloadTimerTimer();
    void indicatorTimerTimer();
    void retrieveClick();

signals:
    // The Configure item: the settings dialog on this feed's tab.
    void configureRequested();

protected:
    virtual int laterInterval() const = 0;
    virtual void startRun() = 0;

    // Helpers for the hand-overs, on the user-interface thread.
    void startLoading();
    void stopLoading();
    void announceFailure(const QString& title, const QString& text);
    void dataShown();

    // Starts a worker running body with a fetcher bound to this feed's limits
    // and the probe target.
    void startWorker(const QString& name, std::function<void(FeedFetcher&, HandOverGate&)> body);

    LFGlobals& m_globals;
    SidebarServices& m_services;
    const ServiceAddresses m_addresses;
    QWidget* m_panel;

private:
    QTimer* m_downloadTimer;
    QTimer* m_indicatorTimer;
    QLabel* m_indicator;
    FetchLimits m_limits;
    FeedWorkers m_workers;
};
