#pragma once

#include "app/SettingsValues.h"

#include <QString>

// The program-wide variables. One instance lives for the whole run and is
// handed to the windows that read it. Written on the user-interface thread
// only: workers take copies of what they need when they are created.
// Everything starts empty, zero or false; load fills the settings variables.
struct LFGlobals
{
    // Settings variables, named after their keys.
    QString CityID;
    QString CityName;
    QString WeatherUnits;
    int WeatherInterval = 0;
    int TimeZone = 0;
    QString DefLanguage;
    int NewsUpdateInterval = 0;
    int PagesPer = 0;
    bool RunWhithWindows = false;
    int IndexPrio = 0;
    bool IsAppBar = false;
    QString PrevPeriod;
    bool ReminderEnable = false;

    // The executable's folder, ending with a separator.
    QString ProgramFolder;
    // Feed address of the chosen news language; never stored.
    QString NewsLocation;
    // Search state of the results being shown.
    QString SearchQuery;
    QString SearchSort;
    int SearchPage = 0;
    // Links opened by clicking the headlines and adverts.
    QString NewsLink1;
    QString NewsLink2;
    QString AdLink1;
    QString AdLink2;
    int PictureIndex = 0;
    // A download failure was announced since a feed last showed data.
    bool NetErrorShown = false;

    // Takes the settings variables from values and looks up NewsLocation for
    // DefLanguage (kept as it is when the language is unknown).
    void assignSettings(const SettingsValues& values);
    // The settings variables as values; the ones held by controls keep their defaults.
    SettingsValues settings() const;
};
