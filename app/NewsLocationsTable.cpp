#include "app/NewsLocationsTable.h"

#include <QStringList>

namespace NewsLocationsTable {
namespace {

// Headline feeds of one public international broadcaster's language services
// (RSS 2.0). Services that have closed point at the regional feed that took
// their audience over.
constexpr Row kRows[] = {
    {"Caribbean", "https://feeds.bbci.co.uk/news/world/latin_america/rss.xml"},
    {"Portuguese", "https://feeds.bbci.co.uk/portuguese/rss.xml"},
    {"Spanish", "https://feeds.bbci.co.uk/mundo/rss.xml"},
    {"Albanian", "https://feeds.bbci.co.uk/news/world/europe/rss.xml"},
    {"Macedonian", "https://feeds.bbci.co.uk/news/world/europe/rss.xml"},
    {"Russian", "https://feeds.bbci.co.uk/russian/rss.xml"},
    {"Serbian", "https://feeds.bbci.co.uk/serbian/lat/rss.xml"},
    {"Turkish", "https://feeds.bbci.co.uk/turkce/rss.xml"},
    {"Ukrainian", "https://feeds.bbci.co.uk/ukrainian/rss.xml"},
    {"Arabic", "https://feeds.bbci.co.uk/arabic/rss.xml"},
    {"French", "https://feeds.bbci.co.uk/afrique/rss.xml"},
    {"Hausa", "https://feeds.bbci.co.uk/hausa/rss.xml"},
    {"Portuguese Africa", "https://feeds.bbci.co.uk/portuguese/rss.xml"},
    {"Pashto", "https://feeds.bbci.co.uk/pashto/rss.xml"},
    {"Persian", "https://feeds.bbci.co.uk/persian/rss.xml"},
    {"Azeri", "https://feeds.bbci.co.uk/azeri/rss.xml"},
    {"Kyrgyz", "https://feeds.bbci.co.uk/kyrgyz/rss.xml"},
    {"Uzbek", "https://feeds.bbci.co.uk/uzbek/rss.xml"},
    {"Hindi", "https://feeds.bbci.co.uk/hindi/rss.xml"},
    {"Nepali", "https://feeds.bbci.co.uk/nepali/rss.xml"},
    {"Sinhala", "https://feeds.bbci.co.uk/sinhala/rss.xml"},
    {"Burmese", "https://feeds.bbci.co.uk/burmese/rss.xml"},
    {"Chinese", "https://feeds.bbci.co.uk/zhongwen/simp/rss.xml"},
    {"Indonesian", "https://feeds.bbci.co.uk/indonesia/rss.xml"},
    {"Vietnamese", "https://feeds.bbci.co.uk/vietnamese/rss.xml"},
    {"World", "https://feeds.bbci.co.uk/news/world/rss.xml"},
};

} // namespace

std::span<const Row> storedRows()
{
    return kRows;
}

QStringList languagesSorted()
{
    QStringList languages;
    for (const Row& row : kRows)
        languages << QString::fromLatin1(row.language);
    languages.sort();
    return languages;
}

std::optional<QString> locationOf(const QString& language)
{
    std::optional<QString> found;
    for (const Row& row : kRows) {
        if (QString::fromLatin1(row.language) == language)
            found = QString::fromLatin1(row.location);
    }
    return found;
}

} // namespace NewsLocationsTable
