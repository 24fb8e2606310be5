#include "views/graph_windows.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cassert>

#include "engine/final_graph.h"
#include "model/numfmt.h"
#include "platform/message_box.h"
#include "platform/painter_canvas.h"
#include "platform/picture_file.h"

namespace kvis {

namespace {

// How far past its rectangle a vertex may paint: the label of a wide number
// spills over the circle; the pen of the circle, 3 wide, by 2 with smoothing.
constexpr int kLabelSpill = 12;
constexpr int kPenSpill = 3;
// An arc stays within its two centres' box widened by the head's half-width
// and the smoothing of its edges.
constexpr int kArcSpill = kHeadHalfWidth + 2;
constexpr int kEdgeSpill = 2;

const char* const kPictureFilter = "SVG pictures (*.svg)|*.svg|PNG pictures (*.png)|*.png|";

Rect fromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

bool meetsAny(const Rect& r, const std::vector<Rect>& areas) {
    return std::any_of(areas.begin(), areas.end(), [&r](const Rect& a) { return meets(r, a); });
}

}  // namespace

TGrafWinBase::TGrafWinBase(QWidget* parent, const ResultsSet& results, GraphKind kind, int vertexCount)
    : TWindow(parent), results_(results), kind_(kind), seenN_(results.n), seenVertexCount_(results.vertexCount) {
    const auto n = static_cast<size_t>(std::max(0, results.n));
    const std::vector<int>* arrays[] = {&results.outrankingMatrix, &results.modifiedOutranking, &results.vertexGraph,
                                        &results.vertexMembers};
    bool whole = results.listCounts.size() == n;
    for (const std::vector<int>* a : arrays) {
        whole = whole && a->size() == n * n;
        seen_.push_back({a, a->data(), a->size()});
    }
    seen_.push_back({&results.listCounts, results.listCounts.data(), results.listCounts.size()});
    // Never more vertices than the arrays hold.
    vertexCount_ = whole ? std::clamp(vertexCount, 0, results.n) : 0;
    radius_ = bigCircleRadius(vertexCount_);
    const Point centre = bigCircleCentre(radius_);
    CentreX = centre.x;
    CentreY = centre.y;
    VertexRects.resize(static_cast<size_t>(vertexRectCount(kind, vertexCount_)));
    placeVertices();

    setStyle(HScroll | VScroll);
    setScroller(std::make_unique<TScroller>(this, 10, 10, 25, 30));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    menu_ = new QMenu(this);
    menu_->addAction(QStringLiteral("Save picture as..."), this, &TGrafWinBase::SavePicture);
    pictureData_.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    pictureData_.fileName = QStringLiteral("*.svg");
    pictureData_.filter = QString::fromLatin1(kPictureFilter);
}

bool TGrafWinBase::arraysIntact() const {
    if (results_.n != seenN_ || results_.vertexCount != seenVertexCount_) return false;
    return std::all_of(seen_.begin(), seen_.end(),
                       [](const Seen& s) { return s.array->data() == s.data && s.array->size() == s.size; });
}

std::string TGrafWinBase::vertexLabel(int v) const { return format("%d", v + 1); }

void TGrafWinBase::placeVertices() {
    VertexPlacement p = kvis::placeVertices(vertexCount_, {CentreX, CentreY}, radius_);
    std::copy(p.rects.begin(), p.rects.end(), VertexRects.begin());
    maxY_ = p.maxY;
}

void TGrafWinBase::drawFigure(Canvas& dc, const std::vector<Rect>* areas) {
    drawVertices(dc, areas);
    drawArcsAndLegend(dc, areas);
}

void TGrafWinBase::drawVertices(Canvas& dc, const std::vector<Rect>* areas) {
    LegendKind = 0;
    placeVertices();
    for (int v = 0; v < vertexCount_; ++v)
        if (!areas || meetsAny(inflated(VertexRects[size_t(v)], kLabelSpill), *areas)) DrawVertex(dc, v);
}

void TGrafWinBase::drawArcsAndLegend(Canvas& dc, const std::vector<Rect>* areas) {
    LegendKind = 0;
    placeVertices();
    for (int i = 0; i < vertexCount_; ++i)
        for (int j = 0; j < vertexCount_; ++j)
            if (i != j && arcDrawn(i, j) && (!areas || arcMeets(i, j, *areas))) DrawArc(dc, i, j);

    const int n = vertexCount_;
    int circle = n;
    for (const LegendEntry& e : legendEntries(kind_, maxY_)) {
        LegendKind = e.legendKind;
        if (e.arc) {
            VertexRects[size_t(n + 2)] = e.sample;
            VertexRects[size_t(n + 3)] = e.arcEnd;
            DrawArc(dc, n + 2, n + 3);
        } else {
            VertexRects[size_t(circle)] = e.sample;
            DrawVertex(dc, circle++);
        }
        dc.drawText(e.textAt, e.text);
    }
    LegendKind = 0;
}

bool TGrafWinBase::arcMeets(int i, int j, const std::vector<Rect>& areas) const {
    const Point a = rectCentre(VertexRects[size_t(i)]), b = rectCentre(VertexRects[size_t(j)]);
    const Rect box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    if (!meetsAny(inflated(box, kArcSpill), areas)) return false;
    const std::optional<ArcFigure> arc = screenArc(VertexRects[size_t(i)], VertexRects[size_t(j)]);
    if (!arc) return false;
    const Point head[] = {arc->corner1, arc->corner2, arc->tip};
    Rect headBox{arc->tip.x, arc->tip.y, arc->tip.x, arc->tip.y};
    for (const Point& p : head)
        headBox = {std::min(headBox.left, p.x), std::min(headBox.top, p.y), std::max(headBox.right, p.x),
                   std::max(headBox.bottom, p.y)};
    return std::any_of(areas.begin(), areas.end(), [&](const Rect& area) {
        const Rect wide = inflated(area, kEdgeSpill);
        return segmentMeets(arc->tail, arc->tip, wide) || meets(headBox, wide);
    });
}

void TGrafWinBase::DrawVertex(Canvas& dc, int v) {
    if (v < 0 || v >= int(VertexRects.size())) return;
    const Rect& r = VertexRects[size_t(v)];
    dc.setPen(v == Marked || LegendKind == 2 ? kRed : kBlue, 3);
    const bool green = kind_ == GraphKind::Final && (LegendKind == 0 ? kernelVertex(v) : LegendKind == 3);
    dc.setBrush(green ? kGreen : kWhite);
    std::string label;
    bool red = false;
    if (LegendKind == 0) {
        label = vertexLabel(v);
        red = labelInRed(v);
    } else if (LegendKind == 4 && kind_ == GraphKind::Final) {
        label = "i";
        red = true;
    }
    if (red) dc.setTextColour(kRed);
    dc.drawEllipse(r);
    if (!label.empty()) dc.drawTextCentred(r, label);
    if (red) dc.setTextColour(kBlack);
    dc.setPen(kBlack, 1);
    dc.setBrush(kWhite);
}

void TGrafWinBase::DrawArc(Canvas& dc, int from, int to) {
    const int count = int(VertexRects.size());
    if (from == to || from < 0 || to < 0 || from >= count || to >= count) return;
    // Two vertices on one point leave no direction to draw in.
    const std::optional<ArcFigure> arc = screenArc(VertexRects[size_t(from)], VertexRects[size_t(to)]);
    if (!arc) return;
    const bool opposite = LegendKind == 0 && from > to && arcDrawn(to, from);
    if (drawsArcLine(from, to, opposite)) dc.drawLine(arc->tail, arc->tip);
    dc.setBrush(headColour(from, to));
    dc.drawPolygon({arc->corner1, arc->corner2, arc->tip});
    dc.setBrush(kWhite);
}

int TGrafWinBase::VertexAt(QPoint client) const {
    const QPoint p = client + scroller()->origin();
    for (int i = 0; i < vertexCount_; ++i)
        if (ellipseContains(VertexRects[size_t(i)], {p.x(), p.y()})) return i;
    return -1;
}

namespace {

// A painter on a layer with the figure's rendering: smoothed, the window's
// font, and pixel (x, y) at the figure's point (x, y), its centre, so that
// lines and the circles' odd pens fall on whole pixels.
void prepareFigurePainter(QPainter& dc, const QFont& font) {
    dc.setRenderHint(QPainter::Antialiasing);
    dc.setFont(font);
    dc.translate(0.5, 0.5);
}

std::vector<Rect> areasOf(const QRegion& region) {
    std::vector<Rect> areas;
    for (const QRect& r : region) areas.push_back(fromQRect(r));
    return areas;
}

}  // namespace

void TGrafWinBase::paintFigure(QPainter& dc, const std::vector<Rect>* areas) {
    prepareFigurePainter(dc, font());
    TPainterCanvas canvas(dc);
    drawFigure(canvas, areas);
}

void TGrafWinBase::forgetLayers() {
    verticesLayer_ = QImage();
    arcsLayer_ = QImage();
    verticesDone_ = QRegion();
    arcsDone_ = QRegion();
}

void TGrafWinBase::renderLayers(const QRegion& area) {
    const qreal ratio = devicePixelRatioF();
    if (verticesLayer_.isNull() || verticesLayer_.devicePixelRatio() != ratio) {
        forgetLayers();
        const QSize size = pictureSize();
        for (QImage* layer : {&verticesLayer_, &arcsLayer_}) {
            *layer = QImage(size * ratio, QImage::Format_ARGB32_Premultiplied);
            layer->setDevicePixelRatio(ratio);
        }
    }
    const QRect figure(QPoint(0, 0), verticesLayer_.deviceIndependentSize().toSize());
    auto render = [&](QImage& layer, QRegion& done, const QColor& ground, bool vertices) {
        const QRegion missing = (area & figure) - done;
        if (missing.isEmpty()) return;
        done |= missing;
        QPainter dc(&layer);
        dc.setClipRegion(missing);
        dc.setCompositionMode(QPainter::CompositionMode_Source);
        dc.fillRect(missing.boundingRect(), ground);
        dc.setCompositionMode(QPainter::CompositionMode_SourceOver);
        prepareFigurePainter(dc, font());
        TPainterCanvas canvas(dc);
        const std::vector<Rect> areas = areasOf(missing);
        if (vertices) {
            drawVertices(canvas, &areas);
        } else {
            drawArcsAndLegend(canvas, &areas);
        }
    };
    render(verticesLayer_, verticesDone_, Qt::white, true);
    render(arcsLayer_, arcsDone_, Qt::transparent, false);
}

void TGrafWinBase::Paint(QPainter& dc, bool, const QRect& rect) {
    assert(arraysIntact());
    if (!arraysIntact()) return;
    // Only what meets the area to repaint is drawn, and only once: a marked
    // vertex draws its circle again, not the thousands of arcs that may cross it.
    const QRegion area = dc.hasClipping() ? dc.clipRegion() & rect : QRegion(rect);
    renderLayers(area);
    const qreal ratio = verticesLayer_.devicePixelRatio();
    const QRect figure(QPoint(0, 0), verticesLayer_.deviceIndependentSize().toSize());
    for (const QRect& r : area & figure) {
        const QRectF source(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio);
        dc.drawImage(QRectF(r), verticesLayer_, source);
        dc.drawImage(QRectF(r), arcsLayer_, source);
    }
}

void TGrafWinBase::updateVertex(int v) {
    if (v < 0 || v >= vertexCount_) return;
    const Rect r = inflated(VertexRects[size_t(v)], kPenSpill);
    const QRect circle(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1);
    verticesDone_ -= circle;
    update(circle.translated(clientRect().topLeft() - scroller()->origin()));
}

void TGrafWinBase::markBy(int step) {
    const int n = vertexCount_;
    if (n == 0 || !arraysIntact()) return;
    Previous = Marked;
    if (step < 0) {
        Marked = Marked == -1 ? 0 : Marked == 0 ? n - 1 : Marked - 1;
    } else {
        Marked = Marked == n - 1 ? 0 : Marked + 1;
    }
    updateVertex(Previous);
    updateVertex(Marked);
    emit vertexMarked(Marked);
}

void TGrafWinBase::keyPressEvent(QKeyEvent* e) {
    TWindow::keyPressEvent(e);
    switch (e->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down: markBy(-1); break;
        case Qt::Key_Left:
        case Qt::Key_Up: markBy(1); break;
        default: return;
    }
    e->accept();
}

void TGrafWinBase::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        TWindow::mousePressEvent(e);
        return;
    }
    e->accept();
    setFocus();
    Previous = VertexAt(toClient(e->position().toPoint()));
    if (Previous == -1 || !arraysIntact()) return;
    const int old = Marked;
    Marked = Previous;
    updateVertex(old);
    updateVertex(Marked);
    emit vertexMarked(Marked);
}

void TGrafWinBase::mouseMoveEvent(QMouseEvent* e) {
    setCursor(VertexAt(toClient(e->position().toPoint())) != -1 ? Qt::CrossCursor : Qt::ArrowCursor);
    TWindow::mouseMoveEvent(e);
}

void TGrafWinBase::changeEvent(QEvent* e) {
    // Labels and legend in another font: the figure is drawn anew.
    if (e->type() == QEvent::FontChange) forgetLayers();
    TWindow::changeEvent(e);
}

void TGrafWinBase::contextMenuEvent(QContextMenuEvent* e) { menu_->exec(e->globalPos()); }

QSize TGrafWinBase::pictureSize() const {
    const QFontMetrics fm(font());
    int right = CentreX + radius_ + kVertexRadius + 5;
    for (const LegendEntry& e : legendEntries(kind_, maxY_))
        right = std::max(right, e.textAt.x + fm.horizontalAdvance(QString::fromLatin1(e.text)) + 10);
    return QSize(right, maxY_ + 115);
}

bool TGrafWinBase::writePicture(const QString& path) {
    if (!arraysIntact()) return false;
    return kvis::writePicture(path, pictureSize(), [this](QPainter& dc) { paintFigure(dc, nullptr); });
}

void TGrafWinBase::SavePicture() {
    TFileSaveDialog dlg(this, pictureData_, QStringLiteral("Save picture as"));
    if (dlg.runModal() != IDOK) return;
    QString path = pictureData_.fileName;
    // A name without an extension takes the kind of picture chosen in the dialog.
    if (!QFileInfo(path).fileName().contains(u'.')) path += pictureData_.filterIndex == 2 ? ".png" : ".svg";
    if (QFileInfo::exists(path) && !confirmReplace(this, path)) return;
    if (!writePicture(path))
        messageBox(this, QStringLiteral("Cannot create file '%1'").arg(path), QStringLiteral("Save picture as"),
                   MB_OK | MB_ICONSTOP);
}

// --- the three graphs ---------------------------------------------------------

TGrafWin1::TGrafWin1(QWidget* parent, const ResultsSet& results)
    : TGrafWinBase(parent, results, GraphKind::Outranking, results.n) {}

bool TGrafWin1::arcDrawn(int i, int j) const { return results_.outrankingMatrix[results_.at(i, j)] != 0; }

TGrafWin2::TGrafWin2(QWidget* parent, const ResultsSet& results)
    : TGrafWinBase(parent, results, GraphKind::Modified, results.n) {}

bool TGrafWin2::arcDrawn(int i, int j) const {
    const auto at = results_.at(i, j);
    return results_.modifiedOutranking[at] != 0 || results_.outrankingMatrix[at] != 0;
}

Colour TGrafWin2::headColour(int i, int j) const {
    if (LegendKind == 3) return kGreen;
    if (LegendKind == 4) return kRed;
    const auto at = results_.at(i, j);
    const int change = results_.modifiedOutranking[at] - results_.outrankingMatrix[at];
    return change < 0 ? kRed : change > 0 ? kGreen : kBlack;
}

TGrafWin::TGrafWin(QWidget* parent, const ResultsSet& results)
    : TGrafWinBase(parent, results, GraphKind::Final, results.vertexCount) {}

bool TGrafWin::arcDrawn(int i, int j) const { return results_.vertexGraph[results_.at(i, j)] != 0; }

std::string TGrafWin::vertexLabel(int v) const { return format("%d", screenVertexNumber(results_, v)); }

bool TGrafWin::labelInRed(int v) const { return isArtificial(results_, v); }

bool TGrafWin::kernelVertex(int v) const { return inKernel(results_, v); }

}  // namespace kvis
