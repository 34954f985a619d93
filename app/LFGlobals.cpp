#include "app/LFGlobals.h"

#include "app/NewsLocationsTable.h"

void LFGlobals::assignSettings(const SettingsValues& values)
{
    CityID = values.CityID;
    CityName = values.CityName;
    WeatherUnits = values.WeatherUnits;
    WeatherInterval = values.WeatherInterval;
    TimeZone = values.TimeZone;
    DefLanguage = values.DefLanguage;
    if (const auto location = NewsLocationsTable::locationOf(DefLanguage))
        NewsLocation = *location;
    NewsUpdateInterval = values.NewsUpdateInterval;
    PagesPer = values.PagesPer;
    RunWhithWindows = values.RunWhithWindows;
    IndexPrio = values.IndexPrio;
    IsAppBar = values.IsAppBar;
    PrevPeriod = values.PrevPeriod;
    ReminderEnable = values.ReminderEnable;
}

SettingsValues LFGlobals::settings() const
{
    SettingsValues values;
    values.CityID = CityID;
    values.CityName = CityName;
    values.WeatherUnits = WeatherUnits;
    values.WeatherInterval = WeatherInterval;
    values.TimeZone = TimeZone;
    values.DefLanguage = DefLanguage;
    values.NewsUpdateInterval = NewsUpdateInterval;
    values.PagesPer = PagesPer;
    values.RunWhithWindows = RunWhithWindows;
    values.IndexPrio = IndexPrio;
    values.IsAppBar = IsAppBar;
    values.PrevPeriod = PrevPeriod;
    values.ReminderEnable = ReminderEnable;
    return values;
}
