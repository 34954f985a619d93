#include "app/SettingsStore.h"

#include "app/IniDocument.h"
#include "app/LFGlobals.h"
#include "app/NewsLocationsTable.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const char kFreshFile[] = "[Weather]\n"
                          "WeatherUnits=C\n"
                          "CityID=\n"
                          "CityName=\n"
                          "WeatherInterval=1200000\n"
                          "\n"
                          "[News]\n"
                          "DefLanguage=Caribbean\n"
                          "NewsUpdateInterval=1200000\n"
                          "TimeZone=0\n"
                          "\n"
                          "[Search]\n"
                          "PagesPer=15\n"
                          "\n"
                          "[Nodes]\n"
                          "CurrNode=Put Your Text Here...\n"
                          "\n"
                          "[MainForm]\n"
                          "ClockShowing=1\n"
                          "WeatherShowing=1\n"
                          "NewsShowing=1\n"
                          "AdShowing=1\n"
                          "RunWhithWindows=1\n"
                          "IsAppBar=1\n"
                          "\n"
                          "[Indexation]\n"
                          "IndexPrio=1\n"
                          "\n"
                          "[Sheduler]\n"
                          "PrevPeriod=PDay\n"
                          "ReminderEnable=1\n";

TEST(SettingsStoreTest, MissingFileGivesDefaultsAndSaveWritesTheFreshLayout)
{
    TestFolder folder;
    const QString path = folder.filePath("lanternfly-desktop.INI");
    const SettingsValues values = SettingsStore::load(path);
    EXPECT_EQ(values, SettingsValues{});

    LFGlobals globals;
    globals.assignSettings(values);
    EXPECT_EQ(globals.NewsLocation, *NewsLocationsTable::locationOf("Caribbean"));

    SettingsStore::save(path, values);
    EXPECT_EQ(folder.read("lanternfly-desktop.INI").toStdString(), kFreshFile);
}

TEST(SettingsStoreTest, RoundTripAndExistingOrderKept)
{
    TestFolder folder;
    const QString path = folder.filePath("x.INI");
    folder.write("x.INI", "[Sheduler]\r\nReminderEnable=0\r\n[Weather]\r\nCityName=Paris\r\n"
                          "WeatherInterval=0x4B0\r\n[Services]\r\nNewsFeed=http://127.0.0.1/f\r\n");
    SettingsValues values = SettingsStore::load(path);
    EXPECT_FALSE(values.ReminderEnable);
    EXPECT_EQ(values.CityName, "Paris");
    EXPECT_EQ(values.WeatherInterval, 1200);

    values.CityName = QString::fromUtf8("K\xC3\xB8"
                                        "benhavn");
    values.CurrNode = "";
    values.TimeZone = -5;
    SettingsStore::save(path, values);
    const QByteArray saved = folder.read("x.INI");
    EXPECT_TRUE(saved.startsWith("[Sheduler]\nReminderEnable=0\nPrevPeriod=PDay\n[Weather]\n"
                                 "CityName=K\xC3\xB8"
                                 "benhavn\nWeatherInterval=1200\n"
                                 "WeatherUnits=C\nCityID=\n[Services]\n"))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains("[Services]\nNewsFeed=http://127.0.0.1/f\n"));
    EXPECT_TRUE(saved.contains("\nCurrNode=\n"));
    EXPECT_EQ(SettingsStore::load(path), values);
}

TEST(SettingsStoreTest, UnknownLanguageLeavesNewsLocationAlone)
{
    SettingsValues values;
    values.DefLanguage = "Klingon";
    LFGlobals globals;
    globals.assignSettings(values);
    EXPECT_TRUE(globals.NewsLocation.isEmpty());
    globals.NewsLocation = "kept";
    globals.assignSettings(values);
    EXPECT_EQ(globals.NewsLocation, "kept");
}

TEST(SettingsStoreTest, NewsTableHasTheLanguagesInStoredOrder)
{
    const auto rows = NewsLocationsTable::storedRows();
    ASSERT_EQ(rows.size(), 26u);
    EXPECT_STREQ(rows.front().language, "Caribbean");
    EXPECT_STREQ(rows[12].language, "Portuguese Africa");
    EXPECT_STREQ(rows.back().language, "World");
    for (const auto& row : rows)
        EXPECT_TRUE(QString::fromLatin1(row.location).startsWith("http")) << row.language;
    EXPECT_EQ(NewsLocationsTable::languagesSorted().front(), "Albanian");
}

TEST(SettingsStoreTest, FailedSaveLeavesTheOldFileByteForByte)
{
    TestFolder folder;
    const QString path = folder.filePath("x.INI");
    const QByteArray before = "[Weather]\nCityName=Old\n; mine\n";
    folder.write("x.INI", before);
    SettingsValues values;
    values.CityName = "New";

    // A read-only file is not replaced behind the user's back (whoever runs us).
    ::chmod(QFile::encodeName(path).constData(), 0444);
    EXPECT_THROW(SettingsStore::save(path, values), SettingsWriteError);
    EXPECT_EQ(folder.read("x.INI"), before);
    ::chmod(QFile::encodeName(path).constData(), 0644);

    // A write that fails half-way (here the file size limit, as a full disk would).
    struct rlimit saved = {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    QString message;
    try {
        SettingsStore::save(path, values);
    } catch (const SettingsWriteError& error) {
        message = error.message();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, "Unable to write to " + path);
    EXPECT_EQ(folder.read("x.INI"), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"x.INI"})
        << "no temporary file left behind";
}

TEST(SettingsStoreTest, SettingsFileFollowsTheExecutableName)
{
    EXPECT_EQ(SettingsStore::settingsPathFor("/opt/lf/lanternfly-desktop"),
              "/opt/lf/lanternfly-desktop.INI");
    EXPECT_EQ(SettingsStore::settingsPathFor("/opt/l.f/side.bin"), "/opt/l.f/side.INI");
}

} // namespace
