// The graph views: the column beside each figure (numbering lists and
// marked-vertex panels) on results made by hand, and the three views on a
// computed example: their column, the 80 percent split, and marking that
// reaches its own view's panel only (captions and places are the main
// window's tests).
#include <gtest/gtest.h>

#include <QTest>

#include "../support/hand_made_results.h"
#include "model/project_file.h"
#include "views/graph_views.h"

using namespace kvis;

namespace {

using Lines = std::vector<std::string>;
using PanelTexts = std::tuple<std::string, std::string, std::string, Lines>;

Lines lines(const TListBox& list) {
    Lines l;
    for (int i = 0; i < list.getCount(); ++i) l.push_back(list.getString(i));
    return l;
}

PanelTexts texts(const TGrafPanel& p) {
    return {p.Caption->getText(), p.Value->getText(), p.ListCaption->getText(), lines(*p.List)};
}

template <class Panel>
std::unique_ptr<Panel> setUpPanel(const Document& doc) {
    auto panel = std::make_unique<Panel>(nullptr, doc);
    panel->create();
    return panel;
}

}  // namespace

// The names an alternative outranks, sorted: those that differ only in case
// with the capital first.
TEST(GraphPanels, GraphOfOutrankingShowsTheMarkedNameAndWhatItOutranks) {
    Document doc;
    ResultsSet& r = handMadeResults(doc, {"beta", "alpha", "Alpha", "gamma"});
    for (int j : {0, 1, 2, 3}) r.outrankingMatrix[r.at(3, j)] = 1;  // the diagonal is no arc
    auto panel = setUpPanel<TGrafWierzch>(doc);
    EXPECT_EQ(texts(*panel), PanelTexts("Name:", "              ", "Outranks:", {}));
    panel->ShowVertex(3);
    EXPECT_EQ(texts(*panel), PanelTexts("Name:", ":gamma", "Outranks:", {"Alpha", "alpha", "beta"}));
    panel->ShowVertex(0);
    EXPECT_EQ(texts(*panel), PanelTexts("Name:", ":beta", "Outranks:", {}));
}

// Numbers padded to four sort in numeric order.
TEST(GraphPanels, ModifiedGraphListsEveryArcAddedOrRemovedAsText) {
    Document doc;
    ResultsSet& r = handMadeResults(doc, numberedNames(12));
    auto change = [&r](int from, int to, int before, int after, double robustness) {
        const auto at = r.at(from - 1, to - 1);
        r.outrankingMatrix[at] = before;
        r.modifiedOutranking[at] = after;
        r.robustnessMatrix[at] = robustness;
    };
    change(3, 1, 1, 0, 0.42);
    change(2, 3, 0, 1, 0.55);
    change(12, 1, 1, 0, 0.3);
    change(10, 2, 0, 1, 0.81);
    change(4, 5, 1, 1, 0.9);  // kept
    auto panel = setUpPanel<TGrafWierzch1>(doc);
    const Lines arcs = {"A: 10->2 : 0.810", "A: 2->3 : 0.550", "R: 12->1 : 0.300", "R: 3->1 : 0.420"};
    EXPECT_EQ(texts(*panel), PanelTexts("Name:", ":         ", "A:Added  R:Removed", arcs));
    panel->ShowName(9);
    EXPECT_EQ(texts(*panel), PanelTexts("Name:", ":a10", "A:Added  R:Removed", arcs));

    TGrafLista list(nullptr, doc);
    list.setUp();
    list.setUp();  // once only
    Lines numbers;
    for (int i = 1; i <= 12; ++i)
        numbers.push_back((i < 10 ? "   " : "  ") + std::to_string(i) + " -> a" + std::to_string(i));
    EXPECT_EQ(lines(list), numbers);
}

// Five alternatives; the first vertex merges the last three.
TEST(GraphPanels, FinalGraphShowsTheKindAndTheMembersOfTheMarkedVertex) {
    Document doc;
    groupVertices(handMadeResults(doc, {"e", "d", "c", "B", "a"}), {{2, 3, 4}, {0}, {1}});
    auto panel = setUpPanel<TGrafReprWierzch>(doc);
    EXPECT_EQ(texts(*panel), PanelTexts("Type:", "     ", "Alternatives:", {}));
    panel->ShowVertex(0);
    EXPECT_EQ(texts(*panel), PanelTexts("Type:", "Artificial", "Alternatives:", {"a", "B", "c"}));
    panel->ShowVertex(2);
    EXPECT_EQ(texts(*panel), PanelTexts("Type:", "Natural", "Alternatives:", {"d"}));

    TGrafWspPow list(nullptr, doc);
    list.setUp();
    EXPECT_EQ(lines(list), (Lines{"   1 -> e", "   2 -> d", "   6 -> Artificial"}));
}

class GraphViews : public ::testing::Test {
protected:
    void SetUp() override {
        Project p;
        ASSERT_TRUE(loadProject(KVIS_SOURCE_DIR "/examples/car.kvs", p).ok);
        doc.open(std::move(p), "car.kvs", 0);
        ASSERT_EQ(doc.compute().status, ComputeStatus::Computed);
        client.resize(900, 700);
        client.show();
    }
    template <class Child>
    TOknoGraf* open() {
        auto* child = new Child(client, doc);
        child->show();
        QApplication::processEvents();
        return static_cast<TOknoGraf*>(child->widget());
    }
    Document doc;
    TMDIClient client;
};

TEST_F(GraphViews, OpenWithTheirColumnAndTheDrawingFocused) {
    struct Case {
        const char* caption;
        std::function<TOknoGraf*()> open;
        GraphKind kind;
        int vertices;
        PanelTexts panel;
    } cases[] = {
        {"Graph of Outranking", [this] { return open<TMDIGrafPrzewyzszania>(); }, GraphKind::Outranking, 6,
         {"Name:", "              ", "Outranks:", {}}},
        {"Modified Graph of Outranking", [this] { return open<TMDIGrafPosredni>(); }, GraphKind::Modified, 6,
         {"Name:", ":         ", "A:Added  R:Removed", {"R: 4->2 : 0.470", "R: 4->6 : 0.420"}}},
        {"Final Graph", [this] { return open<TMDIFinalGraf>(); }, GraphKind::Final, 5,
         {"Type:", "     ", "Alternatives:", {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        TOknoGraf* view = c.open();
        EXPECT_EQ(std::tuple(view->Drawing->kind(), view->Drawing->vertexCount(), view->List->getCount()),
                  std::tuple(c.kind, c.vertices, c.vertices));
        EXPECT_EQ(std::tuple(view->ListInfo->Text, view->VertexInfo->Text),
                  std::tuple("List of all\nalternatives:", "Marked\nvertex"));
        EXPECT_EQ(texts(*view->Panel), c.panel);
        EXPECT_EQ(QApplication::focusWidget(), view->Drawing);
    }
}

TEST_F(GraphViews, TheDrawingTakesEightyPercentAndTheColumnTheRest) {
    TOknoGraf* view = open<TMDIGrafPrzewyzszania>();
    for (const QSize size : {QSize(500, 300), QSize(811, 533)}) {
        view->parentWidget()->resize(size);
        QApplication::processEvents();
        const int w = view->width(), h = view->height(), x = w * 80 / 100;
        SCOPED_TRACE(w);
        EXPECT_EQ(view->Drawing->geometry(), QRect(0, 0, x, h));
        EXPECT_EQ(view->ListInfo->geometry(), QRect(x, 0, w - x, 40));
        EXPECT_EQ(view->List->geometry(), QRect(x, 40, w - x, 160));
        EXPECT_EQ(view->VertexInfo->geometry(), QRect(x, 200, w - x, 40));
        EXPECT_EQ(view->Panel->geometry(), QRect(x, 240, w - x, h - 240));
    }
    const TGrafPanel& p = *view->Panel;
    const QRect inside = p.contentsRect();
    EXPECT_EQ(p.Caption->geometry(), QRect(inside.topLeft(), QSize(45, 25)));
    EXPECT_EQ(p.Value->geometry(), QRect(inside.left() + 45, inside.top(), inside.width() - 45, 25));
    EXPECT_EQ(p.ListCaption->geometry(), QRect(inside.left(), inside.top() + 25, inside.width(), 40));
    EXPECT_EQ(p.List->geometry(), QRect(inside.left(), inside.top() + 65, inside.width(), 130));
    // A probe of the captions: grey, with their white top edge.
    const QImage caption = view->ListInfo->grab().toImage();
    EXPECT_EQ(std::tuple(caption.pixelColor(3, 0), caption.pixelColor(3, 38)),
              std::tuple(QColor(Qt::white), QColor(192, 192, 192)));
}

// Each drawing window tells its own panel: two views of one kind and a final
// graph open, a marking in one reaches no other.
TEST_F(GraphViews, MarkingReachesTheMarkedViewsPanelOnly) {
    TOknoGraf* first = open<TMDIGrafPrzewyzszania>();
    TOknoGraf* second = open<TMDIGrafPrzewyzszania>();
    TOknoGraf* final = open<TMDIFinalGraf>();
    for (int i = 0; i < 2; ++i) QTest::keyClick(first->Drawing, Qt::Key_Left);  // vertex 1, compact_diesel
    EXPECT_EQ(texts(*first->Panel), PanelTexts("Name:", ":compact_diesel", "Outranks:",
                                               {"compact_suv", "electric_compact", "family_estate", "hybrid_sedan"}));
    EXPECT_EQ(texts(*second->Panel), PanelTexts("Name:", "              ", "Outranks:", {}));
    EXPECT_EQ(texts(*final->Panel), PanelTexts("Type:", "     ", "Alternatives:", {}));

    // Vertex 2 of the final graph is the artificial one.
    for (int i = 0; i < 3; ++i) QTest::keyClick(final->Drawing, Qt::Key_Left);
    EXPECT_EQ(texts(*final->Panel),
              PanelTexts("Type:", "Artificial", "Alternatives:", {"family_estate", "hybrid_sedan"}));
    EXPECT_EQ(std::get<1>(texts(*first->Panel)), ":compact_diesel");
}
