#pragma once
// The three graph drawing windows: the graph of outranking (TGrafWin1), the
// modified graph with the arcs that cycle cutting added or removed (TGrafWin2)
// and the final graph with its artificial and kernel vertices (TGrafWin).
// Vertices are small circles evenly on a big circle, arcs straight lines with
// a head, a legend under the figure; one vertex can be marked with the arrow
// keys or the mouse, and the window says so (vertexMarked) to whoever
// describes it. Everything is drawn through a Canvas, so the window, a saved
// picture and a test's recording see the same calls.
#include <QImage>
#include <QMenu>
#include <QRegion>
#include <optional>
#include <string>
#include <vector>

#include "engine/results.h"
#include "output/canvas.h"
#include "platform/file_dialogs.h"
#include "platform/window.h"
#include "views/graph_geometry.h"

namespace kvis {

class TGrafWinBase : public TWindow {
    Q_OBJECT
public:
    // The marked vertex (-1: none) and the one marked before the last change,
    // or the vertex the last click hit.
    int Marked = -1;
    int Previous = -1;
    // What the primitives draw: 0 the graph, 1 to 4 a legend sample.
    int LegendKind = 0;
    int CentreX = 0;
    int CentreY = 0;
    // One per vertex, then the legend's samples.
    std::vector<Rect> VertexRects;

    GraphKind kind() const { return kind_; }
    int vertexCount() const { return vertexCount_; }
    int radius() const { return radius_; }

    // The figure: the vertices and arcs that meet one of `areas` (all of them
    // without areas), then the legend. The window paints it in two layers, the
    // vertices under the arcs and the legend.
    void drawFigure(Canvas& dc, const std::vector<Rect>* areas = nullptr);
    void drawVertices(Canvas& dc, const std::vector<Rect>* areas = nullptr);
    void drawArcsAndLegend(Canvas& dc, const std::vector<Rect>* areas = nullptr);
    void DrawVertex(Canvas& dc, int v);
    void DrawArc(Canvas& dc, int from, int to);
    // The first vertex whose circle holds the point of the client area, or -1.
    int VertexAt(QPoint client) const;

    // The whole figure, legend included, at its own size.
    QSize pictureSize() const;
    bool writePicture(const QString& path);
    // The context menu's command: asks for a file and writes the picture.
    void SavePicture();
    QMenu* contextMenu() const { return menu_; }

    // True while the results are still the arrays the window was opened on.
    bool arraysIntact() const;
    // Forgets the figure painted so far: the next paint draws it anew.
    void forgetLayers();

signals:
    void vertexMarked(int v);

protected:
    TGrafWinBase(QWidget* parent, const ResultsSet& results, GraphKind kind, int vertexCount);

    // Whether arc (i, j) of two vertices is part of the graph.
    virtual bool arcDrawn(int i, int j) const = 0;
    virtual std::string vertexLabel(int v) const;
    virtual bool labelInRed(int) const { return false; }
    virtual bool kernelVertex(int) const { return false; }
    virtual Colour headColour(int, int) const { return kBlack; }

    void Paint(QPainter& dc, bool erase, const QRect& rect) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void changeEvent(QEvent* e) override;

    const ResultsSet& results_;

private:
    void paintFigure(QPainter& dc, const std::vector<Rect>* areas);
    // Draws what is missing of the two layers in `area` (figure coordinates).
    void renderLayers(const QRegion& area);
    void placeVertices();
    bool arcMeets(int i, int j, const std::vector<Rect>& areas) const;
    // Asks for the vertex's circle to be painted again.
    void updateVertex(int v);
    void markBy(int step);

    GraphKind kind_;
    int vertexCount_;
    int radius_;
    int maxY_ = 0;
    QMenu* menu_;
    // The figure as painted so far: the vertices on white, and the arcs with
    // the legend on a transparent layer over them; a marked vertex draws its
    // circle again in the first alone. Each layer knows what of it is drawn.
    QImage verticesLayer_, arcsLayer_;
    QRegion verticesDone_, arcsDone_;
    TOpenSaveDialog::TData pictureData_;
    struct Seen {
        const std::vector<int>* array;
        const int* data;
        size_t size;
    };
    std::vector<Seen> seen_;
    int seenN_, seenVertexCount_;
};

// The graph of outranking: vertex i is alternative i.
class TGrafWin1 : public TGrafWinBase {
    Q_OBJECT
public:
    TGrafWin1(QWidget* parent, const ResultsSet& results);

protected:
    bool arcDrawn(int i, int j) const override;
};

// The modified graph: the arcs of either relation, with heads green where
// cycle cutting added the arc and red where it removed it.
class TGrafWin2 : public TGrafWinBase {
    Q_OBJECT
public:
    TGrafWin2(QWidget* parent, const ResultsSet& results);

protected:
    bool arcDrawn(int i, int j) const override;
    Colour headColour(int i, int j) const override;
};

// The final graph: its vertices numbered as on paper, artificial numbers in
// red, kernel vertices filled green.
class TGrafWin : public TGrafWinBase {
    Q_OBJECT
public:
    TGrafWin(QWidget* parent, const ResultsSet& results);

protected:
    bool arcDrawn(int i, int j) const override;
    std::string vertexLabel(int v) const override;
    bool labelInRed(int v) const override;
    bool kernelVertex(int v) const override;
};

}  // namespace kvis
