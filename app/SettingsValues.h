#pragma once

#include <QString>

// Every value of the settings file, with its default. Load fills one of these
// from the file; save writes one back. Where the running program keeps a value
// (a program-wide variable or a control's state) is the caller's business.
struct SettingsValues
{
    // [Weather]
    QString WeatherUnits = QStringLiteral("C");
    QString CityID;
    QString CityName;
    int WeatherInterval = 1200000;
    // [News]
    QString DefLanguage = QStringLiteral("Caribbean");
    int NewsUpdateInterval = 1200000;
    int TimeZone = 0;
    // [Search]
    int PagesPer = 15;
    // [Nodes]
    QString CurrNode = QStringLiteral("Put Your Text Here...");
    // [MainForm]
    bool ClockShowing = true;
    bool WeatherShowing = true;
    bool NewsShowing = true;
    bool AdShowing = true;
    bool RunWhithWindows = true;
    bool IsAppBar = true;
    // [Indexation]
    int IndexPrio = 1;
    // [Sheduler]
    QString PrevPeriod = QStringLiteral("PDay");
    bool ReminderEnable = true;

    bool operator==(const SettingsValues&) const = default;
};
