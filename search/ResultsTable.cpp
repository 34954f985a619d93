#include "search/ResultsTable.h"

#include "indexer/StatementProvider.h"

#include <algorithm>
#include <functional>

namespace {

// Column by name without regard to case; the provider's own lookup lives in
// the indexer library, which this table does not need to link.
int columnIndex(const StatementResult& result, const char* name)
{
    const int index = static_cast<int>(result.columns.indexOf(QString::fromLatin1(name), 0));
    if (index >= 0)
        return index;
    for (int i = 0; i < result.columns.size(); ++i) {
        if (result.columns.at(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<double> toDate(const QVariant& value)
{
    bool ok = false;
    const double days = value.toDouble(&ok);
    if (!value.isValid() || value.isNull() || !ok)
        return std::nullopt;
    return days;
}

std::optional<qint64> toSize(const QVariant& value)
{
    bool ok = false;
    const qint64 bytes = value.toLongLong(&ok);
    if (!value.isValid() || value.isNull() || !ok)
        return std::nullopt;
    return bytes;
}

// Empty values sort first, as an empty field does.
template <typename T> int compareOptional(const std::optional<T>& a, const std::optional<T>& b)
{
    if (!a || !b)
        return int(a.has_value()) - int(b.has_value());
    return *a < *b ? -1 : (*b < *a ? 1 : 0);
}

} // namespace

void ResultsTable::fill(const StatementResult& result)
{
    const int fileName = columnIndex(result, "FILENAME");
    const int path = columnIndex(result, "PATH");
    const int write = columnIndex(result, "WRITE");
    const int size = columnIndex(result, "SIZE");
    const auto cell = [](const QVariantList& row, int column) {
        return column >= 0 && column < row.size() ? row.at(column) : QVariant();
    };

    m_rows.clear();
    m_rows.reserve(result.rows.size());
    for (auto it = result.rows.rbegin(); it != result.rows.rend(); ++it) {
        ResultRow row;
        row.FILENAME = cell(*it, fileName).toString();
        row.PATH = cell(*it, path).toString();
        row.DATE = toDate(cell(*it, write));
        row.SIZE = toSize(cell(*it, size));
        m_rows.push_back(std::move(row));
    }
}

void ResultsTable::sortBy(const QString& key)
{
    const QString field = key.toUpper();
    std::function<bool(const ResultRow&, const ResultRow&)> less;
    if (field == QLatin1String("FILENAME")) {
        less = [](const ResultRow& a, const ResultRow& b) {
            return QString::compare(a.FILENAME, b.FILENAME, Qt::CaseInsensitive) < 0;
        };
    } else if (field == QLatin1String("PATH")) {
        less = [](const ResultRow& a, const ResultRow& b) {
            return QString::compare(a.PATH, b.PATH, Qt::CaseInsensitive) < 0;
        };
    } else if (field == QLatin1String("SIZE")) {
        less = [](const ResultRow& a, const ResultRow& b) {
            return compareOptional(a.SIZE, b.SIZE) < 0;
        };
    } else if (field == QLatin1String("DATE")) {
        less = [](const ResultRow& a, const ResultRow& b) {
            return compareOptional(a.DATE, b.DATE) < 0;
        };
    } else {
        return;
    }
    std::stable_sort(m_rows.begin(), m_rows.end(), less);
}

bool ResultsTable::containsPath(const QString& path) const
{
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [&](const ResultRow& row) { return row.PATH == path; });
}
