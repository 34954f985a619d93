#pragma once

#include "feeds/FeedPanel.h"
#include "feeds/FeedRuns.h"

class FeedLabel;

// The weather panel's content and its feed: temperature, humidity and the
// condition picture of the chosen city, refreshed by TWeatherThread runs.
class WeatherFeed : public FeedPanel, public WeatherView
{
    Q_OBJECT
public:
    WeatherFeed(LFGlobals& globals, SidebarServices& services, ServiceAddresses addresses,
                QWidget* panel, QMenu* optionMenu, QObject* parent);

    static constexpr int kDefaultInterval = 1200000;

    void WeatherTimerTimer() { downloadTimerTimer(); }
    void WRetrieveClick() { retrieveClick(); }
    void WExpandClick();

    // Hand-overs of a run, on the user-interface thread.
    void StartLoading() override;
    void ShowWeather(const WeatherDocument::Values& values) override;
    void ShowOffline() override;
    void ShowError() override;

protected:
    int laterInterval() const override;
    void startRun() override;

private:
    QLabel* m_temp;
    QLabel* m_humidity;
    QLabel* m_picture;
};
