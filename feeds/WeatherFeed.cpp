#include "feeds/WeatherFeed.h"

#include "app/LFGlobals.h"
#include "feeds/FeedLabel.h"
#include "feeds/FeedRules.h"
#include "shell/SidebarServices.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>

namespace {

// Runs the hand-overs of a worker on the user-interface thread.
class WeatherViewProxy : public WeatherView
{
public:
    WeatherViewProxy(HandOverGate& gate, WeatherView& target) : m_gate(gate), m_target(target) {}
    void StartLoading() override
    {
        m_gate.call([&] { m_target.StartLoading(); });
    }
    void ShowWeather(const WeatherDocument::Values& values) override
    {
        m_gate.call([&] { m_target.ShowWeather(values); });
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
    WeatherView& m_target;
};

QLabel* addLabel(QWidget* panel, const char* name, QRect geometry, const QString& text = {})
{
    auto* label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    // Values come from the service's answer: never interpreted as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

WeatherFeed::WeatherFeed(LFGlobals& globals, SidebarServices& services, ServiceAddresses addresses,
                         QWidget* panel, QMenu* optionMenu, QObject* parent)
    : FeedPanel(globals, services, std::move(addresses), panel, optionMenu,
                {"WeatherTimer", 1500, "WeatherIsLoadingTimer", "WIsLoading", QRect(70, 6, 90, 14),
                 "WRetrieve", "Retrieve Weather NOW!", "WConfigure", true},
                parent)
{
    addLabel(panel, "TodayLabel", QRect(10, 6, 60, 14), QStringLiteral("Today:"));
    m_temp = addLabel(panel, "TempLabel", QRect(10, 22, 120, 34), QStringLiteral("--"));
    QFont large = m_temp->font();
    large.setPixelSize(26);
    large.setBold(true);
    m_temp->setFont(large);
    m_temp->setStyleSheet(QStringLiteral("color: rgb(47, 91, 162);"));
    addLabel(panel, "HumaLabel", QRect(10, 60, 60, 14), QStringLiteral("Humidity:"));
    m_humidity = addLabel(panel, "HumidLabel", QRect(70, 60, 60, 14), QStringLiteral("--"));
    m_picture = addLabel(panel, "WeatherPIC", QRect(140, 18, 54, 54));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setAccessibleName(QStringLiteral("Weather conditions"));
    auto* expand = new FeedLabel(QStringLiteral("WExpand"), QRect(150, 70, 55, 14), panel, true);
    expand->setText(QStringLiteral("[expand]"));
    connect(expand, &FeedLabel::clicked, this, &WeatherFeed::WExpandClick);
    indicatorLabel()->raise();
}

int WeatherFeed::laterInterval() const
{
    return FeedRules::downloadInterval(m_globals.WeatherInterval, kDefaultInterval);
}

void WeatherFeed::startRun()
{
    const WeatherRunInputs inputs{m_globals.CityID, m_globals.WeatherUnits, m_globals.ProgramFolder,
                                  m_addresses.WeatherHost};
    WeatherView* target = this;
    startWorker(QStringLiteral("TWeatherThread"),
                [inputs, target](FeedFetcher& fetcher, HandOverGate& gate) {
                    WeatherViewProxy view(gate, *target);
                    runWeather(inputs, fetcher, view);
                });
}

void WeatherFeed::WExpandClick()
{
    m_services.OpenURL(WeatherDocument::pageUrl(m_addresses.WeatherSiteHost, m_globals.CityID));
}

void WeatherFeed::StartLoading()
{
    startLoading();
}

void WeatherFeed::ShowWeather(const WeatherDocument::Values& values)
{
    m_temp->setText(values.Temp);
    m_humidity->setText(values.Humidity);
    QPixmap picture(values.IconFile);
    if (picture.isNull())
        picture.load(WeatherDocument::naIconFile(m_globals.ProgramFolder));
    m_picture->setPixmap(picture);
    m_picture->setAccessibleDescription(values.Icon);
    dataShown();
}

void WeatherFeed::ShowOffline()
{
    announceFailure(QStringLiteral("Error of recieving weather!"),
                    QStringLiteral("Bad connection to Internet\r\nPlease, check up connection to "
                                   "the Internet.\r\nLast successful downloaded weather used."));
}

void WeatherFeed::ShowError()
{
    announceFailure(QStringLiteral("Error!"), QStringLiteral("Error of recieving weather."));
}
