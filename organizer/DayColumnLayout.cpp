#include "organizer/DayColumnLayout.h"

#include <algorithm>
#include <numeric>

std::vector<LanePlacement> layoutLanes(const std::vector<std::pair<QDateTime, QDateTime>>& spans,
                                       qint64 minSecs)
{
    std::vector<LanePlacement> placements(spans.size());
    std::vector<std::size_t> order(spans.size());
    std::iota(order.begin(), order.end(), 0);
    const auto finishOf = [&](std::size_t i) {
        return std::max(spans[i].second, spans[i].first.addSecs(minSecs));
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (spans[a].first != spans[b].first)
            return spans[a].first < spans[b].first;
        return finishOf(a) > finishOf(b);
    });

    std::vector<QDateTime> laneEnds;
    std::vector<std::size_t> cluster;
    QDateTime clusterEnd;
    const auto closeCluster = [&] {
        for (std::size_t i : cluster)
            placements[i].lanes = static_cast<int>(laneEnds.size());
        cluster.clear();
        laneEnds.clear();
    };
    for (std::size_t i : order) {
        if (!cluster.empty() && spans[i].first >= clusterEnd)
            closeCluster();
        std::size_t lane = 0;
        while (lane < laneEnds.size() && laneEnds[lane] > spans[i].first)
            ++lane;
        if (lane == laneEnds.size())
            laneEnds.push_back(finishOf(i));
        else
            laneEnds[lane] = finishOf(i);
        placements[i].lane = static_cast<int>(lane);
        clusterEnd = cluster.empty() ? finishOf(i) : std::max(clusterEnd, finishOf(i));
        cluster.push_back(i);
    }
    closeCluster();
    return placements;
}
