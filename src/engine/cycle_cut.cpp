#include "engine/cycle_cut.h"

#include <algorithm>
#include <vector>

#include "engine/arc_set_trial.h"
#include "engine/final_graph.h"
#include "engine/matrices.h"
#include "engine/merging.h"

namespace kvis {

namespace {

// An outside alternative joined to the group, on the side decided by the
// first member it is joined to.
struct Neighbour {
    int w = 0;
    bool predecessor = true;  // arcs w -> member; else member -> w
    double maxArc = -1.0;     // strongest existing arc on that side
    double minGap = 2.0;      // weakest missing arc on that side
    int dir = -1;             // 1 make every arc exist, 0 remove every arc
};

struct InnerGaps {
    bool complete = true;   // every ordered member pair, diagonal included, has its arc
    double minInner = 2.0;  // weakest missing inner arc
};

class Group {
public:
    Group(const ResultsSet& r, int v) : r_(r), members_(vertexMemberList(r, v)) {}

    const std::vector<int>& members() const { return members_; }
    int M(int a, int b) const { return r_.modifiedOutranking[r_.at(a, b)]; }
    double R(int a, int b) const { return r_.robustnessMatrix[r_.at(a, b)]; }

    InnerGaps innerGaps() const {
        InnerGaps g;
        for (int xi : members_)
            for (int xj : members_)
                if (M(xi, xj) == 0) {
                    g.complete = false;
                    g.minInner = std::min(g.minInner, R(xi, xj));
                }
        return g;
    }

    // Predecessors first, then successors, each in increasing index.
    std::vector<Neighbour> neighbours() const {
        std::vector<char> inGroup(r_.n, 0);
        for (int x : members_) inGroup[x] = 1;
        std::vector<Neighbour> preds;
        std::vector<Neighbour> succs;
        for (int w = 0; w < r_.n; ++w) {
            if (inGroup[w]) continue;
            for (int c : members_) {
                if (M(w, c) != 0) {
                    preds.push_back(Neighbour{w, true});
                    break;
                }
                if (M(c, w) != 0) {
                    succs.push_back(Neighbour{w, false});
                    break;
                }
            }
        }
        preds.insert(preds.end(), succs.begin(), succs.end());
        return preds;
    }

    // The cheaper way to make the neighbour's arcs uniform, decided member by
    // member on the running extremes.
    void chooseDirection(Neighbour& nb) const {
        double runMax = nb.predecessor ? 0.0 : -1.0;
        double runMin = nb.predecessor ? 1.0 : 2.0;
        for (int c : members_) {
            const int from = nb.predecessor ? nb.w : c;
            const int to = nb.predecessor ? c : nb.w;
            const bool exists = M(from, to) != 0;
            const double rob = R(from, to);
            if (!exists && rob < runMin) {
                runMin = rob;
                nb.minGap = rob;
                if ((0.5 - runMin) < (runMax - 0.5) || nb.dir == -1) nb.dir = 1;
            }
            if (exists && rob > runMax) {
                runMax = rob;
                nb.maxArc = rob;
                if ((runMax - 0.5) < (0.5 - runMin) || nb.dir == -1) nb.dir = 0;
            }
        }
        if (nb.minGap > 1.0) nb.dir = 1;
        if (nb.maxArc < 0.0) nb.dir = 0;
    }

    // Inner arcs by robustness ascending; among equal values the later-found
    // arc first (members i outer, j inner).
    std::vector<Arc> innerArcs() const {
        std::vector<Arc> arcs;
        for (int xi : members_)
            for (int xj : members_)
                if (xi != xj && M(xi, xj) != 0) arcs.push_back(Arc{R(xi, xj), xi, xj});
        // Inserting each arc before the first one of equal or higher robustness
        // is a stable ascending sort of the reversed list.
        std::reverse(arcs.begin(), arcs.end());
        std::stable_sort(arcs.begin(), arcs.end(), [](const Arc& x, const Arc& y) { return x.R < y.R; });
        return arcs;
    }

    void makeArtificial(OutrankingEdit& out, const std::vector<Neighbour>& records) const {
        for (int xi : members_)
            for (int xj : members_) out.set(xi, xj, 1);
        for (const Neighbour& nb : records)
            for (int c : members_) {
                if (nb.predecessor)
                    out.set(nb.w, c, nb.dir);
                else
                    out.set(c, nb.w, nb.dir);
            }
    }

private:
    const ResultsSet& r_;
    std::vector<int> members_;
};

bool uniformAlready(const Neighbour& nb) { return nb.minGap > 1.0 || nb.maxArc < 0.0; }

// What making every neighbour uniform costs: the dearest of them.
double externalCost(const std::vector<Neighbour>& records) {
    double E = -1.0;
    for (const Neighbour& nb : records) {
        const double cost = nb.dir == 0 ? nb.maxArc - 0.5 : 0.5 - nb.minGap;
        if (cost > E) E = cost;
    }
    return E;
}

// Cutting wins ties; the costs are compared rounded to 1e-5.
bool cutIsCheaper(double loss, double external, double minInner) {
    const double Ac = roundToStep(loss - 0.5, 0.00001);
    const double Bc = roundToStep(external, 0.00001);
    const double Cc = roundToStep(0.5 - minInner, 0.00001);
    return Ac <= Bc || Ac <= Cc;
}

}  // namespace

int treatComponent(const Project& p, ResultsSet& r, int v, bool& changed, ComputeProgress* progress) {
    const Group group(r, v);
    OutrankingEdit out{r};
    const InnerGaps inner = group.innerGaps();
    std::vector<Neighbour> records = group.neighbours();
    for (Neighbour& nb : records) group.chooseDirection(nb);
    changed = false;
    // A complete group with uniform neighbours stays as it is.
    if (inner.complete && std::all_of(records.begin(), records.end(), uniformAlready)) return 0;

    const std::vector<Arc> arcs = group.innerArcs();
    const ArcSetChoice cut = cheapestArcSet(r, group.members(), arcs, p.maxArcsToCut, p.acceptableLoss, progress);
    int result = 0;
    if (cutIsCheaper(cut.loss, externalCost(records), inner.minInner)) {
        if (!cut.found) return -1;
        for (int i : cut.best) out.set(arcs[i].from, arcs[i].to, 0);
        result = 1;
    } else {
        group.makeArtificial(out, records);
    }
    changed = out.changed;
    return result;
}

int cutComponent(const Project& p, ResultsSet& r, int v) {
    const int e = r.extraMembers[v];
    bool changed = false;
    const int result = treatComponent(p, r, v, changed);
    if (result == -1) return -1;
    bool cycleLeft = false;
    return finishTreatment(r, result, e, cycleLeft);
}

}  // namespace kvis
