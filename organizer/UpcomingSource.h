#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// One row as the upcoming-events panel reads it; null texts read as empty.
struct UpcomingRow
{
    QDateTime finish;
    QString caption;
    QString message;
};

// Where the upcoming-events refresh reads its rows: the event store in the
// program, a plain list in tests.
class UpcomingSource
{
public:
    virtual ~UpcomingSource() = default;
    // The first rows with near <= Finish <= far, earliest first.
    virtual std::vector<UpcomingRow> finishWindow(const QDateTime& near, const QDateTime& far,
                                                  int limit) const = 0;
    // The earliest Finish at or after near.
    virtual std::optional<QDateTime> firstFinishFrom(const QDateTime& near) const = 0;
};
