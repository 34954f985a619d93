#pragma once

#include <QString>

#include <optional>
#include <vector>

struct StatementResult;

// One hit; a value the index did not deliver stays empty.
struct ResultRow
{
    QString FILENAME;
    QString PATH;
    // Last-write time, days since 30.12.1899 local time.
    std::optional<double> DATE;
    // 64-bit: files of 2 GiB and more are ordinary.
    std::optional<qint64> SIZE;
};

// The hits of the last index query in the order the pages show them.
class ResultsTable
{
public:
    // Replaces the content with the statement's rows in reverse delivery
    // order: the index delivers the least relevant hit first, so the best
    // hit leads. Values of the wrong type are left empty.
    void fill(const StatementResult& result);
    // "relevancy" keeps the fill order; "filename", "path", "size" and "date"
    // (any case) sort ascending by that field, ties in relevancy order.
    // Any other key leaves the order as it is.
    void sortBy(const QString& key);
    void clear() { m_rows.clear(); }

    const std::vector<ResultRow>& rows() const { return m_rows; }
    qsizetype count() const { return static_cast<qsizetype>(m_rows.size()); }
    bool containsPath(const QString& path) const;

    // For tests and callers that build a table themselves.
    void setRows(std::vector<ResultRow> rows) { m_rows = std::move(rows); }

private:
    std::vector<ResultRow> m_rows;
};
