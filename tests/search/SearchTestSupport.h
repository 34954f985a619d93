#pragma once

#include "indexer/StatementProvider.h"
#include "search/ResultsTable.h"
#include "shell/SidebarServices.h"

#include <QString>

#include <mutex>
#include <vector>

// A hit as the index delivers it: Filename, Size, Write, Path.
inline QVariantList indexRow(const QString& name, qint64 size, double write,
                             const QString& folder = QStringLiteral("/home/user/docs"))
{
    return {name, size, write, folder + QLatin1Char('/') + name};
}

inline StatementResult indexResult(std::vector<QVariantList> rows)
{
    StatementResult result;
    result.columns = {QStringLiteral("Filename"), QStringLiteral("Size"), QStringLiteral("Write"),
                      QStringLiteral("Path")};
    result.rows = std::move(rows);
    return result;
}

// n hits named file01.txt .. in table order (best first).
inline ResultsTable numberedTable(int n)
{
    std::vector<ResultRow> rows;
    for (int i = 1; i <= n; ++i) {
        const QString name = QStringLiteral("file%1.txt").arg(i, 2, 10, QLatin1Char('0'));
        rows.push_back({name, QStringLiteral("/data/") + name, 39087.5, qint64(i) * 100});
    }
    ResultsTable table;
    table.setRows(std::move(rows));
    return table;
}

// Records what was asked of the sidebar; safe to call from server threads.
class RecordingServices : public SidebarServices
{
public:
    struct Balloon
    {
        QString title;
        QString text;
        int icon;
        int timeout;
    };

    void ShowBaloon(const QString& title, const QString& text, int icon, int timeout) override
    {
        std::lock_guard lock(m_mutex);
        m_balloons.push_back({title, text, icon, timeout});
    }
    void OpenURL(const QString& address) override
    {
        std::lock_guard lock(m_mutex);
        m_opened.push_back(address);
    }
    std::vector<Balloon> balloons() const
    {
        std::lock_guard lock(m_mutex);
        return m_balloons;
    }
    std::vector<QString> opened() const
    {
        std::lock_guard lock(m_mutex);
        return m_opened;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Balloon> m_balloons;
    std::vector<QString> m_opened;
};
