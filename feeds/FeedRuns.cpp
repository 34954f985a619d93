#include "feeds/FeedRuns.h"

#include "feeds/FeedError.h"
#include "feeds/FeedFetcher.h"
#include "feeds/FeedsLog.h"
#include "feeds/UseXML.h"

#include <QFile>

namespace {

void saveCache(const UseXML& xml, const QString& path)
{
    try {
        xml.XMLSave(path);
    } catch (const FeedError& error) {
        // The data is on show already; the next run tries again.
        qCWarning(lcFeeds).noquote() << error.what();
    }
}

NewsDocument::Reading readNews(const UseXML& xml)
{
    NewsDocument::Reading reading = NewsDocument::read(xml.document());
    if (reading.shape == NewsDocument::Shape::Unknown)
        throw FeedError(QStringLiteral("The document is neither an RSS nor an RDF feed"));
    return reading;
}

// Fills the table and the slots; throws when the feed stopped at a bad item
// or had none, after the items before it went into the table.
void showNews(const NewsDocument::Reading& reading, NewsView& view)
{
    view.ClearNews();
    view.AddItems(reading.items);
    if (!reading.error.isEmpty())
        throw FeedError(reading.error);
    if (reading.items.empty())
        throw FeedError(QStringLiteral("The feed holds no item"));
}

} // namespace

QString weatherCacheFile(const QString& programFolder)
{
    return programFolder + QStringLiteral("Weater.xml");
}

void runWeather(const WeatherRunInputs& inputs, FeedFetcher& fetcher, WeatherView& view)
{
    UseXML xml;
    xml.XMLInit();
    view.StartLoading();
    try {
        const QString cache = weatherCacheFile(inputs.ProgramFolder);
        if (fetcher.InternetAvailable()) {
            const QString url =
                WeatherDocument::requestUrl(inputs.WeatherHost, inputs.CityID, inputs.WeatherUnits);
            if (!xml.XMLLoad(url, fetcher))
                throw FeedError(xml.lastError());
            if (!WeatherDocument::isWeatherDocument(xml))
                throw FeedError(QStringLiteral("The answer holds no current conditions"));
            const WeatherDocument::Values values =
                WeatherDocument::read(xml, inputs.WeatherUnits, inputs.ProgramFolder);
            // Only an answer that reads well replaces the last good one.
            saveCache(xml, cache);
            view.ShowWeather(values);
        } else {
            view.ShowOffline();
            if (!QFile::exists(cache))
                return;
            xml.XMLLoadFile(cache);
            view.ShowWeather(WeatherDocument::read(xml, inputs.WeatherUnits, inputs.ProgramFolder));
        }
    } catch (const std::exception& error) {
        qCWarning(lcFeeds).noquote() << "weather:" << error.what();
        view.ShowError();
    }
}

QString newsCacheFile(const QString& programFolder)
{
    return programFolder + QStringLiteral("News.xml");
}

void runNews(const NewsRunInputs& inputs, FeedFetcher& fetcher, NewsView& view)
{
    try {
        UseXML xml;
        const QString cache = newsCacheFile(inputs.ProgramFolder);
        if (fetcher.InternetAvailable()) {
            view.StartLoading();
            if (!xml.XMLLoad(inputs.NewsLocation, fetcher))
                throw FeedError(xml.lastError());
            const NewsDocument::Reading reading = readNews(xml);
            showNews(reading, view);
            // Kept only once the whole feed read well, so offline runs never
            // fall back on a feed they cannot show.
            saveCache(xml, cache);
            view.ShowFirst();
            view.ShowSecond();
        } else {
            if (!xml.XMLLoadFile(cache))
                throw FeedError(xml.lastError());
            showNews(readNews(xml), view);
            view.ShowFirst();
            view.ShowSecond();
            view.ShowOffline();
        }
    } catch (const std::exception& error) {
        qCWarning(lcFeeds).noquote() << "news:" << error.what();
        view.ShowError();
    }
}

QString advertUrl(const QString& advertHost)
{
    return QStringLiteral("http://") + advertHost + QStringLiteral("/lfdesktop/advert/index.php");
}

QString advertCacheFile(const QString& programFolder)
{
    return programFolder + QStringLiteral("Adv.xml");
}

void runAdverts(const AdvertRunInputs& inputs, FeedFetcher& fetcher, AdvertView& view)
{
    if (!fetcher.InternetAvailable()) {
        view.StopLoading();
        return;
    }
    UseXML xml;
    try {
        if (!xml.XMLLoad(advertUrl(inputs.AdvertHost), fetcher))
            throw FeedError(xml.lastError());
        view.ShowAds(AdvertDocument::read(xml.document()));
    } catch (const std::exception& error) {
        qCWarning(lcFeeds).noquote() << "adverts:" << error.what();
        view.ShowError();
        return;
    }
    saveCache(xml, advertCacheFile(inputs.ProgramFolder));
}
