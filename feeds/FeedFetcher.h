#pragma once

#include <QByteArray>
#include <QString>

// What a feed run needs of the network: the connectivity probe and a bounded
// download. Tests substitute their own.
class FeedFetcher
{
public:
    virtual ~FeedFetcher() = default;
    // True when the probe target accepts a connection in time; never throws.
    virtual bool InternetAvailable() = 0;
    // The body of a successful answer; throws FeedError on any failure.
    virtual QByteArray download(const QString& url) = 0;
};
