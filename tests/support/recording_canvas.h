#pragma once
// A canvas that writes down every call as one readable line, so that tests
// check whole figures and pages exactly:
//   pen 0,0,0 3 | brush 255,255,255 | brush hollow | textcolour 255,0,0
//   font "Courier New" 165 400 | text 1 280 "Project: car"
//   centred 10 20 60 70 "1" | line 1 2 3 4 | polyline 1 2 3 4 5 6
//   ellipse 10 20 60 70 | rectangle 10 20 60 70 | polygon 1 2 3 4 5 6
// The font metrics it reports are fixed by the test (none: unreadable).
#include <optional>
#include <string>
#include <vector>

#include "model/numfmt.h"
#include "output/canvas.h"

namespace kvis {

class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(std::optional<FontMetrics> metrics = std::nullopt) : metrics_(metrics) {}

    std::vector<std::string> calls;

    // Every call, one per line, each line ended by "\n".
    std::string text() const {
        std::string s;
        for (const std::string& c : calls) s += c + "\n";
        return s;
    }

    void setPen(Colour colour, int width) override { calls.push_back("pen " + rgb(colour) + format(" %d", width)); }
    void setBrush(Colour colour) override { calls.push_back("brush " + rgb(colour)); }
    void setHollowBrush() override { calls.push_back("brush hollow"); }
    void setTextColour(Colour colour) override { calls.push_back("textcolour " + rgb(colour)); }
    void setFont(const FontSpec& f) override {
        calls.push_back(format("font \"%s\" %d %d", f.face.c_str(), f.pixelSize, f.weight));
    }
    std::optional<FontMetrics> fontMetrics() override { return metrics_; }

    void drawText(Point p, const std::string& t) override { calls.push_back("text" + points({p}) + quoted(t)); }
    void drawTextCentred(const Rect& r, const std::string& t) override {
        calls.push_back("centred" + rect(r) + quoted(t));
    }
    void drawLine(Point a, Point b) override { calls.push_back("line" + points({a, b})); }
    void drawPolyline(const std::vector<Point>& p) override { calls.push_back("polyline" + points(p)); }
    void drawEllipse(const Rect& r) override { calls.push_back("ellipse" + rect(r)); }
    void drawRectangle(const Rect& r) override { calls.push_back("rectangle" + rect(r)); }
    void drawPolygon(const std::vector<Point>& p) override { calls.push_back("polygon" + points(p)); }

private:
    static std::string rgb(Colour c) { return format("%d,%d,%d", c.red, c.green, c.blue); }
    static std::string points(const std::vector<Point>& ps) {
        std::string s;
        for (const Point& p : ps) s += format(" %d %d", p.x, p.y);
        return s;
    }
    static std::string rect(const Rect& r) { return format(" %d %d %d %d", r.left, r.top, r.right, r.bottom); }
    static std::string quoted(const std::string& t) { return " \"" + t + "\""; }

    std::optional<FontMetrics> metrics_;
};

}  // namespace kvis
