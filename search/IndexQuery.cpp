#include "search/IndexQuery.h"

#include "indexer/StatementProvider.h"
#include "search/ResultsTable.h"

IndexQuery::IndexQuery(StatementRunner runner) : m_runner(std::move(runner)) {}

QString IndexQuery::statementFor(const QString& text)
{
    // A single quote would end the string argument and a double quote the
    // phrase; doubled, each stands for itself.
    QString phrase = text;
    phrase.replace(QLatin1Char('\''), QLatin1String("''"));
    phrase.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1String(" SELECT Filename, Size, Write, Path \r\n"
                         " FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') \r\n"
                         " WHERE CONTAINS('\"") +
           phrase + QLatin1String("\"') \r\n");
}

bool IndexQuery::LoadResults(const QString& text, const QString& sortKey, ResultsTable& table) const
{
    table.clear();
    const StatementResult result = m_runner(statementFor(text));
    table.fill(result);
    table.sortBy(sortKey);
    return !result.rows.empty();
}
