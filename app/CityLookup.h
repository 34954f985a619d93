#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class FeedFetcher;

// Finding the weather service's identifier of a place: the request, the
// answer's locations and the list entries "(" + id + ") " + name.
namespace CityLookup {

struct Location
{
    QString id;
    QString name;
};

struct Result
{
    enum class Outcome
    {
        Found,
        Offline,
        BadAnswer
    };
    Outcome outcome = Outcome::Found;
    std::vector<Location> locations;
    QString error;
};

// "http://" + host + "/search/search?where=" + the typed text percent-encoded.
QString requestAddress(const QString& host, const QString& place);
// One location per child of the root element: its "id" attribute and the
// text of its first child node. Throws FeedError when the answer is no XML
// document or has no root element.
std::vector<Location> parseAnswer(const QByteArray& answer);
QString entryText(const Location& location);
// The location of a list entry; false for text not of that form.
bool parseEntry(const QString& entry, Location* location);
// Probe, download and parse; never throws. Runs on a worker thread.
Result search(FeedFetcher& fetcher, const QString& address);

} // namespace CityLookup
