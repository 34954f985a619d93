#include "tests/feeds/FeedsTestSupport.h"

#include "feeds/FeedError.h"

QByteArray FakeFetcher::download(const QString& url)
{
    requested << url;
    const auto answer = answers.find(url);
    if (answer == answers.end())
        throw FeedError(QStringLiteral("Download of %1 failed: not found").arg(url));
    return answer->second;
}
