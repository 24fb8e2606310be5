#pragma once
// The few drawing operations the figures and the printed pages need. The
// printout and the graph windows draw only through this, so that a test can
// record every call instead of looking at pixels.
#include <optional>
#include <string>
#include <vector>

namespace kvis {

struct Colour {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
    bool operator==(const Colour&) const = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kGreen{0, 255, 0};
inline constexpr Colour kBlue{0, 0, 255};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Edges in device units; an ellipse or rectangle spans left..right, top..bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// A font by face name; `pixelSize` is the character height (the em) in device units.
struct FontSpec {
    std::string face;
    int pixelSize = 0;
    int weight = 400;
    bool operator==(const FontSpec&) const = default;
};

// The text metrics of the current font, in device units. `height` is the
// cell: ascent plus descent; the internal leading is the part of it above the em.
struct FontMetrics {
    int height = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    bool operator==(const FontMetrics&) const = default;
};

// A new canvas draws with a black pen of width 1, a white brush and black text.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Solid pens only; lines, outlines and polygon edges use the pen.
    virtual void setPen(Colour colour, int width) = 0;
    // Fill of ellipses, rectangles and polygons.
    virtual void setBrush(Colour colour) = 0;
    virtual void setHollowBrush() = 0;
    virtual void setTextColour(Colour colour) = 0;
    virtual void setFont(const FontSpec& font) = 0;
    // Nothing when the device cannot tell.
    virtual std::optional<FontMetrics> fontMetrics() = 0;

    // Text on a transparent background; `topLeft` is the top-left corner of its cell.
    virtual void drawText(Point topLeft, const std::string& text) = 0;
    // One line of text centred both ways in the rectangle.
    virtual void drawTextCentred(const Rect& box, const std::string& text) = 0;
    virtual void drawLine(Point from, Point to) = 0;
    virtual void drawPolyline(const std::vector<Point>& points) = 0;
    virtual void drawEllipse(const Rect& box) = 0;
    virtual void drawRectangle(const Rect& box) = 0;
    virtual void drawPolygon(const std::vector<Point>& points) = 0;
};

}  // namespace kvis
