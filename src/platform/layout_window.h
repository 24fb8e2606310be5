#pragma once
// TLayoutWindow: a window that places its children by layout constraints and
// places them again on every resize.
//
// Each placed child has one TLayoutMetrics: per axis, two of its three
// constraints (left, right, width; top, bottom, height) are set. A constraint
// is one of
//   - lm::pixels(v): a fixed width or height, or an edge v pixels from the
//     layout window's client origin;
//   - lm::parent(edge, margin), lm::of(sibling, edge, margin): an edge or the
//     extent of the layout window or of a sibling, plus the margin. Edges are
//     positions (right = left + width, bottom = top + height), so a child whose
//     left is lm::of(sibling, TEdge::Right, -1) overlaps the sibling by one
//     pixel and their borders coincide;
//   - lm::percent(edge, p), lm::percent(sibling, edge, p): p percent (rounded
//     down) of the width (edge Left, Right or Width) or the height (Top,
//     Bottom or Height) of the layout window or of the sibling; as an edge it
//     is measured from the client origin.
// For example, a drawing pane on the left 80 % and a column on the rest:
//   TLayoutMetrics d;  // drawing
//   d.left = lm::parent(TEdge::Left);   d.top = lm::parent(TEdge::Top);
//   d.right = lm::percent(TEdge::Width, 80);  d.bottom = lm::parent(TEdge::Bottom);
//   TLayoutMetrics c;  // column
//   c.left = lm::of(drawing, TEdge::Right);   c.top = lm::parent(TEdge::Top);
//   c.right = lm::parent(TEdge::Right);       c.height = lm::pixels(40);
// A sibling without metrics is referred to at its current geometry. Children
// are resolved in whatever order their references allow; a child that cannot
// be resolved (a cycle of references) gets an empty rectangle. A size that
// comes out negative is taken as 0.
#include <QPointer>
#include <vector>

#include "platform/window.h"

namespace kvis {

enum class TEdge { Left, Top, Right, Bottom, Width, Height };

struct TEdgeConstraint {
    enum class Kind { Unset, Pixels, Edge, Percent };
    Kind kind = Kind::Unset;
    const QWidget* other = nullptr;  // null: the layout window itself
    TEdge edge = TEdge::Left;
    int value = 0;                   // pixels, margin or percent by kind
    bool isSet() const { return kind != Kind::Unset; }
};

namespace lm {
inline TEdgeConstraint pixels(int v) { return {TEdgeConstraint::Kind::Pixels, nullptr, TEdge::Left, v}; }
inline TEdgeConstraint parent(TEdge e, int margin = 0) { return {TEdgeConstraint::Kind::Edge, nullptr, e, margin}; }
inline TEdgeConstraint of(const QWidget* sibling, TEdge e, int margin = 0) {
    return {TEdgeConstraint::Kind::Edge, sibling, e, margin};
}
inline TEdgeConstraint percent(TEdge e, int p) { return {TEdgeConstraint::Kind::Percent, nullptr, e, p}; }
inline TEdgeConstraint percent(const QWidget* sibling, TEdge e, int p) {
    return {TEdgeConstraint::Kind::Percent, sibling, e, p};
}
}  // namespace lm

struct TLayoutMetrics {
    TEdgeConstraint left, right, width;   // two of the three
    TEdgeConstraint top, bottom, height;  // two of the three
};

class TLayoutWindow : public TWindow {
    Q_OBJECT
public:
    explicit TLayoutWindow(QWidget* parent = nullptr, const QString& title = QString());

    // Sets (or replaces) the metrics of a child; it is placed at the next layout.
    void setChildLayoutMetrics(QWidget* child, const TLayoutMetrics& m);
    void removeChildLayoutMetrics(QWidget* child);
    const TLayoutMetrics* childLayoutMetrics(const QWidget* child) const;
    // Places every child that has metrics.
    void layoutChildren();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    struct Entry {
        QPointer<QWidget> child;
        TLayoutMetrics metrics;
    };
    std::vector<Entry> entries_;
};

}  // namespace kvis
