#include "views/graph_panels.h"

#include <QPainter>

#include "document/document.h"
#include "engine/final_graph.h"
#include "model/numfmt.h"

namespace kvis {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TGrafInfo::TGrafInfo(QWidget* parent, const char* text) : TWindow(parent), Text(text) {
    if (Text.size() >= kTextSize) Text.resize(kTextSize - 1);
    setBackgroundColor(QColor(192, 192, 192));
}

void TGrafInfo::Paint(QPainter& dc, bool erase, const QRect& rect) {
    TWindow::Paint(dc, erase, rect);
    const QRect client(QPoint(0, 0), clientRect().size());
    dc.setPen(Qt::black);
    dc.drawText(client, int(Qt::AlignHCenter | Qt::AlignTop), qs(Text));
    dc.setPen(Qt::white);
    dc.drawLine(client.left(), client.top(), client.right(), client.top());
}

// --- numbering lists --------------------------------------------------------------

TGrafLista::TGrafLista(QWidget* parent, const Document& doc) : TListBox(parent, kId), doc_(doc) {
    setSorted(true);
    setUniformItemSizes(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameStyle(QFrame::Box | QFrame::Plain);
}

void TGrafLista::setUp() {
    if (filled_) return;
    filled_ = true;
    fill();
}

void TGrafLista::showEvent(QShowEvent* e) {
    setUp();
    TListBox::showEvent(e);
}

void TGrafLista::fill() {
    const Project& p = doc_.project();
    const int n = std::min(doc_.results().n, p.n);
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) lines.push_back(format("%4d -> %s", i + 1, p.alternatives[size_t(i)].name.c_str()));
    setStrings(lines);
}

TGrafWspPow::TGrafWspPow(QWidget* parent, const Document& doc) : TGrafLista(parent, doc) {}

void TGrafWspPow::fill() {
    const ResultsSet& r = doc_.results();
    const Project& p = doc_.project();
    const int count = std::min(r.vertexCount, r.n);
    std::vector<std::string> lines;
    for (int v = 0; v < count; ++v) {
        const int number = screenVertexNumber(r, v);
        if (isArtificial(r, v)) {
            lines.push_back(format("%4d -> %s", number, "Artificial"));
        } else if (number - 1 < p.n) {
            lines.push_back(format("%4d -> %s", number, p.alternatives[size_t(number - 1)].name.c_str()));
        }
    }
    setStrings(lines);
}

// --- marked-vertex panels -------------------------------------------------------------

TGrafPanel::TGrafPanel(QWidget* parent, const Document& doc, const char* caption, const char* value,
                       const char* listCaption)
    : TLayoutWindow(parent), doc_(doc) {
    setStyle(Border);
    Caption = new TStatic(this, kCaptionId, QString::fromLatin1(caption));
    Value = new TStatic(this, kValueId, QString::fromLatin1(value));
    ListCaption = new TStatic(this, kListCaptionId, QString::fromLatin1(listCaption));
    List = new TListBox(this, kListId);
    List->setSorted(true);
    List->setUniformItemSizes(true);
    List->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    List->setFrameStyle(QFrame::Box | QFrame::Plain);
    Caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ListCaption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    TLayoutMetrics m;
    m.left = lm::parent(TEdge::Left);
    m.top = lm::parent(TEdge::Top);
    m.width = lm::pixels(45);
    m.height = lm::pixels(25);
    setChildLayoutMetrics(Caption, m);
    m = {};
    m.left = lm::of(Caption, TEdge::Right);
    m.top = lm::parent(TEdge::Top);
    m.right = lm::parent(TEdge::Right);
    m.height = lm::pixels(25);
    setChildLayoutMetrics(Value, m);
    m = {};
    m.left = lm::parent(TEdge::Left);
    m.top = lm::of(Value, TEdge::Bottom);
    m.right = lm::parent(TEdge::Right);
    m.height = lm::pixels(40);
    setChildLayoutMetrics(ListCaption, m);
    m = {};
    m.left = lm::parent(TEdge::Left);
    m.top = lm::of(ListCaption, TEdge::Bottom);
    m.right = lm::parent(TEdge::Right);
    m.height = lm::pixels(130);
    setChildLayoutMetrics(List, m);
}

std::string TGrafPanel::name(int a) const {
    const Project& p = doc_.project();
    return a >= 0 && a < p.n ? p.alternatives[size_t(a)].name : std::string();
}

TGrafWierzch::TGrafWierzch(QWidget* parent, const Document& doc)
    : TGrafPanel(parent, doc, "Name:", "alter_10", "Outranks:") {}

void TGrafWierzch::setUp() {
    TGrafPanel::setUp();
    Value->setText(std::string(14, ' '));
    ShowVertex(-1);
}

void TGrafWierzch::ShowVertex(int v) {
    const ResultsSet& r = doc_.results();
    std::vector<std::string> outranked;
    if (v >= 0 && v < r.n) {
        Value->setText(":" + name(v));
        for (int j = 0; j < r.n; ++j)
            if (j != v && r.outrankingMatrix[r.at(v, j)] != 0) outranked.push_back(name(j));
    }
    List->setStrings(outranked);
}

TGrafWierzch1::TGrafWierzch1(QWidget* parent, const Document& doc)
    : TGrafPanel(parent, doc, "Name:", "Natural", "A:Added  R:Removed") {}

void TGrafWierzch1::setUp() {
    TGrafPanel::setUp();
    std::vector<std::string> arcs;
    for (const ModifiedArc& a : modifiedArcs(doc_.results()))
        arcs.push_back(format("%s %d->%d : %.3f", a.change < 0 ? "R:" : "A:", a.from + 1, a.to + 1, a.robustness));
    List->setStrings(arcs);
    ShowName(-1);
}

void TGrafWierzch1::ShowName(int v) { Value->setText(v == -1 ? std::string(":         ") : ":" + name(v)); }

TGrafReprWierzch::TGrafReprWierzch(QWidget* parent, const Document& doc)
    : TGrafPanel(parent, doc, "Type:", "Normal", "Alternatives:") {}

void TGrafReprWierzch::setUp() {
    TGrafPanel::setUp();
    ShowVertex(-1);
}

void TGrafReprWierzch::ShowVertex(int v) {
    const ResultsSet& r = doc_.results();
    const bool vertex = v >= 0 && v < std::min(r.vertexCount, r.n);
    Value->setText(vertex ? memberKindText(vertexKind(r, v).members) : "     ");
    std::vector<std::string> members;
    if (vertex)
        for (int a : vertexMemberList(r, v)) members.push_back(name(a));
    List->setStrings(members);
}

}  // namespace kvis
