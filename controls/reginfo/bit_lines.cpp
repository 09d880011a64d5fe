#include "controls/reginfo/bit_lines.h"

#include <algorithm>
#include <map>

namespace mirelda {

std::vector<QPolygonF> bitLines(const std::vector<QRectF>& digits, const std::vector<QRectF>& names,
                                const std::vector<bool>& exitRight, double laneStep) {
    const std::size_t count = std::min({digits.size(), names.size(), exitRight.size()});
    double stripTop = 0;
    double stripBottom = 1e9;
    for (std::size_t i = 0; i < count; ++i) {
        stripTop = std::max(stripTop, digits[i].bottom());
        stripBottom = std::min(stripBottom, names[i].top());
    }
    // Names leaving through the same edge share a gap; the top one takes the
    // lane nearest its column and the lowest level of the strip.
    std::map<std::pair<double, bool>, std::vector<std::size_t>> byEdge;
    for (std::size_t i = 0; i < count; ++i) {
        const bool right = exitRight[i];
        byEdge[{right ? names[i].right() : names[i].left(), right}].push_back(i);
    }
    std::vector<QPolygonF> lines(count);
    for (auto& [edge, members] : byEdge) {
        std::sort(members.begin(), members.end(),
                  [&](std::size_t a, std::size_t b) { return names[a].top() < names[b].top(); });
        const double direction = edge.second ? 1 : -1;
        const double levelStep = (stripBottom - stripTop) / double(members.size() + 1);
        for (std::size_t lane = 0; lane < members.size(); ++lane) {
            const std::size_t i = members[lane];
            const double laneX = edge.first + direction * laneStep * double(lane + 1);
            const double level = stripBottom - levelStep * double(lane + 1);
            const double y = names[i].center().y();
            const double x = digits[i].center().x();
            lines[i] << QPointF(edge.first, y) << QPointF(laneX, y) << QPointF(laneX, level)
                     << QPointF(x, level) << QPointF(x, digits[i].bottom());
        }
    }
    return lines;
}

} // namespace mirelda
