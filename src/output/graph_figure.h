#pragma once
// The geometry every drawn graph shares, on screen and on paper: vertices
// evenly on a circle, vertex 0 at the bottom, and arcs running from circle
// border to circle border with a triangular head. The sizes are the caller's.
#include <optional>
#include "output/canvas.h"

namespace kvis {

// The two figures place their vertices with arithmetic that differs in the
// last bits, and both are kept exactly:
//   StepTruncatedSum:        angle = i * (2pi / count), x = trunc(cx + R sin(angle))
//   FractionTruncatedOffset: angle = (i * 2pi) / count, x = cx + trunc(R sin(angle))
// (y the same with cos). Truncation is toward zero.
enum class CirclePlacement { StepTruncatedSum, FractionTruncatedOffset };

// Centre of vertex `index` of `count` on the circle of `radius` around `centre`.
Point circlePosition(Point centre, int radius, int index, int count, CirclePlacement placement);

// The square that holds a vertex circle of `vertexRadius` around `centre`.
Rect vertexRect(Point centre, int vertexRadius);

// Each coordinate the sum of the two edges halved, truncated toward zero.
Point rectCentre(const Rect& r);

// An arc between two vertex circles: the line from `tail` to `tip`, and the
// head, a triangle with apex `tip` on the base corner1..corner2 around `base`.
struct ArcFigure {
    Point tail;
    Point tip;
    Point base;
    Point corner1;
    Point corner2;
};

// The arc from the circle in `from` to the circle in `to`, both of
// `vertexRadius`; the head is as long as the radius and about `headHalfWidth`
// wide on each side. `shift` moves both centres before anything else is
// computed (a scrolled window). Nothing when the two centres coincide.
std::optional<ArcFigure> arcFigure(const Rect& from, const Rect& to, int vertexRadius, int headHalfWidth,
                                   Point shift = {});

// A pair of opposite arcs is one line with a head at each end: the line of
// arc (from, to) is drawn unless the opposite arc draws it.
bool drawsArcLine(int from, int to, bool oppositeDrawn);

}  // namespace kvis
