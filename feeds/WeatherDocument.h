#pragma once

#include <QString>

class UseXML;

// The weather service's request and the three values read from its answer.
namespace WeatherDocument {

// "http://" + host + the current-conditions path for cityId (as stored, not
// escaped) in the unit letter for weatherUnits: "s" for "F", "m" otherwise.
QString requestUrl(const QString& host, const QString& cityId, const QString& weatherUnits);
QString unitLetter(const QString& weatherUnits);
// The service's web page of the city.
QString pageUrl(const QString& siteHost, const QString& cityId);

// True when the document has the weather and cc elements the values come from;
// only such a document may replace the cache.
bool isWeatherDocument(const UseXML& xml);

struct Values
{
    QString Temp;     // e.g. "21°C"
    QString Humidity; // e.g. "64 %"
    QString Icon;     // the code as read
    QString IconFile; // the picture to show
};

// Reads temperature, humidity and icon. Throws FeedError when the document
// lacks weather or cc, or when the icon code is not a whole number.
Values read(const UseXML& xml, const QString& weatherUnits, const QString& programFolder);

// The picture for an icon code: "-" and codes outside 0..47 get "na.png";
// other codes keep their text as read (a leading zero included). Throws
// FeedError for text that is not a whole number.
QString iconFile(const QString& icon, const QString& programFolder);
QString naIconFile(const QString& programFolder);

} // namespace WeatherDocument
