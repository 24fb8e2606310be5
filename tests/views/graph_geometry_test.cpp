// Where the graph windows draw: the big circle, the vertex rectangles, the
// arcs between them and the point test of a vertex, to the pixel (the legends
// are checked as the windows draw them).
#include "views/graph_geometry.h"

#include <gtest/gtest.h>

using namespace kvis;

TEST(GraphGeometry, BigCircleFromTheVertexCount) {
    const std::pair<int, int> cases[] = {{0, 150}, {1, 150}, {5, 150}, {7, 150}, {8, 160},
                                         {14, 280}, {15, 300}, {20, 300}, {100000000, 300}};
    for (const auto& [count, radius] : cases) {
        EXPECT_EQ(bigCircleRadius(count), radius) << count;
        EXPECT_EQ(bigCircleCentre(radius), (Point{radius + 20, radius + 20})) << count;
    }
}

TEST(GraphGeometry, VerticesStartAtTheBottomOfTheBigCircle) {
    const VertexPlacement five = placeVertices(5, bigCircleCentre(150), 150);
    ASSERT_EQ(five.rects.size(), 5u);
    // Then counter-clockwise: the next one right of it.
    EXPECT_EQ(std::tuple(five.rects[0], five.rects[1], five.maxY),
              std::tuple(Rect{155, 305, 185, 335}, Rect{297, 201, 327, 231}, 320));
    const VertexPlacement twenty = placeVertices(20, bigCircleCentre(300), 300);
    EXPECT_EQ(std::tuple(twenty.rects[0], twenty.rects[5], twenty.rects[10], twenty.maxY),
              std::tuple(Rect{305, 605, 335, 635}, Rect{605, 305, 635, 335}, Rect{305, 5, 335, 35}, 620));
    const VertexPlacement none = placeVertices(0, bigCircleCentre(150), 150);
    EXPECT_EQ(std::tuple(none.rects.size(), none.maxY), std::tuple(0u, 0));
}

TEST(GraphGeometry, ArcBetweenTwoVerticesAndTheCoincidingCase) {
    const std::optional<ArcFigure> a = screenArc({155, 305, 185, 335}, {297, 201, 327, 231});
    ASSERT_TRUE(a);
    EXPECT_EQ((std::vector<Point>{a->tail, a->tip, a->corner1, a->corner2}),
              (std::vector<Point>{{182, 311}, {299, 224}, {284, 229}, {288, 235}}));
    // Straight down 300 pixels: 15 long, 5 wide on each side (6 x 270 / 300, truncated).
    const std::optional<ArcFigure> down = screenArc({155, 5, 185, 35}, {155, 305, 185, 335});
    ASSERT_TRUE(down);
    EXPECT_EQ((std::vector<Point>{down->tail, down->tip, down->corner1, down->corner2}),
              (std::vector<Point>{{170, 35}, {170, 305}, {175, 290}, {165, 290}}));
    // Centres on one point leave no direction: nothing to draw.
    EXPECT_FALSE(screenArc({155, 305, 185, 335}, {155, 305, 185, 335}));
    EXPECT_FALSE(screenArc({155, 305, 185, 335}, {156, 305, 184, 335}));
}

TEST(GraphGeometry, PointsInAVertexCircle) {
    const Rect r{155, 305, 185, 335};
    const std::tuple<Point, bool> cases[] = {
        {{170, 320}, true},   // centre
        {{170, 305}, true},   // top of the circle
        {{185, 320}, true},   // its right
        {{156, 306}, false},  // corner of the square, outside the circle
        {{181, 331}, false},  // just outside, lower right
        {{180, 331}, true},   // just inside
        {{186, 320}, false},
    };
    for (const auto& [p, inside] : cases) EXPECT_EQ(ellipseContains(r, p), inside) << p.x << " " << p.y;
    EXPECT_FALSE(ellipseContains({10, 10, 10, 40}, {10, 20}));  // no width, nothing inside
}

// What a partial paint draws: segments that cross, touch or stop short of an area.
TEST(GraphGeometry, SegmentsMeetingAnArea) {
    const Rect area{100, 100, 140, 140};
    const std::tuple<Point, Point, bool> segments[] = {
        {{0, 200}, {200, 0}, true},      // across
        {{0, 0}, {200, 90}, false},      // above
        {{120, 120}, {125, 125}, true},  // inside
        {{140, 0}, {140, 300}, true},    // along the edge
        {{0, 0}, {99, 99}, false},       // short of it
    };
    for (const auto& [a, b, hit] : segments)
        EXPECT_EQ(segmentMeets(a, b, area), hit) << a.x << "," << a.y << " " << b.x << "," << b.y;
}
