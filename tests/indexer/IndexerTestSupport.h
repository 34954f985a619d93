#pragma once

#include "indexer/Crawler.h"
#include "indexer/FileCatalog.h"
#include "indexer/StatementProvider.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace IndexerTest {

// Writes bytes to path, creating the folders on the way.
void writeFile(const QString& path, const QByteArray& bytes);
// A zip container with the given members, stored deflated.
void writeZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& members);
// A one-page PDF showing text in a standard font, with a correct cross-reference table.
QByteArray makePdf(const QByteArray& text);

// One pass of the crawler over folder into a fresh or existing catalogue.
PassStats indexFolder(const QString& catalogPath, const QString& folder);

// The statement the desktop search sends for a phrase over the whole catalogue.
QString phraseStatement(const QString& phrase, const QString& folder = QStringLiteral("\\"),
                        const QString& traversal = QStringLiteral("DEEP"));
// The file names of the rows, in their order.
QStringList names(const StatementResult& result);
QStringList search(const QString& catalogPath, const QString& phrase);

} // namespace IndexerTest
