#pragma once

#include <QString>
#include <QStringList>

// The parts of a desktop-search statement:
//   SELECT Filename, Size, Write, Path
//   FROM SCOPE('DEEP TRAVERSAL OF "\"')
//   WHERE CONTAINS('"phrase"')
// Keywords and column names are matched without regard to case; any white
// space (line breaks too) separates the tokens.
struct ParsedStatement
{
    enum class Column
    {
        Filename,
        Path,
        Size,
        Write
    };
    QStringList columnNames; // as written in the SELECT list
    std::vector<Column> columns;
    QString folder; // empty: the whole catalogue
    bool deep = true;
    QString phrase;
};

namespace StatementParser {

// Throws StatementError naming what is wrong and where.
ParsedStatement parse(const QString& statement);

} // namespace StatementParser
