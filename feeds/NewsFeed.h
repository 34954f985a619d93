#pragma once

#include "feeds/FeedPanel.h"
#include "feeds/FeedRuns.h"
#include "feeds/NewsTable.h"

class FeedLabel;

// The news panel's two headline slots and their feed: the two newest items of
// the chosen feed, refreshed by TNewsThread runs.
class NewsFeed : public FeedPanel, public NewsView
{
    Q_OBJECT
public:
    NewsFeed(LFGlobals& globals, SidebarServices& services, ServiceAddresses addresses,
             QWidget* panel, QMenu* optionMenu, QObject* parent);

    static constexpr int kDefaultInterval = 1200000;

    const NewsTable& newsTable() const { return m_table; }

    void NewsTimerTimer() { downloadTimerTimer(); }
    void NRetrieveClick() { retrieveClick(); }
    void NTITLE1Click();
    void NTITLE2Click();

    void StartLoading() override;
    void ClearNews() override;
    void AddItems(const std::vector<NewsDocument::Item>& items) override;
    void ShowFirst() override;
    void ShowSecond() override;
    void ShowOffline() override;
    void ShowError() override;

protected:
    int laterInterval() const override;
    void startRun() override;

private:
    struct Slot
    {
        QLabel* time;
        FeedLabel* title;
        FeedLabel* content;
    };
    Slot addSlot(int top, const char* time, const char* title, const char* content);
    // Fills the slot from the table's row; the link it opens goes to link.
    void fillSlot(const Slot& slot, int row, QString& link);

    NewsTable m_table;
    Slot m_first;
    Slot m_second;
};
