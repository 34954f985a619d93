#pragma once

#include "feeds/AdvertDocument.h"
#include "feeds/NewsDocument.h"
#include "feeds/WeatherDocument.h"

#include <QString>

#include <vector>

class FeedFetcher;

// The body of one download run of each feed, as a worker thread executes it.
// Everything a run needs comes in as a copy; results leave only through the
// view's hand-over methods, which the threaded caller runs on the
// user-interface thread while the run waits. An exception thrown by a
// hand-over ends the run like any other failure.

class WeatherView
{
public:
    virtual ~WeatherView() = default;
    virtual void StartLoading() = 0;
    virtual void ShowWeather(const WeatherDocument::Values& values) = 0;
    virtual void ShowOffline() = 0;
    virtual void ShowError() = 0;
};

struct WeatherRunInputs
{
    QString CityID;
    QString WeatherUnits;
    QString ProgramFolder;
    QString WeatherHost;
};

// The cache of the last good answer lives beside the program, whatever the
// current folder of the process.
QString weatherCacheFile(const QString& programFolder);
void runWeather(const WeatherRunInputs& inputs, FeedFetcher& fetcher, WeatherView& view);

class NewsView
{
public:
    virtual ~NewsView() = default;
    virtual void StartLoading() = 0;
    virtual void ClearNews() = 0;
    virtual void AddItems(const std::vector<NewsDocument::Item>& items) = 0;
    virtual void ShowFirst() = 0;
    virtual void ShowSecond() = 0;
    virtual void ShowOffline() = 0;
    virtual void ShowError() = 0;
};

struct NewsRunInputs
{
    QString NewsLocation; // the feed address
    QString ProgramFolder;
};

QString newsCacheFile(const QString& programFolder);
void runNews(const NewsRunInputs& inputs, FeedFetcher& fetcher, NewsView& view);

class AdvertView
{
public:
    virtual ~AdvertView() = default;
    virtual void StopLoading() = 0;
    virtual void ShowAds(const AdvertDocument::Adverts& adverts) = 0;
    virtual void ShowError() = 0;
};

struct AdvertRunInputs
{
    QString AdvertHost;
    QString ProgramFolder;
};

QString advertUrl(const QString& advertHost);
QString advertCacheFile(const QString& programFolder);
void runAdverts(const AdvertRunInputs& inputs, FeedFetcher& fetcher, AdvertView& view);
