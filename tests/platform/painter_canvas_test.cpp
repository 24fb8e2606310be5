// The painter canvas on an image: what each call leaves in the pixels, and
// the printout's font by name.
#include "platform/painter_canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

using namespace kvis;

namespace {

// Draws on a grey image with a fresh canvas.
template <class Draw>
QImage paint(Draw draw) {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    TPainterCanvas canvas(painter);
    draw(canvas);
    painter.end();
    return image;
}

QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// The rows [from, to) of the image that hold any pixel other than grey.
std::pair<int, int> inkedRows(const QImage& image) {
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (at(image, x, y) != QColor(128, 128, 128)) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return {first, last + 1};
}

}  // namespace

TEST(PainterCanvas, ShapesTakeThePenAndTheBrush) {
    // A fresh canvas: black pen of width 1, white brush.
    QImage image = paint([](Canvas& c) { c.drawEllipse({20, 20, 120, 120}); });
    EXPECT_EQ(at(image, 70, 70), QColor(Qt::white));
    EXPECT_EQ(at(image, 70, 20), QColor(Qt::black));
    EXPECT_EQ(at(image, 22, 22), QColor(128, 128, 128));  // outside the inscribed circle

    image = paint([](Canvas& c) {
        c.setPen(kBlue, 5);
        c.setBrush(kGreen);
        c.drawPolygon({{20, 20}, {180, 20}, {100, 180}});
        c.setHollowBrush();
        c.drawRectangle({140, 140, 190, 190});
        c.drawLine({0, 195}, {60, 195});
    });
    EXPECT_EQ(at(image, 100, 60), QColor(Qt::green));
    EXPECT_EQ(at(image, 100, 18), QColor(Qt::blue));  // the edge, 5 wide around y = 20
    EXPECT_EQ(at(image, 100, 16), QColor(128, 128, 128));
    EXPECT_EQ(at(image, 165, 165), QColor(128, 128, 128));  // hollow
    EXPECT_EQ(at(image, 165, 140), QColor(Qt::blue));
    EXPECT_EQ(at(image, 30, 197), QColor(Qt::blue));
    EXPECT_EQ(at(image, 30, 192), QColor(128, 128, 128));
}

TEST(PainterCanvas, TextHangsFromItsPointInTheTextColour) {
    int cellHeight = 0;
    const QImage image = paint([&](Canvas& c) {
        c.setFont({"Courier New", 40, 400});
        cellHeight = c.fontMetrics()->height;
        c.setPen(kBlue, 3);
        c.setTextColour(kRed);
        c.drawText({10, 100}, "Hg");
    });
    const auto [top, bottom] = inkedRows(image);
    EXPECT_GE(top, 100);
    EXPECT_LE(bottom, 100 + cellHeight);
    bool red = false;
    for (int x = 0; x < 200; ++x)
        for (int y = top; y < bottom; ++y) {
            EXPECT_NE(at(image, x, y), QColor(Qt::blue)) << x << "," << y;
            red = red || at(image, x, y) == QColor(Qt::red);
        }
    EXPECT_TRUE(red);
}

TEST(PainterCanvas, CentredTextStaysInItsBox) {
    const QImage image = paint([](Canvas& c) {
        c.setFont({"Courier New", 30, 400});
        c.drawTextCentred({50, 50, 150, 150}, "12");
    });
    const auto [top, bottom] = inkedRows(image);
    EXPECT_GT(top, 60);
    EXPECT_LT(bottom, 140);
    EXPECT_NEAR((top + bottom) / 2.0, 100.0, 6.0);
}

// The install step brings a font with the metrics of Courier New, which
// fontconfig gives for that name: cells 0.6 em wide.
TEST(PainterCanvas, CourierNewHasItsMetrics) {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    TPainterCanvas canvas(painter);
    canvas.setFont({"Courier New", 100, 400});
    EXPECT_TRUE(QFontInfo(painter.font()).fixedPitch()) << QFontInfo(painter.font()).family().toStdString();
    const std::optional<FontMetrics> m = canvas.fontMetrics();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->averageCharWidth, 60);
    EXPECT_EQ(m->internalLeading, m->height - 100);
    EXPECT_GT(m->internalLeading, 0);
    EXPECT_GE(m->externalLeading, 0);
}
