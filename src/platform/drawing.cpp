#include "platform/drawing.h"

namespace kvis {

void drawRectangle(QPainter& dc, int l, int t, int r, int b) {
    if (r - l < 1 || b - t < 1) return;
    dc.drawRect(QRect(l, t, r - l - 1, b - t - 1));
}

void drawPolyline(QPainter& dc, std::initializer_list<QPoint> points) {
    const QPoint* p = points.begin();
    if (points.size() < 2) return;
    for (const QPoint* q = p + 1; q != points.end(); p = q++) {
        QPoint end = *q;
        if (q + 1 == points.end()) {
            // Step back one pixel towards the start.
            const QPoint d = *q - *p;
            end -= QPoint(d.x() > 0 ? 1 : d.x() < 0 ? -1 : 0, d.y() > 0 ? 1 : d.y() < 0 ? -1 : 0);
            if (d.isNull()) continue;
        }
        dc.drawLine(*p, end);
    }
}

void drawFrameInside(QPainter& dc, const QColor& color, int width, int l, int t, int r, int b) {
    if (r <= l || b <= t) return;
    const int w = std::min(width, std::min(r - l, b - t));
    dc.fillRect(QRect(l, t, r - l, w), color);
    dc.fillRect(QRect(l, b - w, r - l, w), color);
    dc.fillRect(QRect(l, t, w, b - t), color);
    dc.fillRect(QRect(r - w, t, w, b - t), color);
}

void drawTextLine(QPainter& dc, const QRect& box, const QString& text, int align, bool vcentre) {
    const Qt::Alignment h = align == TextCentre ? Qt::AlignHCenter : align == TextRight ? Qt::AlignRight : Qt::AlignLeft;
    // A box with nothing inside shows no text; drawText would not clip then.
    if (box.width() <= 0 || box.height() <= 0) return;
    dc.drawText(box, int(h | (vcentre ? Qt::AlignVCenter : Qt::AlignTop) | Qt::TextSingleLine), text);
}

}  // namespace kvis
