#include "feeds/HttpFetcher.h"

#include "feeds/ConnectivityProbe.h"
#include "feeds/FeedError.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace {

struct Transfer
{
    QByteArray body;
    qint64 maxBytes = 0;
    bool tooLarge = false;
    const std::atomic<bool>* cancel = nullptr;
};

size_t writeBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->body.size() + static_cast<qint64>(bytes) > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0; // makes curl stop with a write error
    }
    transfer->body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* transfer = static_cast<Transfer*>(user);
    return transfer->cancel && transfer->cancel->load(std::memory_order_relaxed) ? 1 : 0;
}

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlDeleter
{
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

} // namespace

HttpFetcher::HttpFetcher(QString probeHost, int probePort, FetchLimits limits,
                         const std::atomic<bool>* cancel)
    : m_probeHost(std::move(probeHost)), m_probePort(probePort), m_limits(limits), m_cancel(cancel)
{}

bool HttpFetcher::InternetAvailable()
{
    return ::InternetAvailable(m_probeHost, m_probePort, kProbeTimeoutMs, m_cancel);
}

QByteArray HttpFetcher::download(const QString& url)
{
    initialiseCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        throw FeedError(QStringLiteral("Cannot start a download"));
    Transfer transfer;
    transfer.maxBytes = m_limits.maxBytes;
    transfer.cancel = m_cancel;
    const QByteArray address = url.toUtf8();
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, address.constData());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, static_cast<long>(m_limits.maxRedirects));
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(m_limits.connectTimeoutMs));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(m_limits.totalTimeoutMs));
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.maxBytes));
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    // Signals would reach other threads of the program; timeouts work without them.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "Lanternfly Desktop");
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &writeBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &progress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    char message[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, message);

    const CURLcode code = curl_easy_perform(handle);
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        throw FeedError(QStringLiteral("The answer of %1 is larger than %2 bytes")
                            .arg(url)
                            .arg(m_limits.maxBytes));
    if (code != CURLE_OK) {
        const QString reason =
            message[0] ? QString::fromUtf8(message) : QString::fromUtf8(curl_easy_strerror(code));
        throw FeedError(QStringLiteral("Download of %1 failed: %2").arg(url, reason));
    }
    return transfer.body;
}
