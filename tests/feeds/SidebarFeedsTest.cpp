#include "app/LFGlobals.h"
#include "feeds/FeedPanel.h"
#include "shell/MainForm.h"
#include "tests/feeds/FeedsTestSupport.h"
#include "tests/feeds/StandInServer.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The whole sidebar with its feeds pointed at stand-ins through [Services].
class SidebarFeedsTest : public ::testing::Test
{
protected:
    SidebarFeedsTest()
    {
        m_server.answer("/weather/local/ABCD0001", fixture("weather.xml"));
        m_server.answer("/news.rss", fixture("rss-real-world.xml"));
        m_server.answer("/lfdesktop/advert/index.php",
                        QByteArray("<ads><a><TITLE>Lanternfly Desktop 2 is out</TITLE><LINK>"
                                   "http://x/1</LINK><CONTENT>Faster search, new weather "
                                   "pictures and a calendar that remembers.</CONTENT></a><b>"
                                   "<TITLE>Tips and tricks</TITLE><LINK>http://x/2</LINK><CONTENT>"
                                   "Right-click any panel for its options.</CONTENT></b></ads>"));
        m_folder.write("Temp.ini", {});
        m_folder.write("lanternfly-desktop.INI",
                       QStringLiteral("[Weather]\nCityID=ABCD0001\n[News]\nTimeZone=2\n"
                                      "[Services]\nWeatherHost=%1\nAdvertHost=%1\n"
                                      "ProbeHost=127.0.0.1\nProbePort=%2\n"
                                      "NewsFeed=http://%1/news.rss\n")
                           .arg(m_server.host())
                           .arg(m_server.port())
                           .toUtf8());
        // The weather pictures the build ships beside the program.
        QDir(m_folder.path()).mkpath("Images/Weather");
        for (const char* name : {"30.png", "na.png"})
            QFile::copy(QStringLiteral(LF_BIN_DIR "/Images/Weather/") + name,
                        m_folder.filePath(QStringLiteral("Images/Weather/") + name));
    }

    std::unique_ptr<MainForm> start()
    {
        m_system = std::make_unique<FakeSystemInfo>(m_folder.filePath("lanternfly-desktop"));
        auto form = std::make_unique<MainForm>(m_globals, *m_system,
                                               m_folder.filePath("lanternfly-desktop.INI"));
        form->show();
        return form;
    }

    // Lets the timers fire and the workers finish, at most ms.
    static void runFeeds(MainForm& form, int ms)
    {
        QDeadlineTimer deadline(ms);
        const auto feeds = form.findChildren<FeedPanel*>();
        QTimer wake;
        wake.start(10);
        while (!deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            const bool started = std::all_of(feeds.begin(), feeds.end(), [](FeedPanel* feed) {
                return feed->downloadTimer()->interval() > 3000;
            });
            const bool idle = std::all_of(feeds.begin(), feeds.end(), [](FeedPanel* feed) {
                return feed->runningWorkers() == 0;
            });
            if (started && idle)
                break;
        }
        QApplication::processEvents();
    }

    QString text(MainForm& form, const char* name)
    {
        auto* label = form.findChild<QLabel*>(name);
        return label ? label->text() : QStringLiteral("(missing)");
    }

    TestFolder m_folder;
    StandInServer m_server;
    LFGlobals m_globals;
    std::unique_ptr<FakeSystemInfo> m_system;
};

TEST_F(SidebarFeedsTest, FeedsFillTheirPanelsAndTheOptionMenusReadInOrder)
{
    auto form = start();
    for (const char* menu : {"WeatherOpt", "NewsOpt", "AdverOpt"}) {
        QStringList items;
        for (QAction* action : form->findChild<QMenu*>(menu)->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        EXPECT_EQ(items.size(), 5) << menu;
        EXPECT_EQ(items.value(2), "Configure") << menu;
        EXPECT_EQ(items.value(4), "Close") << menu;
    }
    QString tab;
    QObject::connect(form.get(), &MainForm::settingsTabRequested,
                     [&](const QString& name) { tab = name; });
    form->findChild<QAction*>("NConfigure")->trigger();
    EXPECT_EQ(tab, "NewsTab");
    for (const char* timer : {"WeatherTimer", "NewsTimer", "AdTimer", "WeatherIsLoadingTimer",
                              "NewsIsLoadingTimer", "AIsLoadingTimer"})
        EXPECT_NE(form->findChild<QTimer*>(timer), nullptr) << timer;

    runFeeds(*form, 20000);
    EXPECT_EQ(text(*form, "TempLabel"), QString::fromUtf8("21°C"));
    EXPECT_EQ(text(*form, "HumidLabel"), "64 %");
    EXPECT_EQ(text(*form, "NTIME1"), "12:15");
    EXPECT_EQ(text(*form, "NTIME2"), "10:30");
    EXPECT_EQ(text(*form, "AdTitle"), "Lanternfly Desktop 2 is out");
    EXPECT_FALSE(form->findChild<QLabel*>("WeatherPIC")->pixmap().isNull());

    const QString shot = QStringLiteral(LF_BIN_DIR "/../tests/sidebar-feeds.png");
    EXPECT_TRUE(form->grab().save(shot)) << shot.toStdString();
    form->FormDestroy();
}

} // namespace
