#pragma once

#include <QDateTime>

#include <vector>

// Where an event sits in a day column: events that overlap share the column
// side by side, each in one of `columns` equal lanes.
struct LanePlacement
{
    int lane = 0;
    int lanes = 1;
};

// Lanes for spans (start, finish) sorted or not; a zero-length span counts
// as taking minSecs. Overlapping spans never share a lane, and every span of
// one overlapping cluster gets the same lane count.
std::vector<LanePlacement> layoutLanes(const std::vector<std::pair<QDateTime, QDateTime>>& spans,
                                       qint64 minSecs = 15 * 60);
