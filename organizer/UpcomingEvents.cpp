#include "organizer/UpcomingEvents.h"

#include "organizer/CalendarEvent.h"

#include <QChar>

#include <algorithm>

namespace UpcomingEvents {

namespace {

constexpr int kWidenDays = 30;
const QDateTime kLimit(QDate(2200, 1, 1), QTime(0, 0));

} // namespace

int periodDays(const QString& period)
{
    if (period == QLatin1String("PWeek"))
        return 7;
    if (period == QLatin1String("PMonth"))
        return 30;
    if (period == QLatin1String("PYear"))
        return 365;
    if (period == QLatin1String("PCent"))
        return 36500;
    return 1;
}

QString labelText(const UpcomingRow& row)
{
    return QChar(0x00B0) + QLatin1Char(' ') + row.caption + QLatin1Char('.') +
           QLatin1String("\r\n") + row.message;
}

std::optional<QDateTime> widenedFarEnd(const QDateTime& far, const QDateTime& firstFinish)
{
    // The same far end that widening one step at a time would reach, without
    // a query per step.
    const qint64 behindSecs = far.secsTo(firstFinish);
    const qint64 stepSecs = qint64(kWidenDays) * 86400;
    qint64 steps = behindSecs <= 0 ? 1 : (behindSecs + stepSecs - 1) / stepSecs;
    QDateTime widened = far.addDays(steps * kWidenDays);
    // Calendar days and elapsed seconds differ by an hour across a DST change.
    while (widened < firstFinish)
        widened = widened.addDays(kWidenDays);
    while (steps > 1 && widened.addDays(-kWidenDays) >= firstFinish) {
        widened = widened.addDays(-kWidenDays);
        --steps;
    }
    if (widened > kLimit)
        return std::nullopt;
    return widened;
}

std::optional<UpcomingLabels> refresh(const QDateTime& now, const QString& period,
                                      const UpcomingSource& source)
{
    // Three rows are all the labels can show.
    constexpr int kRowsShown = 3;
    const QDateTime near = EventTime::toSeconds(now);
    QDateTime far = near.addDays(periodDays(period));
    std::vector<UpcomingRow> rows = source.finishWindow(near, far, kRowsShown);
    if (rows.empty()) {
        const std::optional<QDateTime> first = source.firstFinishFrom(near);
        if (!first)
            return std::nullopt;
        const std::optional<QDateTime> widened = widenedFarEnd(far, *first);
        if (!widened)
            return std::nullopt;
        rows = source.finishWindow(near, *widened, kRowsShown);
        if (rows.empty())
            return std::nullopt;
    }

    // Moving past the last row stays on it; equal texts in a row mark the end.
    UpcomingLabels labels;
    const auto rowAt = [&rows](std::size_t index) -> const UpcomingRow& {
        return rows[std::min(index, rows.size() - 1)];
    };
    labels.texts[0] = labelText(rowAt(0));
    labels.finishes[0] = rowAt(0).finish;
    labels.texts[1] = labelText(rowAt(1));
    labels.finishes[1] = rowAt(1).finish;
    if (labels.texts[1] == labels.texts[0])
        labels.texts[1].clear();
    labels.texts[2] = labelText(rowAt(2));
    labels.finishes[2] = rowAt(2).finish;
    if (labels.texts[2] == labels.texts[1] || labels.texts[1].isEmpty())
        labels.texts[2].clear();
    return labels;
}

} // namespace UpcomingEvents
