// The graph views: the column beside each figure (captions, numbering lists,
// marked-vertex panels) on results made by hand, and the three views on a
// computed example: captions, places, the 80 percent split, and marking that
// reaches its own view's panel only.
#include <gtest/gtest.h>

#include <QTest>

#include "../support/document_access.h"
#include "model/project_file.h"
#include "views/graph_views.h"

using namespace kvis;

namespace {

std::vector<std::string> lines(const TListBox& list) {
    std::vector<std::string> l;
    for (int i = 0; i < list.getCount(); ++i) l.push_back(list.getString(i));
    return l;
}

// Results of alternatives with these names, each its own vertex, no arc.
ResultsSet& handMade(Document& doc, const std::vector<std::string>& names) {
    Project& p = DocumentAccess::project(doc);
    p.n = int(names.size());
    p.alternatives.clear();
    for (const std::string& name : names) p.alternatives.push_back({name});
    ResultsSet& r = DocumentAccess::results(doc);
    r.allocate(p.n);
    for (int v = 0; v < p.n; ++v) r.vertexMembers[r.at(v, 0)] = v;
    r.vertexCount = p.n;
    return r;
}

std::vector<std::string> numbered(int n) {
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i) names.push_back("a" + std::to_string(i));
    return names;
}

template <class Panel>
std::unique_ptr<Panel> setUpPanel(const Document& doc) {
    auto panel = std::make_unique<Panel>(nullptr, doc);
    panel->create();
    return panel;
}

struct PanelTexts {
    std::string caption, value, listCaption;
    std::vector<std::string> list;
    bool operator==(const PanelTexts&) const = default;
};

PanelTexts texts(const TGrafPanel& p) {
    return {p.Caption->getText(), p.Value->getText(), p.ListCaption->getText(), lines(*p.List)};
}

void PrintTo(const PanelTexts& t, std::ostream* os) {
    *os << "{" << t.caption << "|" << t.value << "|" << t.listCaption << "|";
    for (const std::string& l : t.list) *os << l << ";";
    *os << "}";
}

}  // namespace

TEST(GraphPanels, CaptionsAndControlIds) {
    Document doc;
    handMade(doc, numbered(2));
    TGrafInfo info(nullptr, "List of all\nalternatives:");
    EXPECT_EQ(info.Text, "List of all\nalternatives:");
    EXPECT_EQ(TGrafInfo(nullptr, "0123456789012345678901234567890123456789012345678901234").Text.size(), 49u);
    EXPECT_EQ(info.palette().color(QPalette::Window), QColor(192, 192, 192));

    // Before their set-up the panels show their first texts.
    TGrafWierzch panel(nullptr, doc);
    EXPECT_EQ(texts(panel), (PanelTexts{"Name:", "alter_10", "Outranks:", {}}));
    EXPECT_EQ(std::tuple(panel.Caption->controlId(), panel.Value->controlId(), panel.ListCaption->controlId(),
                         panel.List->controlId(), panel.List->sorted(), TGrafLista(nullptr, doc).sorted()),
              std::tuple(151, 152, 153, 154, true, true));
    EXPECT_EQ(texts(TGrafWierzch1(nullptr, doc)).value, "Natural");
    EXPECT_EQ(texts(TGrafReprWierzch(nullptr, doc)).value, "Normal");
}

// The names an alternative outranks, sorted: those that differ only in case
// with the capital first.
TEST(GraphPanels, GraphOfOutrankingShowsTheMarkedNameAndWhatItOutranks) {
    Document doc;
    ResultsSet& r = handMade(doc, {"beta", "alpha", "Alpha", "gamma"});
    for (int j : {0, 1, 2}) r.outrankingMatrix[r.at(3, j)] = 1;
    r.outrankingMatrix[r.at(3, 3)] = 1;  // the diagonal is no arc
    auto panel = setUpPanel<TGrafWierzch>(doc);
    EXPECT_EQ(texts(*panel), (PanelTexts{"Name:", "              ", "Outranks:", {}}));
    panel->ShowVertex(3);
    EXPECT_EQ(texts(*panel), (PanelTexts{"Name:", ":gamma", "Outranks:", {"Alpha", "alpha", "beta"}}));
    panel->ShowVertex(0);
    EXPECT_EQ(texts(*panel), (PanelTexts{"Name:", ":beta", "Outranks:", {}}));
}

TEST(GraphPanels, ModifiedGraphListsEveryArcAddedOrRemovedAsText) {
    Document doc;
    ResultsSet& r = handMade(doc, numbered(12));
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
    const std::vector<std::string> arcs = {"A: 10->2 : 0.810", "A: 2->3 : 0.550", "R: 12->1 : 0.300",
                                           "R: 3->1 : 0.420"};
    EXPECT_EQ(texts(*panel), (PanelTexts{"Name:", ":         ", "A:Added  R:Removed", arcs}));
    panel->ShowName(9);
    EXPECT_EQ(texts(*panel), (PanelTexts{"Name:", ":a10", "A:Added  R:Removed", arcs}));

    Document unchanged;
    handMade(unchanged, numbered(3));
    EXPECT_TRUE(lines(*setUpPanel<TGrafWierzch1>(unchanged)->List).empty());
}

// Five alternatives; the first vertex merges the last three.
TEST(GraphPanels, FinalGraphShowsTheKindAndTheMembersOfTheMarkedVertex) {
    Document doc;
    ResultsSet& r = handMade(doc, {"e", "d", "c", "B", "a"});
    std::fill(r.vertexMembers.begin(), r.vertexMembers.end(), -1);
    const std::vector<std::vector<int>> members = {{2, 3, 4}, {0}, {1}};
    for (int v = 0; v < 3; ++v)
        std::copy(members[size_t(v)].begin(), members[size_t(v)].end(), r.vertexMembers.begin() + r.at(v, 0));
    r.vertexCount = 3;
    auto panel = setUpPanel<TGrafReprWierzch>(doc);
    EXPECT_EQ(texts(*panel), (PanelTexts{"Type:", "     ", "Alternatives:", {}}));
    panel->ShowVertex(0);
    EXPECT_EQ(texts(*panel), (PanelTexts{"Type:", "Artificial", "Alternatives:", {"a", "B", "c"}}));
    panel->ShowVertex(2);
    EXPECT_EQ(texts(*panel), (PanelTexts{"Type:", "Natural", "Alternatives:", {"d"}}));

    TGrafWspPow list(nullptr, doc);
    list.setUp();
    EXPECT_EQ(lines(list), (std::vector<std::string>{"   1 -> e", "   2 -> d", "   6 -> Artificial"}));
}

TEST(GraphPanels, NumbersPaddedToFourSortInNumericOrder) {
    Document doc;
    handMade(doc, numbered(12));
    TGrafLista list(nullptr, doc);
    list.setUp();
    list.setUp();  // once only
    std::vector<std::string> expected;
    for (int i = 1; i <= 12; ++i) expected.push_back((i < 10 ? "   " : "  ") + std::to_string(i) + " -> a" + std::to_string(i));
    EXPECT_EQ(lines(list), expected);
}

// ---- The views on a computed example ------------------------------------------------

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

TEST_F(GraphViews, OpenWithTheirCaptionsInTheCascadeWithTheirColumn) {
    struct Case { const char* caption; std::function<TOknoGraf*()> open; QPoint at; GraphKind kind; int vertices; } cases[] = {
        {"Graph of Outranking", [this] { return open<TMDIGrafPrzewyzszania>(); }, {105, 80}, GraphKind::Outranking, 6},
        {"Modified Graph of Outranking", [this] { return open<TMDIGrafPosredni>(); }, {125, 95}, GraphKind::Modified, 6},
        {"Final Graph", [this] { return open<TMDIFinalGraf>(); }, {145, 110}, GraphKind::Final, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        TOknoGraf* view = c.open();
        auto* child = static_cast<QMdiSubWindow*>(view->parentWidget());
        EXPECT_EQ(std::tuple(child->windowTitle().toStdString(), child->geometry()),
                  std::tuple(c.caption, QRect(c.at, QSize(500, 300))));
        EXPECT_EQ(std::tuple(view->Drawing->kind(), view->Drawing->vertexCount()), std::tuple(c.kind, c.vertices));
        EXPECT_EQ(std::tuple(view->ListInfo->Text, view->VertexInfo->Text, view->List->controlId()),
                  std::tuple("List of all\nalternatives:", "Marked\nvertex", 171));
        EXPECT_EQ(view->List->getCount(), c.vertices);
        // The children in their order.
        const QObjectList kids = view->children();
        const std::vector<QObject*> order(kids.begin(), kids.end());
        EXPECT_EQ(order, (std::vector<QObject*>{view->Drawing, view->ListInfo, view->VertexInfo, view->List,
                                               view->Panel}));
        EXPECT_EQ(QApplication::focusWidget(), view->Drawing);
    }
    // The final graph's list: natural vertices by their alternative, the artificial one by n + 1.
    auto* final = static_cast<TOknoGraf*>(client.subWindowList().back()->widget());
    EXPECT_EQ(lines(*final->List), (std::vector<std::string>{"   1 -> city_hatch", "   2 -> compact_diesel",
                                                             "   5 -> compact_suv", "   6 -> electric_compact",
                                                             "   7 -> Artificial"}));
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
    QTest::keyClick(first->Drawing, Qt::Key_Left);
    QTest::keyClick(first->Drawing, Qt::Key_Left);  // vertex 1, compact_diesel
    EXPECT_EQ(texts(*first->Panel), (PanelTexts{"Name:", ":compact_diesel", "Outranks:",
                                                {"compact_suv", "electric_compact", "family_estate", "hybrid_sedan"}}));
    EXPECT_EQ(texts(*second->Panel), (PanelTexts{"Name:", "              ", "Outranks:", {}}));
    EXPECT_EQ(texts(*final->Panel), (PanelTexts{"Type:", "     ", "Alternatives:", {}}));

    // Vertex 2 of the final graph is the artificial one.
    QTest::keyClick(final->Drawing, Qt::Key_Left);
    QTest::keyClick(final->Drawing, Qt::Key_Left);
    QTest::keyClick(final->Drawing, Qt::Key_Left);
    EXPECT_EQ(texts(*final->Panel),
              (PanelTexts{"Type:", "Artificial", "Alternatives:", {"family_estate", "hybrid_sedan"}}));
    EXPECT_EQ(texts(*first->Panel).value, ":compact_diesel");
}

TEST_F(GraphViews, ModifiedGraphListsTheArcsCycleCuttingRemoved) {
    TOknoGraf* view = open<TMDIGrafPosredni>();
    EXPECT_EQ(texts(*view->Panel), (PanelTexts{"Name:", ":         ", "A:Added  R:Removed",
                                               {"R: 4->2 : 0.470", "R: 4->6 : 0.420"}}));
    QTest::keyClick(view->Drawing, Qt::Key_Right);
    EXPECT_EQ(texts(*view->Panel).value, ":city_hatch");
}
