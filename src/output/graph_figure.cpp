#include "output/graph_figure.h"

#include <cmath>
#include <numbers>

namespace kvis {

namespace {

int truncated(double v) { return static_cast<int>(std::trunc(v)); }

}  // namespace

Point circlePosition(Point centre, int radius, int index, int count, CirclePlacement placement) {
    const double twoPi = 2.0 * std::numbers::pi;
    if (placement == CirclePlacement::StepTruncatedSum) {
        const double step = twoPi / count;
        const double angle = index * step;
        return {truncated(centre.x + radius * std::sin(angle)), truncated(centre.y + radius * std::cos(angle))};
    }
    const double angle = index * twoPi / count;
    return {centre.x + truncated(radius * std::sin(angle)), centre.y + truncated(radius * std::cos(angle))};
}

Rect vertexRect(Point centre, int vertexRadius) {
    return {centre.x - vertexRadius, centre.y - vertexRadius, centre.x + vertexRadius, centre.y + vertexRadius};
}

Point rectCentre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::optional<ArcFigure> arcFigure(const Rect& from, const Rect& to, int vertexRadius, int headHalfWidth,
                                   Point shift) {
    Point c1 = rectCentre(from);
    Point c2 = rectCentre(to);
    const int dx = c2.x - c1.x;
    const int dy = c2.y - c1.y;
    const double d = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
    // Vertices laid on top of each other leave no direction to draw in.
    if (d == 0.0) return std::nullopt;
    const double ux = static_cast<double>(dx) * vertexRadius / d;
    const double uy = static_cast<double>(dy) * vertexRadius / d;
    c1 = {c1.x + shift.x, c1.y + shift.y};
    c2 = {c2.x + shift.x, c2.y + shift.y};
    ArcFigure a;
    a.tail = {truncated(c1.x + ux), truncated(c1.y + uy)};
    a.tip = {truncated(c2.x - ux), truncated(c2.y - uy)};
    a.base = {truncated(a.tip.x - ux), truncated(a.tip.y - uy)};
    const double w1 = static_cast<double>(a.tail.y - a.tip.y) * headHalfWidth / d;
    const double w2 = static_cast<double>(a.tip.x - a.tail.x) * headHalfWidth / d;
    a.corner1 = {a.base.x - truncated(w1), a.base.y - truncated(w2)};
    a.corner2 = {a.base.x + truncated(w1), a.base.y + truncated(w2)};
    return a;
}

bool drawsArcLine(int from, int to, bool oppositeDrawn) { return from < to || !oppositeDrawn; }

}  // namespace kvis
