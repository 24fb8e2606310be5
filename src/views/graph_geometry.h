#pragma once
// Where the graph windows put things, in the integers they draw with: the big
// circle and its vertices, the arcs between them, the legend under the figure
// and the test of a point against a vertex. Plain functions, apart from any
// window; the printed graphs share only the placement and the arc's head.
#include <optional>
#include <vector>

#include "output/graph_figure.h"

namespace kvis {

// Which figure a graph window draws.
enum class GraphKind { Outranking, Modified, Final };

inline constexpr int kVertexRadius = 15;
inline constexpr int kHeadHalfWidth = 6;

// The big circle: 20 pixels per vertex, never under 150 nor over 300.
int bigCircleRadius(int vertexCount);
// Its centre, (R + 20, R + 20).
Point bigCircleCentre(int radius);

// The rectangles of the vertices 0 .. count - 1 and the legend's base line,
// the lowest vertex centre (0 without vertices).
struct VertexPlacement {
    std::vector<Rect> rects;
    int maxY = 0;
};
VertexPlacement placeVertices(int count, Point centre, int radius);

// The arc between two vertex rectangles; nothing when their centres coincide.
std::optional<ArcFigure> screenArc(const Rect& from, const Rect& to);

// One entry of the legend: a circle drawn as a vertex, or an arc between two
// rectangles, each with its text (whose top left is `textAt`). `legendKind`
// says how the sample is drawn: 1 non-active, 2 active, 3 kernel vertex or
// added arc, 4 artificial vertex or removed arc.
struct LegendEntry {
    int legendKind = 0;
    bool arc = false;
    Rect sample;   // the circle, or the arc's first rectangle
    Rect arcEnd;   // the arc's second rectangle
    const char* text = "";
    Point textAt;
};
std::vector<LegendEntry> legendEntries(GraphKind kind, int maxY);

// The number of rectangles a window keeps: one per vertex, then the legend's.
int vertexRectCount(GraphKind kind, int vertexCount);

// True when the point lies in the ellipse inscribed in `r`, border included.
// The windows draw pixel (x, y) at the figure's point (x, y), so a point of a
// click is a pixel of the figure.
bool ellipseContains(const Rect& r, Point p);

// Rectangle and segment tests the windows use to paint only what meets an area.
Rect inflated(const Rect& r, int by);
bool meets(const Rect& a, const Rect& b);
bool segmentMeets(Point from, Point to, const Rect& r);

}  // namespace kvis
