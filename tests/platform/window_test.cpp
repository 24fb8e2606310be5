// Windows of the framework: the constraint layout with exact rectangles, the
// scroller and its scroll bars, the device-context drawing rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWheelEvent>
#include <functional>

#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/layout_window.h"

using namespace kvis;

namespace {

struct Placement {
    const char* name;
    // Sets the metrics of the children a, b, c of the window.
    std::function<void(TLayoutWindow&, QWidget* a, QWidget* b, QWidget* c)> metrics;
    QRect a, b, c;
};

TLayoutMetrics ltwh(TEdgeConstraint l, TEdgeConstraint t, TEdgeConstraint w, TEdgeConstraint h) {
    TLayoutMetrics m;
    m.left = l;
    m.top = t;
    m.width = w;
    m.height = h;
    return m;
}

}  // namespace

TEST(LayoutWindow, PlacesChildrenByTheirConstraints) {
    using E = TEdge;
    const Placement cases[] = {
        {"edges of the parent with margins",
         [](TLayoutWindow& w, QWidget* a, QWidget*, QWidget*) {
             TLayoutMetrics m;
             m.left = lm::parent(E::Left, 5);
             m.top = lm::parent(E::Top, 5);
             m.right = lm::parent(E::Right, -5);
             m.bottom = lm::parent(E::Bottom, -5);
             w.setChildLayoutMetrics(a, m);
         },
         QRect(5, 5, 290, 190), {}, {}},
        {"minus one overlaps the borders; same height, same width",
         [](TLayoutWindow& w, QWidget* a, QWidget* b, QWidget* c) {
             w.setChildLayoutMetrics(a, ltwh(lm::parent(E::Left), lm::parent(E::Top), lm::pixels(64), lm::pixels(24)));
             TLayoutMetrics mb = ltwh(lm::of(a, E::Right, -1), lm::parent(E::Top), {}, lm::of(a, E::Height));
             mb.right = lm::parent(E::Right);
             w.setChildLayoutMetrics(b, mb);
             TLayoutMetrics mc = ltwh(lm::parent(E::Left), lm::of(a, E::Bottom, -1), lm::of(a, E::Width), {});
             mc.bottom = lm::parent(E::Bottom);
             w.setChildLayoutMetrics(c, mc);
         },
         QRect(0, 0, 64, 24), QRect(63, 0, 237, 24), QRect(0, 23, 64, 177)},
        {"a percentage of the width; the rest beside it",
         [](TLayoutWindow& w, QWidget* a, QWidget* b, QWidget*) {
             TLayoutMetrics ma;
             ma.left = lm::parent(E::Left);
             ma.top = lm::parent(E::Top);
             ma.right = lm::percent(E::Width, 80);
             ma.bottom = lm::parent(E::Bottom);
             w.setChildLayoutMetrics(a, ma);
             TLayoutMetrics mb = ltwh(lm::of(a, E::Right), lm::parent(E::Top), {}, lm::pixels(40));
             mb.right = lm::parent(E::Right);
             w.setChildLayoutMetrics(b, mb);
         },
         QRect(0, 0, 240, 200), QRect(240, 0, 60, 40), {}},
        {"right and width, bottom and height; a sibling set later is waited for",
         [](TLayoutWindow& w, QWidget* a, QWidget* b, QWidget*) {
             TLayoutMetrics ma;
             ma.right = lm::of(b, E::Left, -10);
             ma.width = lm::percent(b, E::Width, 50);
             ma.bottom = lm::parent(E::Bottom);
             ma.height = lm::pixels(30);
             w.setChildLayoutMetrics(a, ma);
             w.setChildLayoutMetrics(b, ltwh(lm::pixels(150), lm::pixels(10), lm::pixels(101), lm::pixels(20)));
         },
         QRect(90, 170, 50, 30), QRect(150, 10, 101, 20), {}},
        {"a cycle of references leaves those children empty; a negative size is 0",
         [](TLayoutWindow& w, QWidget* a, QWidget* b, QWidget* c) {
             w.setChildLayoutMetrics(a, ltwh(lm::of(b, E::Right), lm::pixels(0), lm::pixels(10), lm::pixels(10)));
             w.setChildLayoutMetrics(b, ltwh(lm::of(a, E::Right), lm::pixels(0), lm::pixels(10), lm::pixels(10)));
             TLayoutMetrics mc = ltwh(lm::pixels(250), lm::pixels(0), {}, lm::pixels(5));
             mc.right = lm::pixels(200);
             w.setChildLayoutMetrics(c, mc);
         },
         QRect(), QRect(), QRect(250, 0, 0, 5)},
    };
    for (const Placement& p : cases) {
        SCOPED_TRACE(p.name);
        TLayoutWindow w;
        auto* a = new QWidget(&w);
        auto* b = new QWidget(&w);
        auto* c = new QWidget(&w);
        for (QWidget* x : {a, b, c}) x->setGeometry(1, 2, 3, 4);  // a child without metrics stays where it is
        w.resize(300, 200);
        p.metrics(w, a, b, c);
        w.layoutChildren();
        EXPECT_EQ(a->geometry(), p.a);
        EXPECT_EQ(b->geometry(), w.childLayoutMetrics(b) ? p.b : QRect(1, 2, 3, 4));
        EXPECT_EQ(c->geometry(), w.childLayoutMetrics(c) ? p.c : QRect(1, 2, 3, 4));
    }
}

TEST(LayoutWindow, FollowsEveryResizeInsideItsBorder) {
    TLayoutWindow w;
    w.setStyle(TWindow::Border);
    auto* a = new QWidget(&w);
    auto* b = new QWidget(&w);
    TLayoutMetrics m;
    m.left = lm::parent(TEdge::Left);
    m.top = lm::parent(TEdge::Top);
    m.right = lm::percent(TEdge::Width, 80);
    m.bottom = lm::parent(TEdge::Bottom);
    w.setChildLayoutMetrics(a, m);
    m.left = lm::of(a, TEdge::Right);
    m.right = lm::parent(TEdge::Right);
    w.setChildLayoutMetrics(b, m);
    w.resize(502, 302);
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(a->geometry(), QRect(1, 1, 400, 300));
    EXPECT_EQ(b->geometry(), QRect(401, 1, 100, 300));
    w.resize(252, 102);
    QApplication::processEvents();
    EXPECT_EQ(a->geometry(), QRect(1, 1, 200, 100));
    EXPECT_EQ(b->geometry(), QRect(201, 1, 50, 100));
    w.removeChildLayoutMetrics(b);
    w.resize(102, 102);
    QApplication::processEvents();
    EXPECT_EQ(b->geometry(), QRect(201, 1, 50, 100));
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

TEST(Edit, InAWindowTakesItsPlaceTextAndLimit) {
    QWidget parent;
    TEdit e(&parent, 100, QStringLiteral("abc"), QRect(0, 0, 64, 24), 128);
    EXPECT_EQ(std::tuple(e.controlId(), e.text(), e.geometry(), e.maxLength()),
              std::tuple(100, QStringLiteral("abc"), QRect(0, 0, 64, 24), 127));
}
