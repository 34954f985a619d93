#include "feeds/WeatherDocument.h"

#include "feeds/FeedError.h"
#include "feeds/UseXML.h"

namespace WeatherDocument {

namespace {

// The partner identifier and key the service issued for this program.
constexpr auto kRequestFormat = "/weather/local/%1?cc=*&dayf=1&prod=xoap&link=xoap"
                                "&par=4718203956&key=a3d9e1b07c52f84e&unit=%2";
constexpr auto kPagePath = "/outlook/travel/businesstraveler/local/";
constexpr int kLastIconCode = 47;

QString iconFolder(const QString& programFolder)
{
    return programFolder + QStringLiteral("Images/Weather/");
}

QString valueAt(const UseXML& xml, const char* element)
{
    return xml.XMLValue(
        {QStringLiteral("//weather"), QStringLiteral("//cc"), QString::fromLatin1(element)});
}

} // namespace

QString unitLetter(const QString& weatherUnits)
{
    return weatherUnits == QLatin1String("F") ? QStringLiteral("s") : QStringLiteral("m");
}

QString requestUrl(const QString& host, const QString& cityId, const QString& weatherUnits)
{
    // arg() would treat a "%1" inside the city id as a placeholder; build in parts.
    const QString path = QString::fromLatin1(kRequestFormat);
    const qsizetype city = path.indexOf(QLatin1String("%1"));
    const qsizetype unit = path.indexOf(QLatin1String("%2"));
    return QStringLiteral("http://") + host + path.left(city) + cityId +
           path.mid(city + 2, unit - city - 2) + unitLetter(weatherUnits);
}

QString pageUrl(const QString& siteHost, const QString& cityId)
{
    return QStringLiteral("http://") + siteHost + QString::fromLatin1(kPagePath) + cityId;
}

bool isWeatherDocument(const UseXML& xml)
{
    const pugi::xml_document& document = xml.document();
    return document.document_element() && document.select_node("//weather") &&
           document.select_node("//cc");
}

QString naIconFile(const QString& programFolder)
{
    return iconFolder(programFolder) + QStringLiteral("na.png");
}

QString iconFile(const QString& icon, const QString& programFolder)
{
    if (icon == QLatin1String("-"))
        return naIconFile(programFolder);
    bool ok = false;
    const int code = icon.toInt(&ok);
    if (!ok)
        throw FeedError(QStringLiteral("\"%1\" is not a valid integer value").arg(icon));
    if (code < 0 || code > kLastIconCode)
        return naIconFile(programFolder);
    return iconFolder(programFolder) + icon + QStringLiteral(".png");
}

Values read(const UseXML& xml, const QString& weatherUnits, const QString& programFolder)
{
    Values values;
    values.Temp = valueAt(xml, "//tmp") + QChar(0x00B0) + weatherUnits;
    values.Humidity = valueAt(xml, "//hmid") + QStringLiteral(" %");
    values.Icon = valueAt(xml, "//icon");
    values.IconFile = iconFile(values.Icon, programFolder);
    return values;
}

} // namespace WeatherDocument
