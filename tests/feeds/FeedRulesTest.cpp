#include "feeds/FeedRules.h"

#include "feeds/ServiceAddresses.h"
#include "tests/feeds/FeedsTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(FeedRulesTest, StoredIntervalsFromOneSecondUp)
{
    const struct
    {
        int stored;
        int expected;
    } cases[] = {{1200000, 1200000}, {1000, 1000}, {999, 600}, {0, 600}, {-5, 600}, {60000, 60000}};
    for (const auto& c : cases)
        EXPECT_EQ(FeedRules::downloadInterval(c.stored, 600), c.expected) << c.stored;
}

TEST(FeedRulesTest, OneNoticeUntilSomeFeedShowsData)
{
    RecordingServices services;
    bool netErrorShown = false;
    EXPECT_TRUE(FeedRules::announceFailure(netErrorShown, services, "Error!", "first"));
    EXPECT_FALSE(FeedRules::announceFailure(netErrorShown, services, "Error!", "second"));
    netErrorShown = false; // a feed showed data
    EXPECT_TRUE(FeedRules::announceFailure(netErrorShown, services, "Other", "third"));
    ASSERT_EQ(services.balloons().size(), 2u);
    EXPECT_EQ(services.balloons()[0].text, "first");
    EXPECT_EQ(services.balloons()[0].icon, 3);
    EXPECT_EQ(services.balloons()[0].timeout, 15);
    EXPECT_EQ(services.balloons()[1].title, "Other");
}

TEST(FeedRulesTest, ServicesSectionOverridesTheDefaults)
{
    TestFolder folder;
    const ServiceAddresses defaults;
    EXPECT_EQ(ServiceAddresses::fromSettingsFile(folder.filePath("absent.INI")).WeatherHost,
              defaults.WeatherHost);

    folder.write("a.INI", "[Weather]\nCityID=X\n[services]\nWeatherHost = 127.0.0.1:8123\n"
                          "AdvertHost=\"ads.local\"\nProbeHost=127.0.0.1\nProbePort=0x1F90\n"
                          "NewsFeed=http://127.0.0.1:8123/my.rss\n");
    const auto set = ServiceAddresses::fromSettingsFile(folder.filePath("a.INI"));
    EXPECT_EQ(set.WeatherHost, "127.0.0.1:8123");
    EXPECT_EQ(set.WeatherSiteHost, defaults.WeatherSiteHost);
    EXPECT_EQ(set.AdvertHost, "ads.local");
    EXPECT_EQ(set.ProbeHost, "127.0.0.1");
    EXPECT_EQ(set.ProbePort, 8080);
    EXPECT_EQ(set.NewsFeed, "http://127.0.0.1:8123/my.rss");

    folder.write("b.INI", "[Services]\nProbePort=70000\nWeatherHost=\n");
    const auto bad = ServiceAddresses::fromSettingsFile(folder.filePath("b.INI"));
    EXPECT_EQ(bad.ProbePort, 80);
    EXPECT_EQ(bad.WeatherHost, defaults.WeatherHost);
}

} // namespace
