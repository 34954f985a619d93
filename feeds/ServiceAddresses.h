#pragma once

#include <QString>

// Where the feeds go. Our own defaults, each overridable in the optional,
// hand-edited section [Services] of the settings file (never written by the
// program), so a user can point a feed elsewhere and tests at local stand-ins.
struct ServiceAddresses
{
    // "host" or "host:port"; requests go to "http://" + host + the path.
    QString WeatherHost = QStringLiteral("xml.weather.lanternfly-desktop.net");
    QString WeatherSiteHost = QStringLiteral("weather.lanternfly-desktop.net");
    QString AdvertHost = QStringLiteral("www.lanternfly-desktop.net");
    // The connectivity probe's target: a public address that accepts port 80.
    QString ProbeHost = QStringLiteral("1.1.1.1");
    int ProbePort = 80;
    // A whole feed address used instead of the chosen language's; empty: none.
    QString NewsFeed;

    // The defaults with whatever [Services] of the file at settingsPath sets.
    // A missing or unreadable file leaves the defaults.
    static ServiceAddresses fromSettingsFile(const QString& settingsPath);
};
