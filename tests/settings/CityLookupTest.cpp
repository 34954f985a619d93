#include "app/CityLookup.h"

#include "app/LFGlobals.h"
#include "app/SettingsForm.h"
#include "feeds/FeedError.h"
#include "feeds/FeedFetcher.h"
#include "shell/SidebarServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMutex>
#include <QMutexLocker>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// The weather service's stand-in; called on the search's worker thread.
class FakeWeatherService : public FeedFetcher
{
public:
    FakeWeatherService(bool online, QByteArray answer)
        : m_online(online), m_answer(std::move(answer))
    {}
    bool InternetAvailable() override { return m_online; }
    QByteArray download(const QString& url) override
    {
        QMutexLocker locker(&m_mutex);
        m_requested << url;
        return m_answer;
    }
    QStringList requested()
    {
        QMutexLocker locker(&m_mutex);
        return m_requested;
    }

private:
    const bool m_online;
    const QByteArray m_answer;
    QMutex m_mutex;
    QStringList m_requested;
};

class RecordingServices : public SidebarServices
{
public:
    void ShowBaloon(const QString& title, const QString& text, int icon, int timeout) override
    {
        balloons << QStringLiteral("%1|%2|%3|%4").arg(title, text).arg(icon).arg(timeout);
    }
    void OpenURL(const QString&) override {}
    QStringList balloons;
};

const QByteArray kTwoPlaces = "<?xml version=\"1.0\"?><search ver=\"2.0\">"
                              "<loc id=\"ABCD0001\" type=\"1\">Oakton, XX</loc>"
                              "<loc id=\"EFGH0002\" type=\"1\">Oakton Springs, YY</loc></search>";

} // namespace

TEST(CityLookupTest, RequestEncodesThePlace)
{
    EXPECT_EQ(CityLookup::requestAddress(QStringLiteral("127.0.0.1:8080"),
                                         QStringLiteral("London, UK&x=1")),
              QStringLiteral("http://127.0.0.1:8080/search/search?where=London%2C%20UK%26x%3D1"));
}

TEST(CityLookupTest, AnswerGivesOneLocationPerChild)
{
    const auto places = CityLookup::parseAnswer(
        "<search><loc id=\"ABCD0001\">Oakton, XX</loc><!-- note -->"
        "<loc>No Id</loc><loc id=\"AB1\"/><other id=\"X\"><b>Bold</b> place</other></search>");
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(CityLookup::entryText(places[0]), QStringLiteral("(ABCD0001) Oakton, XX"));
    EXPECT_EQ(CityLookup::entryText(places[1]), QStringLiteral("() No Id"));
    EXPECT_EQ(CityLookup::entryText(places[2]), QStringLiteral("(AB1) "));
    EXPECT_EQ(places[3].name, QStringLiteral("Bold"));
    EXPECT_TRUE(CityLookup::parseAnswer("<search/>").empty());
    for (const char* bad : {"", "not xml", "<search><loc>"})
        EXPECT_THROW(CityLookup::parseAnswer(bad), FeedError) << bad;
}

TEST(CityLookupTest, EntriesParseBack)
{
    CityLookup::Location location;
    ASSERT_TRUE(CityLookup::parseEntry(QStringLiteral("() No Id"), &location));
    EXPECT_EQ(location.id, QString());
    EXPECT_EQ(location.name, QStringLiteral("No Id"));
    EXPECT_FALSE(CityLookup::parseEntry(QStringLiteral("ABCD0001 Oakton"), &location));
}

class CitySearchTest : public ::testing::Test
{
protected:
    std::unique_ptr<SettingsForm> makeForm(std::shared_ptr<FakeWeatherService> service)
    {
        SettingsFormHooks hooks;
        hooks.weatherHost = QStringLiteral("weather.test");
        hooks.makeFetcher = [service]() -> std::unique_ptr<FeedFetcher> {
            // Each search gets its own fetcher; this one forwards to the shared stand-in.
            struct Forward : FeedFetcher
            {
                std::shared_ptr<FakeWeatherService> target;
                bool InternetAvailable() override { return target->InternetAvailable(); }
                QByteArray download(const QString& url) override { return target->download(url); }
            };
            auto forward = std::make_unique<Forward>();
            forward->target = service;
            return forward;
        };
        hooks.services = &services;
        hooks.showError = [this](const QString& text) {
            errors << text;
        };
        hooks.showInformation = [](const QString&) {
        };
        auto form = std::make_unique<SettingsForm>(globals, std::move(hooks));
        form->show();
        return form;
    }

    // Runs one search to its end, bounded.
    void search(SettingsForm& form, const QString& place)
    {
        form.findChild<QLineEdit*>(QStringLiteral("NeedCity"))->setText(place);
        QSignalSpy finished(&form, &SettingsForm::citySearchFinished);
        form.SearchCityClick();
        ASSERT_TRUE(finished.wait(10000));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    QStringList entries(SettingsForm& form)
    {
        QStringList texts;
        auto* list = form.findChild<QListWidget*>(QStringLiteral("List"));
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }

    LFGlobals globals;
    RecordingServices services;
    QStringList errors;
};

TEST_F(CitySearchTest, FoundPlacesAreListedAndNothingElseChanges)
{
    globals.CityID = QStringLiteral("OLD00001");
    globals.CityName = QStringLiteral("Old Town");
    auto service = std::make_shared<FakeWeatherService>(true, kTwoPlaces);
    auto form = makeForm(service);
    search(*form, QStringLiteral("Oakton, XX"));

    EXPECT_EQ(service->requested(), QStringList{QStringLiteral(
                                        "http://weather.test/search/search?where=Oakton%2C%20XX")});
    EXPECT_EQ(entries(*form), (QStringList{QStringLiteral("(ABCD0001) Oakton, XX"),
                                           QStringLiteral("(EFGH0002) Oakton Springs, YY")}));
    EXPECT_EQ(globals.CityID, QStringLiteral("OLD00001"));
    EXPECT_EQ(globals.CityName, QStringLiteral("Old Town"));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(services.balloons.isEmpty());

    form->findChild<QListWidget*>(QStringLiteral("List"))->setCurrentRow(1);
    form->UseThisClick();
    EXPECT_EQ(globals.CityID, QStringLiteral("EFGH0002"));
    EXPECT_EQ(globals.CityName, QStringLiteral("Oakton Springs, YY"));
}

TEST_F(CitySearchTest, OfflineAndBadAnswersKeepTheList)
{
    auto form = makeForm(std::make_shared<FakeWeatherService>(true, kTwoPlaces));
    search(*form, QStringLiteral("Oakton"));
    const QStringList before = entries(*form);
    ASSERT_EQ(before.size(), 2);

    auto offline = makeForm(std::make_shared<FakeWeatherService>(false, kTwoPlaces));
    offline->findChild<QListWidget*>(QStringLiteral("List"))->addItems(before);
    search(*offline, QStringLiteral("Oakton"));
    EXPECT_EQ(entries(*offline), before);
    EXPECT_EQ(services.balloons,
              QStringList{QStringLiteral("Error of recieving weather|Bad connection to "
                                         "Internet\r\nPlease, check up connection to the "
                                         "Internet|3|15")});

    auto broken = makeForm(std::make_shared<FakeWeatherService>(true, "<html><body>oops"));
    broken->findChild<QListWidget*>(QStringLiteral("List"))->addItems(before);
    search(*broken, QStringLiteral("Oakton"));
    EXPECT_EQ(entries(*broken), before);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().startsWith(QStringLiteral("The weather service's answer")));
}
