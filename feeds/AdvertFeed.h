#pragma once

#include "feeds/FeedPanel.h"
#include "feeds/FeedRuns.h"

class FeedLabel;

// The advert panel's two adverts and their feed, refreshed by TAdThread runs
// every ten minutes.
class AdvertFeed : public FeedPanel, public AdvertView
{
    Q_OBJECT
public:
    AdvertFeed(LFGlobals& globals, SidebarServices& services, ServiceAddresses addresses,
               QWidget* panel, QMenu* optionMenu, QObject* parent);

    static constexpr int kInterval = 600000;

    void AdTimerTimer() { downloadTimerTimer(); }
    void AdRetrieveClick() { retrieveClick(); }
    void AdTitleClick();
    void AdTitle2Click();

    void StopLoading() override;
    void ShowAds(const AdvertDocument::Adverts& adverts) override;
    void ShowError() override;

protected:
    int laterInterval() const override { return kInterval; }
    void startRun() override;

private:
    FeedLabel* m_title;
    FeedLabel* m_body;
    FeedLabel* m_title2;
    FeedLabel* m_body2;
};
