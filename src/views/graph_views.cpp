#include "views/graph_views.h"

#include "document/document.h"
#include "views/view_child.h"

namespace kvis {

void TOknoGraf::addDrawing(TGrafWinBase* drawing) {
    Drawing = drawing;
    ListInfo = new TGrafInfo(this, "List of all\nalternatives:");
    VertexInfo = new TGrafInfo(this, "Marked\nvertex");
    // Activating the view puts the keys on the figure.
    setFocusProxy(drawing);
}

void TOknoGraf::addColumn(TGrafLista* list, TGrafPanel* panel) {
    List = list;
    Panel = panel;
    TLayoutMetrics m;
    m.left = lm::parent(TEdge::Left);
    m.top = lm::parent(TEdge::Top);
    m.right = lm::percent(TEdge::Width, 80);
    m.bottom = lm::parent(TEdge::Bottom);
    setChildLayoutMetrics(Drawing, m);
    // The column: each child from the drawing's right to the client's right,
    // one under the other.
    auto column = [this](QWidget* child, const TEdgeConstraint& top, int height) {
        TLayoutMetrics c;
        c.left = lm::of(Drawing, TEdge::Right);
        c.top = top;
        c.right = lm::parent(TEdge::Right);
        if (height > 0) {
            c.height = lm::pixels(height);
        } else {
            c.bottom = lm::parent(TEdge::Bottom);
        }
        setChildLayoutMetrics(child, c);
    };
    column(ListInfo, lm::parent(TEdge::Top), 40);
    column(List, lm::of(ListInfo, TEdge::Bottom), 160);
    column(VertexInfo, lm::of(List, TEdge::Bottom), 40);
    column(Panel, lm::of(VertexInfo, TEdge::Bottom), 0);
}

void TOknoGraf::resizeEvent(QResizeEvent* e) {
    TLayoutWindow::resizeEvent(e);
    // Their texts are centred on the new width.
    ListInfo->update();
    VertexInfo->update();
}

void TOknoGraf::setUp() {
    TLayoutWindow::setUp();
    Drawing->setFocus();
}

TOknoGrafPrzewyzszania::TOknoGrafPrzewyzszania(const Document& doc) {
    auto* drawing = new TGrafWin1(this, doc.results());
    addDrawing(drawing);
    auto* list = new TGrafLista(this, doc);
    auto* panel = new TGrafWierzch(this, doc);
    addColumn(list, panel);
    connect(drawing, &TGrafWinBase::vertexMarked, panel, &TGrafWierzch::ShowVertex);
}

TOknoGrafPosredni::TOknoGrafPosredni(const Document& doc) {
    auto* drawing = new TGrafWin2(this, doc.results());
    addDrawing(drawing);
    auto* list = new TGrafLista(this, doc);
    auto* panel = new TGrafWierzch1(this, doc);
    addColumn(list, panel);
    connect(drawing, &TGrafWinBase::vertexMarked, panel, &TGrafWierzch1::ShowName);
}

TOknoFinalGraf::TOknoFinalGraf(const Document& doc) {
    auto* drawing = new TGrafWin(this, doc.results());
    addDrawing(drawing);
    auto* list = new TGrafWspPow(this, doc);
    auto* panel = new TGrafReprWierzch(this, doc);
    addColumn(list, panel);
    connect(drawing, &TGrafWinBase::vertexMarked, panel, &TGrafReprWierzch::ShowVertex);
}

TMDIGrafPrzewyzszania::TMDIGrafPrzewyzszania(TMDIClient& parent, const Document& doc)
    : TMDIChild(parent, QStringLiteral("Graph of Outranking"), new TOknoGrafPrzewyzszania(doc)) {
    placeView(*this, {105, 80}, "ICN_GRAF");
}

TMDIGrafPosredni::TMDIGrafPosredni(TMDIClient& parent, const Document& doc)
    : TMDIChild(parent, QStringLiteral("Modified Graph of Outranking"), new TOknoGrafPosredni(doc)) {
    placeView(*this, {125, 95}, "ICN_GRAF");
}

TMDIFinalGraf::TMDIFinalGraf(TMDIClient& parent, const Document& doc)
    : TMDIChild(parent, QStringLiteral("Final Graph"), new TOknoFinalGraf(doc)) {
    placeView(*this, {145, 110}, "ICN_GRAF");
}

}  // namespace kvis
