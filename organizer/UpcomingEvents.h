#pragma once

#include "organizer/UpcomingSource.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

// The three labels of the organizer panel and the finish each one opens.
struct UpcomingLabels
{
    std::array<QString, 3> texts;
    std::array<QDateTime, 3> finishes;
};

// The upcoming-events refresh: the events finishing within the look-ahead
// period from now, widened by 30 days at a time up to 1 January 2200 while
// the period holds none. Nothing when no event finishes before that limit:
// the panel then keeps what it shows.
namespace UpcomingEvents {

// Days of a period key; an unknown key counts as "PDay".
int periodDays(const QString& period);
// The label of one row: degree sign, caption, full stop, line break, message.
QString labelText(const UpcomingRow& row);
// The window's far end after widening: the first far end, moved on in 30-day
// steps, that reaches the first finish; nothing past 1 January 2200.
std::optional<QDateTime> widenedFarEnd(const QDateTime& far, const QDateTime& firstFinish);
std::optional<UpcomingLabels> refresh(const QDateTime& now, const QString& period,
                                      const UpcomingSource& source);

} // namespace UpcomingEvents
