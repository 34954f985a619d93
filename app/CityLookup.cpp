#include "app/CityLookup.h"

#include "feeds/FeedError.h"
#include "feeds/FeedFetcher.h"
#include "feeds/UseXML.h"

#include <QUrl>

namespace CityLookup {

QString requestAddress(const QString& host, const QString& place)
{
    return QStringLiteral("http://") + host + QStringLiteral("/search/search?where=") +
           QString::fromLatin1(QUrl::toPercentEncoding(place));
}

std::vector<Location> parseAnswer(const QByteArray& answer)
{
    UseXML xml;
    if (!xml.XMLLoadBytes(answer) || xml.isEmpty())
        throw FeedError(QStringLiteral("The weather service's answer is not a list of places: ") +
                        xml.lastError());
    std::vector<Location> locations;
    for (const pugi::xml_node& child : xml.document().document_element().children()) {
        if (child.type() != pugi::node_element)
            continue;
        Location location;
        location.id = QString::fromUtf8(child.attribute("id").value());
        location.name = UseXML::textOf(child.first_child());
        locations.push_back(std::move(location));
    }
    return locations;
}

QString entryText(const Location& location)
{
    return QStringLiteral("(") + location.id + QStringLiteral(") ") + location.name;
}

bool parseEntry(const QString& entry, Location* location)
{
    // The id is taken whole from between the parentheses, whatever its length.
    const qsizetype close = entry.indexOf(QLatin1String(") "));
    if (!entry.startsWith(u'(') || close < 0)
        return false;
    location->id = entry.mid(1, close - 1);
    location->name = entry.mid(close + 2);
    return true;
}

Result search(FeedFetcher& fetcher, const QString& address)
{
    Result result;
    try {
        if (!fetcher.InternetAvailable()) {
            result.outcome = Result::Outcome::Offline;
            return result;
        }
        result.locations = parseAnswer(fetcher.download(address));
    } catch (const std::exception& error) {
        result.outcome = Result::Outcome::BadAnswer;
        result.error = QString::fromStdString(error.what());
    }
    return result;
}

} // namespace CityLookup
