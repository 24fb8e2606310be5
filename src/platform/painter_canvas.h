#pragma once
// Drawing through a QPainter: on a window, an image, a picture file, a
// printer or a PDF.
#include "output/canvas.h"

class QPainter;

namespace kvis {

class TPainterCanvas : public Canvas {
public:
    // The painter must be active for the life of the canvas.
    explicit TPainterCanvas(QPainter& painter);

    void setPen(Colour colour, int width) override;
    void setBrush(Colour colour) override;
    void setHollowBrush() override;
    void setTextColour(Colour colour) override;
    void setFont(const FontSpec& font) override;
    std::optional<FontMetrics> fontMetrics() override;

    void drawText(Point topLeft, const std::string& text) override;
    void drawTextCentred(const Rect& box, const std::string& text) override;
    void drawLine(Point from, Point to) override;
    void drawPolyline(const std::vector<Point>& points) override;
    void drawEllipse(const Rect& box) override;
    void drawRectangle(const Rect& box) override;
    void drawPolygon(const std::vector<Point>& points) override;

private:
    // Text takes the text colour, shapes the pen: the painter has one pen for both.
    template <class Draw>
    void withTextPen(Draw draw);

    QPainter& painter_;
    Colour textColour_ = kBlack;
};

}  // namespace kvis
