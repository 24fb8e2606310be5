#include "views/graph_geometry.h"

#include <algorithm>

namespace kvis {

int bigCircleRadius(int vertexCount) {
    return static_cast<int>(std::clamp(static_cast<long long>(vertexCount) * 20, 150LL, 300LL));
}

Point bigCircleCentre(int radius) { return {radius + 20, radius + 20}; }

VertexPlacement placeVertices(int count, Point centre, int radius) {
    VertexPlacement p;
    p.rects.reserve(static_cast<size_t>(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        const Point at = circlePosition(centre, radius, i, count, CirclePlacement::StepTruncatedSum);
        p.rects.push_back(vertexRect(at, kVertexRadius));
        p.maxY = i == 0 ? at.y : std::max(p.maxY, at.y);
    }
    return p;
}

std::optional<ArcFigure> screenArc(const Rect& from, const Rect& to) {
    return arcFigure(from, to, kVertexRadius, kHeadHalfWidth);
}

std::vector<LegendEntry> legendEntries(GraphKind kind, int maxY) {
    auto box = [maxY](int left, int top) { return Rect{left, maxY + top, left + 30, maxY + top + 30}; };
    std::vector<LegendEntry> e = {
        {2, false, box(15, 30), {}, "Active vertex", {60, maxY + 37}},
        {1, false, box(15, 75), {}, "Non-active vertex", {60, maxY + 82}},
    };
    if (kind == GraphKind::Final) {
        e.push_back({4, false, box(255, 30), {}, "Artificial vertex", {300, maxY + 37}});
        e.push_back({3, false, box(255, 75), {}, "Kernel vertex", {300, maxY + 82}});
    } else if (kind == GraphKind::Modified) {
        e.push_back({3, true, box(225, 30), box(330, 30), "Arc added", {360, maxY + 37}});
        e.push_back({4, true, box(225, 75), box(330, 75), "Arc removed", {360, maxY + 82}});
    }
    return e;
}

int vertexRectCount(GraphKind kind, int vertexCount) {
    return std::max(0, vertexCount) + (kind == GraphKind::Outranking ? 2 : 4);
}

bool ellipseContains(const Rect& r, Point p) {
    const double a = (r.right - r.left) / 2.0;
    const double b = (r.bottom - r.top) / 2.0;
    if (a <= 0 || b <= 0) return false;
    const double dx = (p.x - (r.left + r.right) / 2.0) / a;
    const double dy = (p.y - (r.top + r.bottom) / 2.0) / b;
    return dx * dx + dy * dy <= 1.0;
}

Rect inflated(const Rect& r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

bool meets(const Rect& a, const Rect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool segmentMeets(Point from, Point to, const Rect& r) {
    // Liang-Barsky: the part of the segment inside each pair of edges.
    double t0 = 0.0, t1 = 1.0;
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(from.x - r.left), double(r.right - from.x), double(from.y - r.top),
                         double(r.bottom - from.y)};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    return true;
}

}  // namespace kvis
