#include "platform/layout_window.h"

#include <algorithm>
#include <optional>

namespace kvis {

TLayoutWindow::TLayoutWindow(QWidget* parent, const QString& title) : TWindow(parent, title) {}

void TLayoutWindow::setChildLayoutMetrics(QWidget* child, const TLayoutMetrics& m) {
    for (Entry& e : entries_)
        if (e.child == child) {
            e.metrics = m;
            return;
        }
    entries_.push_back({child, m});
}

void TLayoutWindow::removeChildLayoutMetrics(QWidget* child) {
    std::erase_if(entries_, [child](const Entry& e) { return e.child == child; });
}

const TLayoutMetrics* TLayoutWindow::childLayoutMetrics(const QWidget* child) const {
    for (const Entry& e : entries_)
        if (e.child == child) return &e.metrics;
    return nullptr;
}

void TLayoutWindow::resizeEvent(QResizeEvent* e) {
    TWindow::resizeEvent(e);
    layoutChildren();
}

void TLayoutWindow::layoutChildren() {
    std::erase_if(entries_, [](const Entry& e) { return e.child.isNull(); });
    const QRect client = clientRect();
    const size_t count = entries_.size();
    std::vector<std::optional<QRect>> placed(count);

    // An edge or extent of the layout window or of a sibling; nothing while
    // the sibling waits for its own place.
    auto reference = [&](const QWidget* other, TEdge e) -> std::optional<int> {
        QRect r = client;
        if (other) {
            auto it = std::find_if(entries_.begin(), entries_.end(), [other](const Entry& x) { return x.child == other; });
            if (it == entries_.end()) {
                r = other->geometry();
            } else if (const auto& p = placed[size_t(it - entries_.begin())]) {
                r = *p;
            } else {
                return std::nullopt;
            }
        }
        switch (e) {
            case TEdge::Left: return r.x();
            case TEdge::Top: return r.y();
            case TEdge::Right: return r.x() + r.width();
            case TEdge::Bottom: return r.y() + r.height();
            case TEdge::Width: return r.width();
            case TEdge::Height: return r.height();
        }
        return std::nullopt;
    };
    auto value = [&](const TEdgeConstraint& c, bool isSize, bool horizontal) -> std::optional<int> {
        const int origin = isSize ? 0 : horizontal ? client.x() : client.y();
        switch (c.kind) {
            case TEdgeConstraint::Kind::Unset: break;
            case TEdgeConstraint::Kind::Pixels: return origin + c.value;
            case TEdgeConstraint::Kind::Edge:
                if (auto v = reference(c.other, c.edge)) return *v + c.value;
                break;
            case TEdgeConstraint::Kind::Percent: {
                const bool wide = c.edge == TEdge::Left || c.edge == TEdge::Right || c.edge == TEdge::Width;
                if (auto v = reference(c.other, wide ? TEdge::Width : TEdge::Height)) return origin + *v * c.value / 100;
                break;
            }
        }
        return std::nullopt;
    };
    // One axis from two of its three constraints; a missing one keeps the
    // child's current position or extent.
    auto axis = [&](const TEdgeConstraint& lo, const TEdgeConstraint& hi, const TEdgeConstraint& size, bool horizontal,
                    int currentPos, int currentExtent) -> std::optional<std::pair<int, int>> {
        std::optional<int> a, b, s;
        if (lo.isSet() && !(a = value(lo, false, horizontal))) return std::nullopt;
        if (hi.isSet() && !(b = value(hi, false, horizontal))) return std::nullopt;
        if (!(a && b) && size.isSet() && !(s = value(size, true, horizontal))) return std::nullopt;
        if (a && b) return std::pair(*a, *b - *a);
        const int extent = s ? *s : currentExtent;
        if (a) return std::pair(*a, extent);
        if (b) return std::pair(*b - extent, extent);
        return std::pair(currentPos, extent);
    };

    for (bool progress = true; progress;) {
        progress = false;
        for (size_t i = 0; i < count; ++i) {
            if (placed[i]) continue;
            const TLayoutMetrics& m = entries_[i].metrics;
            const QRect now = entries_[i].child->geometry();
            auto h = axis(m.left, m.right, m.width, true, now.x(), now.width());
            auto v = h ? axis(m.top, m.bottom, m.height, false, now.y(), now.height()) : std::nullopt;
            if (!v) continue;
            placed[i] = QRect(h->first, v->first, std::max(0, h->second), std::max(0, v->second));
            progress = true;
        }
    }
    for (size_t i = 0; i < count; ++i) entries_[i].child->setGeometry(placed[i].value_or(QRect()));
}

}  // namespace kvis
