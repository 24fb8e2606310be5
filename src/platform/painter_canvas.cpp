#include "platform/painter_canvas.h"

#include <algorithm>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace kvis {

namespace {

QColor qcolour(Colour c) { return QColor(c.red, c.green, c.blue); }

QPolygon qpolygon(const std::vector<Point>& points) {
    QPolygon poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& p : points) poly << QPoint(p.x, p.y);
    return poly;
}

// Edges, not pixel counts: a box from 10 to 40 is 30 wide.
QRectF qrect(const Rect& r) { return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top); }

}  // namespace

TPainterCanvas::TPainterCanvas(QPainter& painter) : painter_(painter) {
    painter_.setBackgroundMode(Qt::TransparentMode);
    setPen(kBlack, 1);
    setBrush(kWhite);
}

void TPainterCanvas::setPen(Colour colour, int width) {
    painter_.setPen(QPen(qcolour(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void TPainterCanvas::setBrush(Colour colour) { painter_.setBrush(qcolour(colour)); }

void TPainterCanvas::setHollowBrush() { painter_.setBrush(Qt::NoBrush); }

void TPainterCanvas::setTextColour(Colour colour) { textColour_ = colour; }

void TPainterCanvas::setFont(const FontSpec& font) {
    QFont f(QString::fromStdString(font.face));
    // A face the system lacks still gives a fixed-pitch font where one exists.
    f.setStyleHint(QFont::TypeWriter);
    if (font.pixelSize > 0) f.setPixelSize(font.pixelSize);
    f.setWeight(static_cast<QFont::Weight>(font.weight));
    painter_.setFont(f);
}

std::optional<FontMetrics> TPainterCanvas::fontMetrics() {
    const QFontMetrics fm = painter_.fontMetrics();
    if (fm.height() <= 0 || fm.averageCharWidth() <= 0) return std::nullopt;
    const int em = painter_.font().pixelSize() > 0 ? painter_.font().pixelSize() : QFontInfo(painter_.font()).pixelSize();
    FontMetrics m;
    m.height = fm.height();
    m.internalLeading = std::max(0, fm.height() - em);
    m.externalLeading = std::max(0, fm.leading());
    m.averageCharWidth = fm.averageCharWidth();
    return m;
}

template <class Draw>
void TPainterCanvas::withTextPen(Draw draw) {
    const QPen shapes = painter_.pen();
    painter_.setPen(qcolour(textColour_));
    draw();
    painter_.setPen(shapes);
}

void TPainterCanvas::drawText(Point topLeft, const std::string& text) {
    withTextPen([&] {
        painter_.drawText(QPoint(topLeft.x, topLeft.y + painter_.fontMetrics().ascent()), QString::fromStdString(text));
    });
}

void TPainterCanvas::drawTextCentred(const Rect& box, const std::string& text) {
    withTextPen([&] {
        painter_.drawText(qrect(box), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                          QString::fromStdString(text));
    });
}

void TPainterCanvas::drawLine(Point from, Point to) { painter_.drawLine(from.x, from.y, to.x, to.y); }

void TPainterCanvas::drawPolyline(const std::vector<Point>& points) { painter_.drawPolyline(qpolygon(points)); }

void TPainterCanvas::drawEllipse(const Rect& box) { painter_.drawEllipse(qrect(box)); }

void TPainterCanvas::drawRectangle(const Rect& box) { painter_.drawRect(qrect(box)); }

void TPainterCanvas::drawPolygon(const std::vector<Point>& points) { painter_.drawPolygon(qpolygon(points)); }

}  // namespace kvis
