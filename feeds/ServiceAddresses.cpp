#include "feeds/ServiceAddresses.h"

#include "app/IniDocument.h"
#include "feeds/FeedsLog.h"

#include <QFile>

namespace {

const QString kSection = QStringLiteral("Services");

void takeString(const IniDocument& ini, const QString& key, QString& target)
{
    const QString value = ini.readString(kSection, key, QString()).trimmed();
    if (!value.isEmpty())
        target = value;
}

} // namespace

ServiceAddresses ServiceAddresses::fromSettingsFile(const QString& settingsPath)
{
    ServiceAddresses addresses;
    QFile file(settingsPath);
    if (!file.open(QIODevice::ReadOnly))
        return addresses;
    const IniDocument ini = IniDocument::parse(file.readAll());
    takeString(ini, QStringLiteral("WeatherHost"), addresses.WeatherHost);
    takeString(ini, QStringLiteral("WeatherSiteHost"), addresses.WeatherSiteHost);
    takeString(ini, QStringLiteral("AdvertHost"), addresses.AdvertHost);
    takeString(ini, QStringLiteral("ProbeHost"), addresses.ProbeHost);
    takeString(ini, QStringLiteral("NewsFeed"), addresses.NewsFeed);
    const int port = ini.readInteger(kSection, QStringLiteral("ProbePort"), addresses.ProbePort);
    if (port > 0 && port <= 65535)
        addresses.ProbePort = port;
    else
        qCWarning(lcFeeds) << "ignoring ProbePort" << port << "of [Services]";
    return addresses;
}
