#include "feeds/NewsFeed.h"

#include "app/LFGlobals.h"
#include "feeds/FeedError.h"
#include "feeds/FeedLabel.h"
#include "feeds/FeedRules.h"
#include "shell/SidebarServices.h"

#include <QLabel>
#include <QTextDocumentFragment>

namespace {

class NewsViewProxy : public NewsView
{
public:
    NewsViewProxy(HandOverGate& gate, NewsView& target) : m_gate(gate), m_target(target) {}
    void StartLoading() override
    {
        m_gate.call([&] { m_target.StartLoading(); });
    }
    void ClearNews() override
    {
        m_gate.call([&] { m_target.ClearNews(); });
    }
    void AddItems(const std::vector<NewsDocument::Item>& items) override
    {
        m_gate.call([&] { m_target.AddItems(items); });
    }
    void ShowFirst() override
    {
        m_gate.call([&] { m_target.ShowFirst(); });
    }
    void ShowSecond() override
    {
        m_gate.call([&] { m_target.ShowSecond(); });
    }
    void ShowOffline() override
    {
        m_gate.call([&] { m_target.ShowOffline(); });
    }
    void ShowError() override
    {
        m_gate.call([&] { m_target.ShowError(); });
    }

private:
    HandOverGate& m_gate;
    NewsView& m_target;
};

} // namespace

NewsFeed::NewsFeed(LFGlobals& globals, SidebarServices& services, ServiceAddresses addresses,
                   QWidget* panel, QMenu* optionMenu, QObject* parent)
    : FeedPanel(globals, services, std::move(addresses), panel, optionMenu,
                {"NewsTimer", 2000, "NewsIsLoadingTimer", "NIsLoading", QRect(120, 4, 70, 14),
                 "NRetrieve", "Retrieve News NOW!", "NConfigure", true},
                parent)
{
    m_first = addSlot(4, "NTIME1", "NTITLE1", "NCONTENT1");
    m_second = addSlot(53, "NTIME2", "NTITLE2", "NCONTENT2");
    connect(m_first.title, &FeedLabel::clicked, this, &NewsFeed::NTITLE1Click);
    connect(m_second.title, &FeedLabel::clicked, this, &NewsFeed::NTITLE2Click);
    indicatorLabel()->raise();
}

namespace {

// Feeds often carry HTML in their descriptions ("<p>Rain &amp; wind</p>"):
// show the words, never the markup.
QString readableText(const QString& description)
{
    if (!description.contains(QLatin1Char('<')) && !description.contains(QLatin1Char('&')))
        return description;
    return QTextDocumentFragment::fromHtml(description).toPlainText().simplified();
}

} // namespace

NewsFeed::Slot NewsFeed::addSlot(int top, const char* time, const char* title, const char* content)
{
    Slot slot;
    slot.time = new QLabel(m_panel);
    slot.time->setObjectName(QString::fromLatin1(time));
    slot.time->setGeometry(10, top, 100, 14);
    slot.time->setTextFormat(Qt::PlainText);
    slot.time->setStyleSheet(QStringLiteral("color: rgb(87, 87, 87);"));
    slot.title =
        new FeedLabel(QString::fromLatin1(title), QRect(10, top + 14, 190, 14), m_panel, true);
    QFont bold = slot.title->font();
    bold.setBold(true);
    slot.title->setFont(bold);
    slot.title->setStyleSheet(QStringLiteral("color: rgb(47, 91, 162);"));
    slot.title->setEnabled(false);
    slot.content =
        new FeedLabel(QString::fromLatin1(content), QRect(10, top + 28, 197, 20), m_panel);
    QFont small = slot.content->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    slot.content->setFont(small);
    return slot;
}

int NewsFeed::laterInterval() const
{
    return FeedRules::downloadInterval(m_globals.NewsUpdateInterval, kDefaultInterval);
}

void NewsFeed::startRun()
{
    // A feed of the user's own, when set, stands in for the chosen language's.
    const NewsRunInputs inputs{m_addresses.NewsFeed.isEmpty() ? m_globals.NewsLocation
                                                              : m_addresses.NewsFeed,
                               m_globals.ProgramFolder};
    NewsView* target = this;
    startWorker(QStringLiteral("TNewsThread"),
                [inputs, target](FeedFetcher& fetcher, HandOverGate& gate) {
                    NewsViewProxy view(gate, *target);
                    runNews(inputs, fetcher, view);
                });
}

void NewsFeed::NTITLE1Click()
{
    m_services.OpenURL(m_globals.NewsLink1);
}

void NewsFeed::NTITLE2Click()
{
    m_services.OpenURL(m_globals.NewsLink2);
}

void NewsFeed::StartLoading()
{
    startLoading();
}

void NewsFeed::ClearNews()
{
    m_table.clear();
}

void NewsFeed::AddItems(const std::vector<NewsDocument::Item>& items)
{
    for (const NewsDocument::Item& item : items)
        m_table.add(item);
}

void NewsFeed::fillSlot(const Slot& slot, int row, QString& link)
{
    const NewsDocument::Item* item = m_table.slotRow(row);
    if (!item)
        throw FeedError(QStringLiteral("The news table is empty"));
    slot.time->setText(NewsTable::shownTime(item->Date, m_globals.TimeZone));
    slot.title->setEnabled(true);
    slot.title->setText(item->Title);
    slot.content->setText(readableText(item->Desc));
    link = item->Link;
}

void NewsFeed::ShowFirst()
{
    fillSlot(m_first, 0, m_globals.NewsLink1);
}

void NewsFeed::ShowSecond()
{
    fillSlot(m_second, 1, m_globals.NewsLink2);
    dataShown();
}

void NewsFeed::ShowOffline()
{
    announceFailure(QStringLiteral("Error of recieving News"),
                    QStringLiteral("Bad Internet Connetion\r\nPlease, check up connection to the "
                                   "Internet\r\nLast successful downloaded news used."));
}

void NewsFeed::ShowError()
{
    announceFailure(QStringLiteral("Error!"), QStringLiteral("Error of recieving News."));
}
