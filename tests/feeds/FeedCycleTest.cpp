#include "app/LFGlobals.h"
#include "feeds/AdvertFeed.h"
#include "feeds/NewsFeed.h"
#include "feeds/WeatherFeed.h"
#include "tests/feeds/FeedsTestSupport.h"
#include "tests/feeds/StandInServer.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const std::string kWeatherPath = "/weather/local/ABCD0001";
const std::string kAdvertPath = "/lfdesktop/advert/index.php";

// Short limits so that a silent server costs the test half a second.
FetchLimits testLimits()
{
    FetchLimits limits;
    limits.connectTimeoutMs = 1000;
    limits.totalTimeoutMs = 600;
    limits.maxBytes = 64 * 1024;
    return limits;
}

class FeedCycleTest : public ::testing::Test
{
protected:
    FeedCycleTest()
    {
        m_globals.ProgramFolder = m_folder.path() + "/";
        m_globals.CityID = "ABCD0001";
        m_globals.WeatherUnits = "C";
        m_globals.TimeZone = 0;
        QDir(m_folder.path()).mkpath("Images/Weather");
        QImage icon(8, 8, QImage::Format_ARGB32);
        icon.fill(Qt::blue);
        icon.save(m_folder.filePath("Images/Weather/30.png"));
        icon.fill(Qt::gray);
        icon.save(m_folder.filePath("Images/Weather/na.png"));
    }

    ServiceAddresses addresses(bool online)
    {
        ServiceAddresses result;
        result.WeatherHost = m_server.host();
        result.WeatherSiteHost = "site.example";
        result.AdvertHost = m_server.host();
        result.ProbeHost = "127.0.0.1";
        result.ProbePort = online ? m_server.port() : StandInServer::closedPort();
        return result;
    }

    // Each feed gets a panel and an option menu of its own, as on the sidebar.
    template <class Feed> std::unique_ptr<Feed> make(bool online)
    {
        return makeWith<Feed>(addresses(online));
    }
    template <class Feed> std::unique_ptr<Feed> makeWith(const ServiceAddresses& target)
    {
        m_panels.push_back(std::make_unique<QWidget>());
        m_menus.push_back(std::make_unique<QMenu>());
        m_menus.back()->addAction("Close")->setObjectName("Close");
        auto feed = std::make_unique<Feed>(m_globals, m_services, target, m_panels.back().get(),
                                           m_menus.back().get(), nullptr);
        feed->downloadTimer()->stop(); // the test decides when a run starts
        feed->setFetchLimits(testLimits());
        return feed;
    }
    QMenu& menu() const { return *m_menus.back(); }

    // Processes events until the feed's workers have ended, at most ms.
    static bool settle(const FeedPanel& feed, int ms = 10000)
    {
        QTimer wake;
        wake.start(10);
        QDeadlineTimer deadline(ms);
        while (feed.runningWorkers() > 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        return feed.runningWorkers() == 0;
    }

    QString text(const char* name) const
    {
        const auto* found = label(name);
        return found ? found->text() : QString("(missing %1)").arg(name);
    }
    // The label of the feed made last that has one of that name.
    QLabel* label(const char* name) const
    {
        for (auto panel = m_panels.rbegin(); panel != m_panels.rend(); ++panel) {
            if (auto* found = (*panel)->findChild<QLabel*>(name))
                return found;
        }
        return nullptr;
    }

    TestFolder m_folder;
    LFGlobals m_globals;
    RecordingServices m_services;
    StandInServer m_server;
    std::vector<std::unique_ptr<QWidget>> m_panels;
    std::vector<std::unique_ptr<QMenu>> m_menus;
};

TEST_F(FeedCycleTest, WeatherOnlineShowsValuesAndKeepsTheAnswer)
{
    m_server.answer(kWeatherPath, fixture("weather.xml"));
    auto feed = make<WeatherFeed>(true);
    m_globals.NetErrorShown = true;
    feed->WeatherTimerTimer();
    ASSERT_TRUE(settle(*feed));

    EXPECT_EQ(text("TempLabel"), QString::fromUtf8("21°C"));
    EXPECT_EQ(text("HumidLabel"), "64 %");
    EXPECT_EQ(label("WeatherPIC")->pixmap().toImage().pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_TRUE(text("WIsLoading").isEmpty());
    EXPECT_FALSE(feed->indicatorTimer()->isActive());
    EXPECT_FALSE(m_globals.NetErrorShown);
    EXPECT_TRUE(m_services.balloons().empty());
    EXPECT_TRUE(QFile::exists(m_folder.filePath("Weater.xml")));
    ASSERT_EQ(m_server.requests().size(), 1);
    EXPECT_EQ(m_server.requests()[0],
              "/weather/local/ABCD0001?cc=*&dayf=1&prod=xoap&link=xoap&par=4718203956"
              "&key=a3d9e1b07c52f84e&unit=m");

    feed->WExpandClick();
    EXPECT_EQ(m_services.opened(),
              QStringList{"http://site.example/outlook/travel/businesstraveler/local/ABCD0001"});
}

TEST_F(FeedCycleTest, WeatherOfflineUsesTheCacheBesideTheProgram)
{
    m_folder.write("Weater.xml", fixture("weather.xml"));
    auto feed = make<WeatherFeed>(false);
    const QString elsewhere = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QDir::tempPath())); // an autostart begins elsewhere
    feed->WeatherTimerTimer();
    ASSERT_TRUE(settle(*feed));
    QDir::setCurrent(elsewhere);

    EXPECT_EQ(text("TempLabel"), QString::fromUtf8("21°C"));
    EXPECT_EQ(m_services.titles(), QStringList{"Error of recieving weather!"});
    EXPECT_EQ(m_services.balloons()[0].text,
              "Bad connection to Internet\r\nPlease, check up connection to the Internet.\r\n"
              "Last successful downloaded weather used.");
    // The cached values counted as data shown: the next offline run tells again.
    EXPECT_FALSE(m_globals.NetErrorShown);
    feed->WeatherTimerTimer();
    ASSERT_TRUE(settle(*feed));
    EXPECT_EQ(m_services.balloons().size(), 2u);
}

TEST_F(FeedCycleTest, OneNoticeAcrossFeedsUntilDataIsShownAgain)
{
    auto weather = make<WeatherFeed>(false);
    auto news = make<NewsFeed>(false);
    weather->WeatherTimerTimer();
    ASSERT_TRUE(settle(*weather));
    weather->WeatherTimerTimer();
    ASSERT_TRUE(settle(*weather));
    news->NewsTimerTimer(); // no cache either: an error, but silent now
    ASSERT_TRUE(settle(*news));
    EXPECT_EQ(m_services.titles(), QStringList{"Error of recieving weather!"});
    EXPECT_EQ(text("TempLabel"), "--");
    EXPECT_TRUE(m_globals.NetErrorShown);

    // A successful run re-arms the notice.
    weather.reset();
    m_server.answer(kWeatherPath, fixture("weather.xml"));
    weather = make<WeatherFeed>(true);
    weather->WeatherTimerTimer();
    ASSERT_TRUE(settle(*weather));
    EXPECT_FALSE(m_globals.NetErrorShown);
    m_server.answer(kWeatherPath, StandInServer::Answer{500, "oops"});
    weather->WeatherTimerTimer();
    ASSERT_TRUE(settle(*weather));
    EXPECT_EQ(m_services.titles(), (QStringList{"Error of recieving weather!", "Error!"}));
    EXPECT_EQ(m_services.balloons()[1].text, "Error of recieving weather.");
}

TEST_F(FeedCycleTest, BadWeatherAnswersNeverReplaceAGoodCache)
{
    const QByteArray good = fixture("weather.xml");
    SilentServer silent;
    const struct
    {
        const char* what;
        StandInServer::Answer answer;
        bool silentHost;
    } cases[] = {
        {"empty", {200, ""}, false},
        {"html", {200, "<html><body>Maintenance<br></body></html>", "text/html"}, false},
        {"error document", {200, "<error><err>Invalid key</err></error>"}, false},
        {"truncated", {200, good.left(good.size() / 2)}, false},
        {"too large",
         {200, "<weather><cc>" + QByteArray(200 * 1024, ' ') + "</cc></weather>"},
         false},
        {"server error", {503, good}, false},
        {"bad icon", {200, "<weather><cc><tmp>1</tmp><icon>sun</icon></cc></weather>"}, false},
        {"never answers", {}, true},
    };
    for (const auto& c : cases) {
        m_folder.write("Weater.xml", good);
        m_globals.NetErrorShown = false;
        m_server.answer(kWeatherPath, c.answer);
        ServiceAddresses target = addresses(true);
        if (c.silentHost)
            target.WeatherHost = silent.host();
        auto feed = makeWith<WeatherFeed>(target);
        QElapsedTimer clock;
        clock.start();
        feed->WeatherTimerTimer();
        ASSERT_TRUE(settle(*feed)) << c.what;
        EXPECT_LT(clock.elapsed(), 5000) << c.what;
        EXPECT_EQ(m_folder.read("Weater.xml"), good) << c.what;
        EXPECT_EQ(text("TempLabel"), "--") << c.what;
        EXPECT_TRUE(m_globals.NetErrorShown) << c.what;
        EXPECT_EQ(m_services.titles().value(m_services.titles().size() - 1), "Error!") << c.what;
    }
}

TEST_F(FeedCycleTest, RedirectsAreFollowed)
{
    m_server.answer("/moved.xml", fixture("weather.xml"));
    StandInServer::Answer redirect{302, ""};
    redirect.location = "/moved.xml";
    m_server.answer(kWeatherPath, redirect);
    auto feed = make<WeatherFeed>(true);
    feed->WeatherTimerTimer();
    ASSERT_TRUE(settle(*feed));
    EXPECT_EQ(text("TempLabel"), QString::fromUtf8("21°C"));
}

TEST_F(FeedCycleTest, NewsShowsTheTwoNewestWithTheUsersZone)
{
    m_server.answer("/world.rss", fixture("rss-real-world.xml"));
    m_globals.NewsLocation = QString("http://%1/world.rss").arg(m_server.host());
    m_globals.TimeZone = 3;
    auto feed = make<NewsFeed>(true);
    EXPECT_FALSE(label("NTITLE1")->isEnabled());
    feed->NewsTimerTimer();
    ASSERT_TRUE(settle(*feed));

    // 10:15 and 08:30 in the feed (the zone of the feed is ignored).
    EXPECT_EQ(text("NTIME1"), "13:15");
    EXPECT_EQ(text("NTITLE1"), QString::fromUtf8("Größte Brücke der Stadt eröffnet — 橋"));
    EXPECT_EQ(text("NCONTENT1"), "Ceremony at dawn");
    EXPECT_EQ(text("NTIME2"), "11:30");
    EXPECT_EQ(text("NTITLE2"), "Rivers riseacross the valley");
    EXPECT_TRUE(label("NTITLE1")->isEnabled());
    EXPECT_EQ(m_globals.NewsLink1, "http://news.example.org/world/2");
    EXPECT_EQ(feed->newsTable().rows().size(), 3u);
    EXPECT_TRUE(QFile::exists(m_folder.filePath("News.xml")));
    EXPECT_TRUE(m_services.balloons().empty());
    feed->NTITLE2Click();
    EXPECT_EQ(m_services.opened(), QStringList{"http://news.example.org/world/1"});

    // A user's own feed from [Services] stands in for the language's.
    m_server.answer("/mine.rdf", fixture("rdf-real-world.xml"));
    ServiceAddresses own = addresses(true);
    own.NewsFeed = QString("http://%1/mine.rdf").arg(m_server.host());
    feed.reset();
    auto mine = makeWith<NewsFeed>(own);
    mine->NewsTimerTimer();
    ASSERT_TRUE(settle(*mine));
    EXPECT_EQ(text("NTITLE1"), "Zweite Meldung");
    EXPECT_EQ(text("NTIME1"), "14:45");
}

TEST_F(FeedCycleTest, NewsFailuresKeepTheSlotsAndTheCache)
{
    m_server.answer("/feed", fixture("rss-real-world.xml"));
    m_globals.NewsLocation = QString("http://%1/feed").arg(m_server.host());
    auto feed = make<NewsFeed>(true);
    feed->NewsTimerTimer();
    ASSERT_TRUE(settle(*feed));
    const QByteArray cache = m_folder.read("News.xml");
    ASSERT_FALSE(cache.isEmpty());

    for (const char* answer : {
             "<feed xmlns=\"http://www.w3.org/2005/Atom\"><entry><title>x</title></entry></feed>",
             "<rss><channel><item><title>x</title></item></channel></rss>",
             "<rss><channel/></rss>",
             "not xml at all",
         }) {
        m_globals.NetErrorShown = false;
        m_server.answer("/feed", QByteArray(answer));
        feed->NewsTimerTimer();
        ASSERT_TRUE(settle(*feed)) << answer;
        EXPECT_EQ(m_services.titles().value(m_services.titles().size() - 1), "Error!") << answer;
        EXPECT_EQ(text("NTIME1"), "10:15") << answer;
        EXPECT_EQ(m_globals.NewsLink1, "http://news.example.org/world/2") << answer;
        EXPECT_EQ(m_folder.read("News.xml"), cache) << answer;
        EXPECT_TRUE(text("NIsLoading").isEmpty()) << answer;
        EXPECT_FALSE(feed->indicatorTimer()->isActive()) << answer;
    }

    // Offline: the cached headlines, then the offline notice.
    feed.reset();
    m_globals.NetErrorShown = false;
    auto offline = make<NewsFeed>(false);
    offline->NewsTimerTimer();
    ASSERT_TRUE(settle(*offline));
    EXPECT_EQ(text("NTIME1"), "10:15");
    EXPECT_EQ(m_services.titles().value(m_services.titles().size() - 1), "Error of recieving News");
    EXPECT_TRUE(m_globals.NetErrorShown);
}

TEST_F(FeedCycleTest, AdvertsShowTheFirstTwoAndOfflineShowsNothing)
{
    m_server.answer(kAdvertPath,
                    QByteArray("<ads><a><TITLE>One</TITLE><LINK>http://x/1</LINK><CONTENT>Body 1"
                               "</CONTENT></a><b><TITLE>Two</TITLE><LINK>http://x/2</LINK>"
                               "<CONTENT>Body 2</CONTENT></b><c><TITLE>Three</TITLE><LINK>l"
                               "</LINK><CONTENT>c</CONTENT></c></ads>"));
    auto offline = make<AdvertFeed>(false);
    offline->AdTimerTimer();
    EXPECT_TRUE(offline->indicatorTimer()->isActive());
    ASSERT_TRUE(settle(*offline));
    EXPECT_FALSE(offline->indicatorTimer()->isActive());
    EXPECT_FALSE(label("AdTitle")->isEnabled());
    EXPECT_TRUE(m_services.balloons().empty());
    EXPECT_FALSE(QFile::exists(m_folder.filePath("Adv.xml")));
    offline.reset();

    auto feed = make<AdvertFeed>(true);
    feed->AdTimerTimer();
    EXPECT_EQ(feed->downloadTimer()->interval(), 600000);
    ASSERT_TRUE(settle(*feed));
    EXPECT_EQ(text("AdTitle"), "One");
    EXPECT_EQ(text("AdBody"), "Body 1");
    EXPECT_EQ(text("AdTitle2"), "Two");
    EXPECT_EQ(text("AdBody2"), "Body 2");
    EXPECT_TRUE(label("AdTitle2")->isEnabled());
    EXPECT_TRUE(QFile::exists(m_folder.filePath("Adv.xml")));

    m_server.answer(kAdvertPath,
                    QByteArray("<ads><a><TITLE>Only</TITLE><LINK>http://x/o</LINK><CONTENT>B"
                               "</CONTENT></a></ads>"));
    feed->AdTimerTimer();
    ASSERT_TRUE(settle(*feed));
    EXPECT_EQ(text("AdTitle"), "Only");
    EXPECT_TRUE(text("AdTitle2").isEmpty());
    feed->AdTitle2Click(); // no link: nothing opens
    feed->AdTitleClick();
    EXPECT_EQ(m_services.opened(), QStringList{"http://x/o"});

    m_server.answer(kAdvertPath, QByteArray("<ads/>"));
    feed->AdTimerTimer();
    ASSERT_TRUE(settle(*feed));
    EXPECT_EQ(text("AdTitle"), "Only");
    EXPECT_EQ(m_services.titles(), QStringList{"Error!"});
    EXPECT_EQ(m_services.balloons()[0].text, "Error of recieving advertizing!");
}

TEST_F(FeedCycleTest, OptionMenuTimersAndOverlappingRuns)
{
    m_server.answer(kWeatherPath, StandInServer::Answer{200, fixture("weather.xml"), "text/xml",
                                                        std::chrono::milliseconds(150)});
    auto feed = make<WeatherFeed>(true);
    QStringList items;
    for (QAction* action : menu().actions())
        items << (action->isSeparator() ? "-" : action->objectName());
    EXPECT_EQ(items, (QStringList{"WRetrieve", "-", "WConfigure", "-", "Close"}));
    EXPECT_EQ(menu().findChild<QAction*>("WRetrieve")->text(), "Retrieve Weather NOW!");

    bool configure = false;
    QObject::connect(feed.get(), &FeedPanel::configureRequested, [&] { configure = true; });
    menu().findChild<QAction*>("WConfigure")->trigger();
    EXPECT_TRUE(configure);

    menu().findChild<QAction*>("WRetrieve")->trigger();
    EXPECT_TRUE(feed->downloadTimer()->isActive());
    EXPECT_EQ(feed->downloadTimer()->interval(), 50);
    feed->downloadTimer()->stop();

    m_globals.WeatherInterval = 500; // too short: the default
    feed->WeatherTimerTimer();
    EXPECT_EQ(feed->downloadTimer()->interval(), 1200000);
    m_globals.WeatherInterval = 5000;
    feed->WeatherTimerTimer();
    EXPECT_EQ(feed->downloadTimer()->interval(), 5000);
    EXPECT_EQ(feed->runningWorkers(), 2); // two runs at once, each with its own document
    EXPECT_TRUE(feed->indicatorTimer()->isActive() || feed->runningWorkers() == 2);
    ASSERT_TRUE(settle(*feed));
    EXPECT_EQ(text("TempLabel"), QString::fromUtf8("21°C"));
    EXPECT_EQ(m_server.requests().size(), 2);

    auto ads = make<AdvertFeed>(true);
    EXPECT_FALSE(menu().findChild<QAction*>("AConfigure")->isEnabled());
}

TEST_F(FeedCycleTest, IndicatorBlinksWhileARunGoesOn)
{
    auto feed = make<WeatherFeed>(true);
    feed->indicatorTimerTimer();
    EXPECT_EQ(text("WIsLoading"), "Loading...");
    feed->indicatorTimerTimer();
    EXPECT_EQ(text("WIsLoading"), "");
}

TEST_F(FeedCycleTest, ExitWhileAWorkerWaitsOnASilentServer)
{
    SilentServer silent;
    ServiceAddresses target = addresses(true);
    target.WeatherHost = silent.host();
    auto feed = makeWith<WeatherFeed>(target);
    feed->setFetchLimits({}); // default limits: the run would wait 30 s
    feed->WeatherTimerTimer();
    QCoreApplication::processEvents();
    ASSERT_EQ(feed->runningWorkers(), 1);
    QElapsedTimer clock;
    clock.start();
    feed.reset();
    // The worker was told to stop and did, without reaching the gone panel.
    EXPECT_LT(clock.elapsed(), FeedWorkers::kShutdownWaitMs);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_services.balloons().empty());
}

} // namespace
