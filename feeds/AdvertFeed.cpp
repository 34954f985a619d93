#include "feeds/AdvertFeed.h"

#include "app/LFGlobals.h"
#include "feeds/FeedLabel.h"
#include "shell/SidebarServices.h"

namespace {

class AdvertViewProxy : public AdvertView
{
public:
    AdvertViewProxy(HandOverGate& gate, AdvertView& target) : m_gate(gate), m_target(target) {}
    void StopLoading() override
    {
        m_gate.call([&] { m_target.StopLoading(); });
    }
    void ShowAds(const AdvertDocument::Adverts& adverts) override
    {
        m_gate.call([&] { m_target.ShowAds(adverts); });
    }
    void ShowError() override
    {
        m_gate.call([&] { m_target.ShowError(); });
    }

private:
    HandOverGate& m_gate;
    AdvertView& m_target;
};

FeedLabel* addTitle(QWidget* panel, const char* name, int top)
{
    auto* title = new FeedLabel(QString::fromLatin1(name), QRect(10, top, 175, 14), panel, true);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setStyleSheet(QStringLiteral("color: rgb(47, 91, 162);"));
    title->setEnabled(false);
    return title;
}

} // namespace

AdvertFeed::AdvertFeed(LFGlobals& globals, SidebarServices& services, ServiceAddresses addresses,
                       QWidget* panel, QMenu* optionMenu, QObject* parent)
    : FeedPanel(globals, services, std::move(addresses), panel, optionMenu,
                {"AdTimer", 3000, "AIsLoadingTimer", "AIsLoading", QRect(120, 98, 70, 14),
                 "AdRetrieve", "Retrieve New Ads NOW!", "AConfigure", false},
                parent)
{
    m_title = addTitle(panel, "AdTitle", 8);
    m_body = new FeedLabel(QStringLiteral("AdBody"), QRect(10, 22, 195, 28), panel);
    m_title2 = addTitle(panel, "AdTitle2", 54);
    m_body2 = new FeedLabel(QStringLiteral("AdBody2"), QRect(10, 68, 195, 28), panel);
    connect(m_title, &FeedLabel::clicked, this, &AdvertFeed::AdTitleClick);
    connect(m_title2, &FeedLabel::clicked, this, &AdvertFeed::AdTitle2Click);
    indicatorLabel()->raise();
}

void AdvertFeed::startRun()
{
    startLoading();
    const AdvertRunInputs inputs{m_addresses.AdvertHost, m_globals.ProgramFolder};
    AdvertView* target = this;
    startWorker(QStringLiteral("TAdThread"),
                [inputs, target](FeedFetcher& fetcher, HandOverGate& gate) {
                    AdvertViewProxy view(gate, *target);
                    runAdverts(inputs, fetcher, view);
                });
}

void AdvertFeed::AdTitleClick()
{
    // An advert without a link (the second of a one-advert document) opens nothing.
    if (!m_globals.AdLink1.isEmpty())
        m_services.OpenURL(m_globals.AdLink1);
}

void AdvertFeed::AdTitle2Click()
{
    if (!m_globals.AdLink2.isEmpty())
        m_services.OpenURL(m_globals.AdLink2);
}

void AdvertFeed::StopLoading()
{
    stopLoading();
}

void AdvertFeed::ShowAds(const AdvertDocument::Adverts& adverts)
{
    m_title->setText(adverts.first.Title);
    m_title2->setText(adverts.second.Title);
    m_body->setText(adverts.first.Body);
    m_body2->setText(adverts.second.Body);
    m_globals.AdLink1 = adverts.first.Link;
    m_globals.AdLink2 = adverts.second.Link;
    m_title->setEnabled(true);
    m_title2->setEnabled(true);
    dataShown();
}

void AdvertFeed::ShowError()
{
    announceFailure(QStringLiteral("Error!"), QStringLiteral("Error of recieving advertizing!"));
}
