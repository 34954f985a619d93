#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <stdexcept>
#include <vector>

// A statement that is malformed or cannot run; the message names what is wrong.
class StatementError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct StatementResult
{
    // The columns as the SELECT list names them, in its order.
    QStringList columns;
    // One list of values per hit, in the SELECT list's order, least relevant
    // first. Filename and Path are QString, Size is qint64, Write is a double
    // (days since 30.12.1899, local time; see app/DateTimeValue.h).
    std::vector<QVariantList> rows;

    // Index of a column by name without regard to case, or -1.
    int columnIndex(const QString& name) const;
};

// Answers the desktop search's three-line statement from the file catalogue:
//   SELECT <columns> FROM SCOPE('DEEP TRAVERSAL OF "<folder>"') WHERE CONTAINS('"<phrase>"')
// Opens the catalogue read-only, so it runs while the indexer writes.
class StatementProvider
{
public:
    explicit StatementProvider(QString catalogPath);
    // Throws StatementError.
    StatementResult run(const QString& statement) const;

private:
    QString m_catalogPath;
};
