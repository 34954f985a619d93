#pragma once

#include "feeds/FeedFetcher.h"

#include <atomic>

struct FetchLimits
{
    int connectTimeoutMs = 10000;
    // The whole request, redirects included.
    int totalTimeoutMs = 30000;
    // Feeds are small; a larger answer is not one.
    qint64 maxBytes = 4 * 1024 * 1024;
    int maxRedirects = 5;
};

// Downloads over http(s) with libcurl, bounded in time and size, following a
// few redirects within http and https. The probe goes to probeHost:probePort.
// cancel, when set by another thread, ends a running probe or download soon.
class HttpFetcher : public FeedFetcher
{
public:
    HttpFetcher(QString probeHost, int probePort, FetchLimits limits = {},
                const std::atomic<bool>* cancel = nullptr);

    bool InternetAvailable() override;
    QByteArray download(const QString& url) override;

    static constexpr int kProbeTimeoutMs = 3000;

private:
    QString m_probeHost;
    int m_probePort;
    FetchLimits m_limits;
    const std::atomic<bool>* m_cancel;
};
