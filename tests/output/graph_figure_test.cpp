// Vertex placement and arcs, in the exact integers both figures draw.
#include "output/graph_figure.h"

#include <gtest/gtest.h>

#include <vector>

#include "../support/recording_canvas.h"

using namespace kvis;

namespace {

std::vector<Point> circle(int count, CirclePlacement placement) {
    std::vector<Point> points;
    for (int i = 0; i < count; ++i) points.push_back(circlePosition({170, 170}, 150, i, count, placement));
    return points;
}

}  // namespace

// Vertex 0 at the bottom, then on counter-clockwise; the two kinds of
// arithmetic part where a coordinate lands on (or just off) an integer: a
// negative offset truncated toward zero, and 75 computed as 74.999...
TEST(GraphFigure, CirclePlacementKeepsBothArithmetics) {
    using P = std::vector<Point>;
    EXPECT_EQ(circle(5, CirclePlacement::StepTruncatedSum), (P{{170, 320}, {312, 216}, {258, 48}, {81, 48}, {27, 216}}));
    EXPECT_EQ(circle(5, CirclePlacement::FractionTruncatedOffset),
              (P{{170, 320}, {312, 216}, {258, 49}, {82, 49}, {28, 216}}));
    EXPECT_EQ(circle(6, CirclePlacement::StepTruncatedSum),
              (P{{170, 320}, {299, 245}, {299, 95}, {170, 20}, {40, 94}, {40, 244}}));
    EXPECT_EQ(circle(6, CirclePlacement::FractionTruncatedOffset),
              (P{{170, 320}, {299, 245}, {299, 96}, {170, 20}, {41, 95}, {41, 245}}));
    EXPECT_EQ(circlePosition({0, 0}, 0, 0, 1, CirclePlacement::StepTruncatedSum), (Point{0, 0}));
}

TEST(GraphFigure, VertexRectAndCentre) {
    EXPECT_EQ(vertexRect({170, 320}, 15), (Rect{155, 305, 185, 335}));
    const std::pair<Rect, Point> cases[] = {
        {{155, 305, 185, 335}, {170, 320}},
        {{0, 0, 5, 7}, {2, 3}},
        {{-5, -7, 0, 0}, {-2, -3}},  // halved toward zero, not down
    };
    for (const auto& [r, c] : cases) EXPECT_EQ(rectCentre(r), c) << r.left << " " << r.top;
}

TEST(GraphFigure, ArcRunsFromBorderToBorderWithItsHead) {
    struct Case {
        const char* name;
        Rect from, to;
        int radius, halfWidth;
        Point shift;
        Point tail, tip, base, corner1, corner2;
    };
    const Rect v0{155, 305, 185, 335}, v1{297, 201, 327, 231};
    const Case cases[] = {
        {"slanted", v0, v1, 15, 6, {}, {182, 311}, {299, 224}, {286, 232}, {284, 229}, {288, 235}},
        {"reversed", v1, v0, 15, 6, {}, {299, 224}, {182, 311}, {194, 302}, {196, 305}, {192, 299}},
        {"scrolled", v0, v1, 15, 6, {-30, -100}, {152, 211}, {269, 124}, {256, 132}, {254, 129}, {258, 135}},
        {"rightwards", {0, 0, 100, 100}, {400, 0, 500, 100}, 50, 20, {}, {100, 50}, {400, 50}, {350, 50},
         {350, 35}, {350, 65}},
        {"downwards", {0, 0, 100, 100}, {0, 400, 100, 500}, 50, 20, {}, {50, 100}, {50, 400}, {50, 350},
         {65, 350}, {35, 350}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<ArcFigure> a = arcFigure(c.from, c.to, c.radius, c.halfWidth, c.shift);
        ASSERT_TRUE(a);
        EXPECT_EQ((std::vector<Point>{a->tail, a->tip, a->base, a->corner1, a->corner2}),
                  (std::vector<Point>{c.tail, c.tip, c.base, c.corner1, c.corner2}));
    }
}

// Many vertices on a small circle can share a centre: no arc, and no division by zero.
TEST(GraphFigure, CoincidingCentresGiveNoArc) {
    EXPECT_FALSE(arcFigure({10, 10, 40, 40}, {10, 10, 40, 40}, 15, 6));
    EXPECT_FALSE(arcFigure({10, 10, 40, 40}, {11, 10, 39, 40}, 15, 6));
}

TEST(GraphFigure, OppositeArcsShareOneLine) {
    const std::tuple<int, int, bool, bool> cases[] = {
        {0, 1, true, true}, {0, 1, false, true}, {1, 0, true, false}, {1, 0, false, true},
    };
    for (const auto& [from, to, opposite, drawn] : cases)
        EXPECT_EQ(drawsArcLine(from, to, opposite), drawn) << from << "->" << to << " " << opposite;
}

// What a figure's test compares: one line per call, in call order.
TEST(GraphFigure, RecorderWritesEveryCall) {
    RecordingCanvas canvas(FontMetrics{12, 2, 1, 7});
    const ArcFigure a = *arcFigure({0, 0, 100, 100}, {400, 0, 500, 100}, 50, 20);
    canvas.setPen(kBlack, 3);
    canvas.drawLine(a.tail, a.tip);
    canvas.setBrush(kRed);
    canvas.drawPolygon({a.corner1, a.corner2, a.tip});
    canvas.setHollowBrush();
    canvas.setTextColour(kGreen);
    canvas.setFont({"Courier New", 30, 400});
    canvas.drawEllipse({0, 0, 100, 100});
    canvas.drawRectangle({15, 15, 85, 85});
    canvas.drawPolyline({{1, 2}, {3, 4}});
    canvas.drawTextCentred({0, 0, 100, 100}, "1");
    canvas.drawText({1, 280}, "Project: a b");
    EXPECT_EQ(canvas.text(),
              "pen 0,0,0 3\n"
              "line 100 50 400 50\n"
              "brush 255,0,0\n"
              "polygon 350 35 350 65 400 50\n"
              "brush hollow\n"
              "textcolour 0,255,0\n"
              "font \"Courier New\" 30 400\n"
              "ellipse 0 0 100 100\n"
              "rectangle 15 15 85 85\n"
              "polyline 1 2 3 4\n"
              "centred 0 0 100 100 \"1\"\n"
              "text 1 280 \"Project: a b\"\n");
    EXPECT_EQ(canvas.fontMetrics(), (FontMetrics{12, 2, 1, 7}));
    EXPECT_FALSE(RecordingCanvas().fontMetrics());
}
