// Windows of the framework: the constraint layout with exact rectangles, the
// scroller and its scroll bars, the device-context drawing rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWheelEvent>
#include <functional>

#include "platform/drawing.h"
#include "platform/layout_window.h"

using namespace kvis;

namespace {

using E = TEdge;
using C = TEdgeConstraint;

// Two constraints of each axis set, the third left empty ({}).
TLayoutMetrics metrics(C left, C top, C right, C bottom, C width = {}, C height = {}) {
    TLayoutMetrics m;
    m.left = left, m.top = top, m.right = right, m.bottom = bottom, m.width = width, m.height = height;
    return m;
}

}  // namespace

TEST(LayoutWindow, PlacesChildrenByTheirConstraints) {
    const C none;
    using Set = std::function<void(QWidget*, TLayoutMetrics)>;
    struct Case {
        const char* name;
        std::function<void(const Set&, QWidget* a, QWidget* b, QWidget* c)> place;
        QRect a, b, c;  // c stays at (1, 2, 3, 4) when it has no metrics
    } cases[] = {
        {"edges of the parent with margins",
         [&](const Set& set, QWidget* a, QWidget*, QWidget*) {
             set(a, metrics(lm::parent(E::Left, 5), lm::parent(E::Top, 5), lm::parent(E::Right, -5),
                            lm::parent(E::Bottom, -5)));
         },
         {5, 5, 290, 190}, {1, 2, 3, 4}, {1, 2, 3, 4}},
        {"minus one overlaps the borders; same height, same width",
         [&](const Set& set, QWidget* a, QWidget* b, QWidget* c) {
             set(a, metrics(lm::parent(E::Left), lm::parent(E::Top), none, none, lm::pixels(64), lm::pixels(24)));
             set(b, metrics(lm::of(a, E::Right, -1), lm::parent(E::Top), lm::parent(E::Right), none, none,
                            lm::of(a, E::Height)));
             set(c, metrics(lm::parent(E::Left), lm::of(a, E::Bottom, -1), none, lm::parent(E::Bottom),
                            lm::of(a, E::Width)));
         },
         {0, 0, 64, 24}, {63, 0, 237, 24}, {0, 23, 64, 177}},
        {"80 percent of the width, the rest beside it",
         [&](const Set& set, QWidget* a, QWidget* b, QWidget*) {
             set(a, metrics(lm::parent(E::Left), lm::parent(E::Top), lm::percent(E::Width, 80), lm::parent(E::Bottom)));
             set(b, metrics(lm::of(a, E::Right), lm::parent(E::Top), lm::parent(E::Right), none, none, lm::pixels(40)));
         },
         {0, 0, 240, 200}, {240, 0, 60, 40}, {1, 2, 3, 4}},
        {"right and width, bottom and height; a sibling set later is waited for",
         [&](const Set& set, QWidget* a, QWidget* b, QWidget*) {
             set(a, metrics(none, none, lm::of(b, E::Left, -10), lm::parent(E::Bottom), lm::percent(b, E::Width, 50),
                            lm::pixels(30)));
             set(b, metrics(lm::pixels(150), lm::pixels(10), none, none, lm::pixels(101), lm::pixels(20)));
         },
         {90, 170, 50, 30}, {150, 10, 101, 20}, {1, 2, 3, 4}},
        {"a cycle of references leaves its children empty; a negative size is 0",
         [&](const Set& set, QWidget* a, QWidget* b, QWidget* c) {
             set(a, metrics(lm::of(b, E::Right), lm::pixels(0), none, none, lm::pixels(9), lm::pixels(9)));
             set(b, metrics(lm::of(a, E::Right), lm::pixels(0), none, none, lm::pixels(9), lm::pixels(9)));
             set(c, metrics(lm::pixels(250), lm::pixels(0), lm::pixels(200), none, none, lm::pixels(5)));
         },
         {}, {}, {250, 0, 0, 5}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TLayoutWindow w;
        auto* a = new QWidget(&w);
        auto* b = new QWidget(&w);
        auto* c = new QWidget(&w);
        for (QWidget* x : {a, b, c}) x->setGeometry(1, 2, 3, 4);
        w.resize(300, 200);
        k.place([&w](QWidget* x, TLayoutMetrics m) { w.setChildLayoutMetrics(x, m); }, a, b, c);
        w.layoutChildren();
        EXPECT_EQ(std::tuple(a->geometry(), b->geometry(), c->geometry()), std::tuple(k.a, k.b, k.c));
    }
}

TEST(LayoutWindow, FollowsEveryResizeInsideItsBorder) {
    TLayoutWindow w;
    w.setStyle(TWindow::Border);
    auto* a = new QWidget(&w);
    auto* b = new QWidget(&w);
    w.setChildLayoutMetrics(a, metrics(lm::parent(E::Left), lm::parent(E::Top), lm::percent(E::Width, 80),
                                       lm::parent(E::Bottom)));
    w.setChildLayoutMetrics(b, metrics(lm::of(a, E::Right), lm::parent(E::Top), lm::parent(E::Right),
                                       lm::parent(E::Bottom)));
    const std::tuple<QSize, QRect, QRect> sizes[] = {{{502, 302}, {1, 1, 400, 300}, {401, 1, 100, 300}},
                                                     {{252, 102}, {1, 1, 200, 100}, {201, 1, 50, 100}}};
    w.show();
    for (const auto& [size, ra, rb] : sizes) {
        w.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(std::tuple(a->geometry(), b->geometry()), std::tuple(ra, rb));
    }
}

namespace {

// Records what Paint is asked to draw and where the origin is.
class PaintProbe : public TWindow {
public:
    using TWindow::TWindow;
    QRect asked;
    QPoint origin;
    int setUps = 0;

protected:
    void setUp() override { ++setUps; }
    void Paint(QPainter& dc, bool, const QRect& rect) override {
        asked = rect;
        origin = dc.transform().map(QPoint(0, 0));
    }
};

}  // namespace

TEST(Scroller, MovesThePaintingOriginAndDrivesTheBars) {
    PaintProbe w;
    w.setStyle(TWindow::Border | TWindow::HScroll | TWindow::VScroll);
    w.setScroller(std::make_unique<TScroller>(&w, 10, 1, 25, 300));
    w.resize(200, 150);
    w.show();
    w.show();
    EXPECT_EQ(w.setUps, 1);
    const QRect client = w.clientRect();
    ASSERT_EQ(client.topLeft(), QPoint(1, 1));
    QScrollBar* h = w.scrollBar(Qt::Horizontal);
    QScrollBar* v = w.scrollBar(Qt::Vertical);
    EXPECT_EQ(client.right(), v->geometry().left() - 1);
    EXPECT_EQ(client.bottom(), h->geometry().top() - 1);
    EXPECT_EQ(std::pair(h->maximum(), v->maximum()), std::pair(25, 300));
    EXPECT_EQ(h->pageStep(), client.width() / 10);

    TScroller& s = *w.scroller();
    struct Step { const char* name; std::function<void()> act; long x, y; } steps[] = {
        {"clamped to the ranges", [&] { s.scrollTo(40, -5); }, 25, 0},
        {"line down", [&] { w.EvVScroll(TWindow::ScrollCode::LineDown, 0); }, 25, 1},
        {"page down: the client's height", [&] { w.EvVScroll(TWindow::ScrollCode::PageDown, 0); }, 25, 1 + client.height()},
        {"page left: the client's width in units", [&] { w.EvHScroll(TWindow::ScrollCode::PageUp, 0); },
         25 - client.width() / 10, 1 + client.height()},
        {"thumb", [&] { w.EvHScroll(TWindow::ScrollCode::ThumbTrack, 3); }, 3, 1 + client.height()},
        {"bar action", [&] { v->triggerAction(QAbstractSlider::SliderToMinimum); }, 3, 0},
        {"bar arrow", [&] { h->triggerAction(QAbstractSlider::SliderSingleStepAdd); }, 4, 0},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(st.name);
        st.act();
        EXPECT_EQ(std::pair(s.xPos(), s.yPos()), std::pair(st.x, st.y));
        EXPECT_EQ(std::pair(h->value(), v->value()), std::pair(int(st.x), int(st.y)));
    }

    // Three lines per notch of the wheel (the desktop's setting).
    QApplication::setWheelScrollLines(3);
    QWheelEvent down(QPointF(5, 5), w.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &down);
    EXPECT_EQ(s.yPos(), 3);

    QImage img(w.size(), QImage::Format_RGB32);
    w.render(&img);
    EXPECT_EQ(w.origin, QPoint(1 - 40, 1 - 3));
    EXPECT_EQ(w.asked, QRect(40, 3, client.width(), client.height()));
}

TEST(Drawing, FollowsTheDeviceContextRules) {
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter dc(&img);
    dc.setPen(QPen(Qt::black, 1));
    drawRectangle(dc, 2, 2, 6, 5);  // pixels 2..5 by 2..4
    drawPolyline(dc, {QPoint(10, 10), QPoint(10, 2), QPoint(14, 2)});
    drawFrameInside(dc, Qt::red, 2, 2, 12, 8, 18);
    dc.end();
    auto at = [&](int x, int y) { return QColor(img.pixel(x, y)); };
    const QColor black(Qt::black), white(Qt::white), red(Qt::red);
    struct Probe { int x, y; QColor c; } probes[] = {
        {2, 2, black}, {5, 2, black}, {6, 2, white}, {5, 4, black}, {5, 5, white}, {3, 3, white},
        {10, 10, black}, {10, 2, black}, {13, 2, black}, {14, 2, white},  // the last point is not drawn
        {2, 12, red}, {3, 13, red}, {4, 14, white}, {7, 17, red}, {6, 16, red}, {5, 15, white}, {8, 12, white},
    };
    for (const Probe& p : probes) EXPECT_EQ(at(p.x, p.y), p.c) << p.x << "," << p.y;
}
