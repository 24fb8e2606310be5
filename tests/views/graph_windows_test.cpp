// The three graph drawing windows on results made by hand: the figure as it is
// drawn (a recording of every canvas call), marking with keys and mouse, the
// repaint of a marked vertex, pictures, and results that are gone.
#include <gtest/gtest.h>

#include <QFile>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>

#include "../support/hand_made_results.h"
#include "../support/recording_canvas.h"
#include "platform/message_box.h"
#include "platform/test_hooks.h"
#include "views/graph_windows.h"

using namespace kvis;

namespace {

// An arc of the graph of outranking that cycle cutting kept.
void arc(ResultsSet& r, int i, int j) {
    const auto at = r.at(i, j);
    r.outrankingMatrix[at] = r.modifiedOutranking[at] = r.vertexGraph[at] = 1;
}

RecordingCanvas drawn(TGrafWinBase& w) {
    RecordingCanvas c;
    w.drawFigure(c);
    return c;
}

// The brush of every head, in the order the heads are drawn.
std::vector<std::string> headBrushes(const RecordingCanvas& c) {
    std::vector<std::string> brushes;
    for (size_t i = 1; i < c.calls.size(); ++i)
        if (c.calls[i].rfind("polygon", 0) == 0) brushes.push_back(c.calls[i - 1]);
    return brushes;
}

// The calls from the first one equal to `from` to the next one equal to `to`, both included.
std::string between(const RecordingCanvas& c, const std::string& from, const std::string& to) {
    std::string s;
    size_t i = 0;
    while (i < c.calls.size() && c.calls[i] != from) ++i;
    for (; i < c.calls.size(); ++i) {
        s += c.calls[i] + "\n";
        if (c.calls[i] == to && s.size() > to.size() + 1) break;
    }
    return s;
}

class GraphWindows : public ::testing::Test {
protected:
    ResultsSet& handMade(int n) { return handMadeResults(doc, numberedNames(n)); }
    void listen(TGrafWinBase& w) {
        QObject::connect(&w, &TGrafWinBase::vertexMarked, [this](int v) { told.push_back(v); });
    }
    static void key(QWidget* w, Qt::Key k) { QTest::keyClick(w, k); }
    Document doc;
    std::vector<int> told;
};

}  // namespace

// Two alternatives outranking each other: vertex 1 straight above vertex 0,
// one line between them with a head at each end, then the legend.
TEST_F(GraphWindows, GraphOfOutrankingIsDrawnWhole) {
    ResultsSet& r = handMade(2);
    arc(r, 0, 1);
    arc(r, 1, 0);
    TGrafWin1 w(nullptr, r);
    EXPECT_EQ(drawn(w).text(),
              "pen 0,0,255 3\nbrush 255,255,255\nellipse 155 305 185 335\ncentred 155 305 185 335 \"1\"\n"
              "pen 0,0,0 1\nbrush 255,255,255\n"
              "pen 0,0,255 3\nbrush 255,255,255\nellipse 155 5 185 35\ncentred 155 5 185 35 \"2\"\n"
              "pen 0,0,0 1\nbrush 255,255,255\n"
              // 0 -> 1 draws the line and the head at vertex 1; 1 -> 0 only its head.
              "line 170 305 170 35\nbrush 0,0,0\npolygon 165 50 175 50 170 35\nbrush 255,255,255\n"
              "brush 0,0,0\npolygon 175 290 165 290 170 305\nbrush 255,255,255\n"
              // The legend under the lowest vertex (y 320).
              "pen 255,0,0 3\nbrush 255,255,255\nellipse 15 350 45 380\npen 0,0,0 1\nbrush 255,255,255\n"
              "text 60 357 \"Active vertex\"\n"
              "pen 0,0,255 3\nbrush 255,255,255\nellipse 15 395 45 425\npen 0,0,0 1\nbrush 255,255,255\n"
              "text 60 402 \"Non-active vertex\"\n");

    // A single arc: its line and one head, at its target.
    r.outrankingMatrix[r.at(0, 1)] = 0;
    const RecordingCanvas c = drawn(w);
    EXPECT_EQ(between(c, "line 170 35 170 305", "brush 255,255,255"),
              "line 170 35 170 305\nbrush 0,0,0\npolygon 175 290 165 290 170 305\nbrush 255,255,255\n");
    EXPECT_EQ(headBrushes(c).size(), 1u);
}

// Arcs kept, removed and added by cycle cutting: the removed arc is still
// drawn, every head coloured by what happened to its arc.
TEST_F(GraphWindows, ModifiedGraphColoursTheHeadsByWhatCycleCuttingDid) {
    ResultsSet& r = handMade(3);
    arc(r, 0, 1);                          // kept
    r.outrankingMatrix[r.at(1, 2)] = 1;    // removed
    r.modifiedOutranking[r.at(2, 0)] = 1;  // added
    TGrafWin2 w(nullptr, r);
    const RecordingCanvas c = drawn(w);
    EXPECT_EQ(headBrushes(c), (std::vector<std::string>{"brush 0,0,0", "brush 255,0,0", "brush 0,255,0",
                                                         "brush 0,255,0", "brush 255,0,0"}));
    // The legend's arcs run between their two rectangles, the text at their end; the ends are no circles.
    EXPECT_EQ(between(c, "line 255 365 330 365", "text 360 402 \"Arc removed\""),
              "line 255 365 330 365\nbrush 0,255,0\npolygon 315 361 315 369 330 365\nbrush 255,255,255\n"
              "text 360 357 \"Arc added\"\n"
              "line 255 410 330 410\nbrush 255,0,0\npolygon 315 406 315 414 330 410\nbrush 255,255,255\n"
              "text 360 402 \"Arc removed\"\n");
}

// Five alternatives, three vertices: {1}, {3, 4, 5} and {2}; the first and
// the last in the kernel.
TEST_F(GraphWindows, FinalGraphFillsTheKernelAndNumbersArtificialVerticesInRed) {
    ResultsSet& r = handMade(5);
    groupVertices(r, {{0}, {2, 3, 4}, {1}});
    r.listCounts = {0, -1, 0, -1, -1};
    r.vertexGraph[r.at(0, 1)] = 1;
    TGrafWin w(nullptr, r);
    const RecordingCanvas c = drawn(w);
    const std::string all = c.text();
    EXPECT_EQ(between(c, "pen 0,0,255 3", "brush 255,255,255"),
              "pen 0,0,255 3\nbrush 0,255,0\nellipse 155 305 185 335\ncentred 155 305 185 335 \"1\"\n"
              "pen 0,0,0 1\nbrush 255,255,255\n");
    EXPECT_EQ(between(c, "ellipse 284 80 314 110", "brush 255,255,255"),
              "ellipse 284 80 314 110\ncentred 284 80 314 110 \"6\"\ntextcolour 0,0,0\npen 0,0,0 1\n"
              "brush 255,255,255\n");
    EXPECT_NE(all.find("textcolour 255,0,0\nellipse 284 80 314 110\n"), std::string::npos);
    EXPECT_NE(all.find("brush 0,255,0\nellipse 25 79 55 109\ncentred 25 79 55 109 \"2\"\n"), std::string::npos);
    // The legend's samples: an artificial "i" in red, a kernel vertex in green.
    EXPECT_NE(all.find("textcolour 255,0,0\nellipse 255 350 285 380\ncentred 255 350 285 380 \"i\"\n"
                       "textcolour 0,0,0\npen 0,0,0 1\nbrush 255,255,255\ntext 300 357 \"Artificial vertex\"\n"),
              std::string::npos);
    EXPECT_NE(all.find("brush 0,255,0\nellipse 255 395 285 425\npen 0,0,0 1\nbrush 255,255,255\n"
                       "text 300 402 \"Kernel vertex\""),
              std::string::npos);
}

// Other keys tell nothing; Left from no mark marks vertex 0 as Right does.
TEST_F(GraphWindows, KeysStepRoundTheCircleAndTellWhoListens) {
    handMade(5);
    TGrafWin1 w(nullptr, doc.results());
    listen(w);
    struct Step { Qt::Key key; int marked, previous; } steps[] = {
        {Qt::Key_Right, 0, -1}, {Qt::Key_Right, 4, 0}, {Qt::Key_Down, 3, 4}, {Qt::Key_Left, 4, 3},
        {Qt::Key_Left, 0, 4},   {Qt::Key_Up, 1, 0},    {Qt::Key_A, 1, 0},    {Qt::Key_Home, 1, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        key(&w, steps[i].key);
        EXPECT_EQ(std::tuple(w.Marked, w.Previous), std::tuple(steps[i].marked, steps[i].previous));
    }
    EXPECT_EQ(told, (std::vector<int>{0, 4, 3, 4, 0, 1}));
    TGrafWin1 other(nullptr, doc.results());
    key(&other, Qt::Key_Left);
    EXPECT_EQ(std::tuple(other.Marked, other.Previous), std::tuple(0, -1));
}

TEST_F(GraphWindows, MouseMarksTheVertexHitAndNothingElse) {
    handMade(5);
    TGrafWin1 w(nullptr, doc.results());
    w.resize(500, 500);
    w.show();
    listen(w);
    const QPoint v3(81 + 14, 48), between(226, 130), legend(30, 365);
    struct Click { const char* name; QPoint at; int marked, previous; std::vector<int> told; } clicks[] = {
        {"vertex 3", v3, 3, 3, {3}},
        {"between vertices", between, 3, -1, {3}},
        {"a legend sample", legend, 3, -1, {3}},
        {"vertex 0, its top edge", {170, 305}, 0, 0, {3, 0}},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.name);
        QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, c.at);
        EXPECT_EQ(std::tuple(w.Marked, w.Previous, told), std::tuple(c.marked, c.previous, c.told));
    }
    // The cross only over a vertex.
    const std::tuple<QPoint, Qt::CursorShape> moves[] = {
        {v3, Qt::CrossCursor}, {between, Qt::ArrowCursor}, {legend, Qt::ArrowCursor}, {{170, 320}, Qt::CrossCursor}};
    for (const auto& [at, shape] : moves) {
        QMouseEvent e(QEvent::MouseMove, QPointF(at), QPointF(w.mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(&w, &e);
        EXPECT_EQ(w.cursor().shape(), shape) << at.x() << " " << at.y();
    }
    // Scrolled by (20, 30) pixels, vertex 0 is hit where it shows.
    w.scroller()->scrollTo(2, 3);
    EXPECT_EQ(std::tuple(w.VertexAt({150, 290}), w.VertexAt({170, 320})), std::tuple(0, -1));
}

// Many vertices on a small circle may share a centre: no line, no head, and
// no division by a zero distance.
TEST_F(GraphWindows, VerticesOnOnePointGetNoArc) {
    ResultsSet& r = handMade(3);
    arc(r, 0, 1);
    TGrafWin1 w(nullptr, r);
    RecordingCanvas c;
    w.VertexRects[1] = w.VertexRects[0];
    w.DrawArc(c, 0, 1);
    w.VertexRects[1] = {156, 305, 184, 335};  // another size, the same centre
    w.DrawArc(c, 0, 1);
    w.DrawArc(c, 0, 0);
    EXPECT_TRUE(c.calls.empty());
}

// What a window reads is bounded by the arrays it was opened on; without
// vertices the legend sits at the top.
TEST_F(GraphWindows, VertexCountNeverExceedsTheArrays) {
    ResultsSet& r = handMade(4);
    r.vertexCount = 9;
    EXPECT_EQ(TGrafWin(nullptr, r).vertexCount(), 4);
    r.vertexCount = -2;
    EXPECT_EQ(TGrafWin(nullptr, r).vertexCount(), 0);
    r.listCounts.clear();
    EXPECT_EQ(TGrafWin1(nullptr, r).vertexCount(), 0);
    ResultsSet none;
    TGrafWin2 empty(nullptr, none);
    EXPECT_EQ(std::tuple(empty.vertexCount(), empty.radius(), empty.VertexRects.size()), std::tuple(0, 150, 4u));
    key(&empty, Qt::Key_Right);
    EXPECT_EQ(empty.Marked, -1);
    EXPECT_EQ(between(drawn(empty), "pen 255,0,0 3", "ellipse 15 30 45 60"),
              "pen 255,0,0 3\nbrush 255,255,255\nellipse 15 30 45 60\n");
}

// A marking repaints the two circles only, with the pixels a whole new paint
// gives, scrolled or not.
TEST_F(GraphWindows, MarkingRepaintsTwoCirclesAsAWholePaintWould) {
    ResultsSet& r = handMade(5);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            if (i != j && (i + j) % 3 != 0) arc(r, i, j);
    TGrafWin1 w(nullptr, r);
    w.resize(520, 470);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();

    struct Painted : QObject {
        QRegion region;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
    } painted;
    w.installEventFilter(&painted);
    key(&w, Qt::Key_Right);
    key(&w, Qt::Key_Right);  // 0, then 4
    QApplication::processEvents();
    EXPECT_EQ(painted.region, QRegion(152, 302, 37, 37) + QRegion(9, 198, 37, 37));
    auto markedThenWhole = [&w] {
        const QImage marked = w.grab().toImage();
        w.forgetLayers();
        EXPECT_EQ(marked, w.grab().toImage());
        return marked;
    };
    const QImage whole = markedThenWhole();
    // The marked vertex's circle red, the others blue, the ground white.
    EXPECT_EQ(std::tuple(whole.pixelColor(12, 216), whole.pixelColor(155, 320), whole.pixelColor(3, 3)),
              std::tuple(QColor(255, 0, 0), QColor(0, 0, 255), QColor(255, 255, 255)));

    w.scroller()->scrollTo(3, 2);
    key(&w, Qt::Key_Left);
    QApplication::processEvents();
    EXPECT_EQ(markedThenWhole().pixelColor(155 - 30, 320 - 20), QColor(255, 0, 0));
}

TEST_F(GraphWindows, PicturesAreSavedAsSvgOrPngWithTheWholeFigure) {
    ResultsSet& r = handMade(3);
    arc(r, 0, 1);
    TGrafWin1 w(nullptr, r);
    w.resize(200, 150);  // a window showing only part of the figure
    key(&w, Qt::Key_Right);
    QTemporaryDir dir;
    TestHooks hooks;
    ASSERT_EQ(w.contextMenu()->actions().size(), 1);
    EXPECT_EQ(w.contextMenu()->actions()[0]->text(), QStringLiteral("Save picture as..."));

    // Without an extension the kind chosen in the dialog: SVG first.
    hooks.files.push_back(dir.filePath(QStringLiteral("figure")));
    w.contextMenu()->actions()[0]->trigger();
    ASSERT_EQ(hooks.fileDialogs.size(), 1u);
    const FileDialogCall& asked = hooks.fileDialogs[0];
    EXPECT_EQ(std::tuple(asked.save, asked.title, asked.fileName, asked.filter),
              std::tuple(true, QStringLiteral("Save picture as"), QStringLiteral("*.svg"),
                         QStringLiteral("SVG pictures (*.svg)|*.svg|PNG pictures (*.png)|*.png|")));
    QFile svg(dir.filePath(QStringLiteral("figure.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray xml = svg.readAll();
    EXPECT_TRUE(xml.contains("<svg") && xml.contains("Non-active vertex")) << xml.left(200).toStdString();

    const QString png = dir.filePath(QStringLiteral("figure.png"));
    hooks.files.push_back(png);
    w.SavePicture();
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), w.pictureSize());
    EXPECT_GT(image.height(), 420);  // the legend is in
    EXPECT_EQ(std::tuple(image.pixelColor(155, 320), image.pixelColor(1, 1)),
              std::tuple(QColor(255, 0, 0), QColor(255, 255, 255)));  // vertex 0, marked
    EXPECT_TRUE(hooks.messages.empty());

    // A taken name is replaced only on Yes; a folder that is not there is said.
    QFile::remove(png);
    QFile(png).open(QIODevice::WriteOnly);
    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder.png"));
    hooks.files = {png, nowhere};
    hooks.answers.push_back(IDNO);
    w.SavePicture();
    w.SavePicture();
    EXPECT_EQ(QFileInfo(png).size(), 0);
    ASSERT_EQ(hooks.messages.size(), 2u);
    EXPECT_EQ(std::tuple(hooks.messages[0].text, hooks.messages[0].caption, hooks.messages[0].flags),
              std::tuple(QStringLiteral("       File already exist.\nDo you want to replace the old file?"), png,
                         MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(std::tuple(hooks.messages[1].text, hooks.messages[1].caption, hooks.messages[1].flags),
              std::tuple(QStringLiteral("Cannot create file '%1'").arg(nowhere), QStringLiteral("Save picture as"),
                         MB_OK | MB_ICONSTOP));
}

// Results computed again under an open window: it neither paints nor marks.
TEST_F(GraphWindows, AWindowKnowsWhenItsArraysAreGone) {
    handMade(3);
    TGrafWin1 w(nullptr, doc.results());
    EXPECT_TRUE(w.arraysIntact());
    DocumentAccess::results(doc).allocate(4);
    EXPECT_FALSE(w.arraysIntact());
    listen(w);
#ifdef NDEBUG
    key(&w, Qt::Key_Right);
    EXPECT_EQ(std::tuple(w.Marked, told.size()), std::tuple(-1, 0u));
    w.resize(100, 100);
    (void)w.grab();
#else
    EXPECT_DEATH((void)w.grab(), "arraysIntact");
#endif
}
