#pragma once
// Drawing by the device-context rules that the windows' geometry is written
// in, where they differ from QPainter's: a rectangle (l, t, r, b) covers the
// pixels l..r-1 and t..b-1, a line ends before its last point, and a line of
// text is drawn inside a box and clipped to it.
#include <QPainter>
#include <QRect>
#include <initializer_list>

namespace kvis {

// The box (l, t, r, b), right and bottom excluded.
inline QRect boxLTRB(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }

// Outline with the painter's one-pixel pen, inside filled with its brush.
void drawRectangle(QPainter& dc, int l, int t, int r, int b);
// Axis-parallel lines through the points; the last point is not drawn.
void drawPolyline(QPainter& dc, std::initializer_list<QPoint> points);
// A frame `width` pixels thick just inside (l, t, r, b).
void drawFrameInside(QPainter& dc, const QColor& color, int width, int l, int t, int r, int b);

// Horizontal alignment of a line of text: 0 left, 1 centred, 2 right.
enum TextAlign { TextLeft = 0, TextCentre = 1, TextRight = 2 };
// One line of text in `box`, clipped to it, vertically centred or at the top.
void drawTextLine(QPainter& dc, const QRect& box, const QString& text, int align, bool vcentre = true);

}  // namespace kvis
