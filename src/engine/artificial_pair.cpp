#include "engine/artificial_pair.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/final_graph.h"
#include "engine/merging.h"

namespace kvis {

namespace {

enum class Relation { None, AToB, BToA };

// How firmly each member holds to its own group: the smaller of its strongest
// arc out to and in from the other members, whether or not those arcs exist.
struct Hold {
    std::vector<double> value;
    // Some member's strongest arc out is no stronger than its strongest arc in:
    // a detached member then loses its arcs out, else its arcs in.
    bool cutOutward = false;
};

enum class Mode { RemoveAll, AddAll, DetachFromA, DetachFromB };

class Pair {
public:
    Pair(const ResultsSet& r, int a, int b) : r_(r), A_(vertexMemberList(r, a)), B_(vertexMemberList(r, b)) {}

    // The direction of the first member pair (A outer, B inner) joined in S.
    Relation relation() const {
        for (int ai : A_)
            for (int bj : B_) {
                if (S(bj, ai) == 1) return Relation::BToA;
                if (S(ai, bj) == 1) return Relation::AToB;
            }
        return Relation::None;
    }

    Hold holdOf(const std::vector<int>& G) const {
        Hold h;
        for (size_t i = 0; i < G.size(); ++i) {
            double out = 0.0;
            double in = 0.0;
            bool first = true;
            for (size_t j = 0; j < G.size(); ++j) {
                if (j == i) continue;
                if (first || R(G[i], G[j]) > out) out = R(G[i], G[j]);
                if (first || R(G[j], G[i]) > in) in = R(G[j], G[i]);
                first = false;
            }
            h.value.push_back(out >= in ? in : out);
            if (out <= in) h.cutOutward = true;
        }
        return h;
    }

    // Completing the relation costs 0.5 - (weakest missing S-arc of its
    // direction); removing it costs (strongest arc of its direction) - 0.5.
    // Returns the cheaper mode and its cost; removing wins ties.
    std::pair<Mode, double> uniformMode(Relation rel) const {
        const std::vector<int>& from = rel == Relation::AToB ? A_ : B_;
        const std::vector<int>& to = rel == Relation::AToB ? B_ : A_;
        double mn = 1.0;
        double mx = 0.0;
        for (int f : from)
            for (int t : to) {
                if (S(f, t) == 0) mn = std::min(mn, R(f, t));
                mx = std::max(mx, R(f, t));
            }
        if ((0.5 - mn) < (mx - 0.5)) return {Mode::AddAll, 0.5 - mn};
        return {Mode::RemoveAll, mx - 0.5};
    }

    const std::vector<int>& A() const { return A_; }
    const std::vector<int>& B() const { return B_; }
    int S(int x, int y) const { return r_.outrankingMatrix[r_.at(x, y)]; }

private:
    double R(int x, int y) const { return r_.robustnessMatrix[r_.at(x, y)]; }

    const ResultsSet& r_;
    std::vector<int> A_, B_;
};

// Cuts x off the other members of G.
void detach(OutrankingEdit& out, const std::vector<int>& G, bool cutOutward, int x) {
    for (int y : G) {
        if (y == x) continue;
        if (cutOutward)
            out.set(x, y, 0);
        else
            out.set(y, x, 0);
    }
}

}  // namespace

int treatPair(ResultsSet& r, int a, int b, bool& changed) {
    const Pair pair(r, a, b);
    changed = false;
    const Relation rel = pair.relation();
    if (rel == Relation::None) return 0;

    const Hold holdA = pair.holdOf(pair.A());
    const Hold holdB = pair.holdOf(pair.B());
    auto [mode, cost] = pair.uniformMode(rel);
    // A member holding to its group less than the relation costs is detached
    // instead; the last such member counts.
    int detached = -1;
    for (size_t i = 0; i < pair.A().size(); ++i)
        if (holdA.value[i] - 0.5 < cost) mode = Mode::DetachFromA, detached = pair.A()[i];
    for (size_t j = 0; j < pair.B().size(); ++j)
        if (holdB.value[j] - 0.5 < cost) mode = Mode::DetachFromB, detached = pair.B()[j];

    OutrankingEdit out{r};
    int result = 0;
    switch (mode) {
        case Mode::RemoveAll:
            for (int ai : pair.A())
                for (int bj : pair.B()) {
                    out.set(ai, bj, 0);
                    out.set(bj, ai, 0);
                }
            break;
        case Mode::AddAll:
            for (int ai : pair.A())
                for (int bj : pair.B()) {
                    if (rel == Relation::AToB)
                        out.set(ai, bj, 1);
                    else
                        out.set(bj, ai, 1);
                }
            break;
        case Mode::DetachFromA:
        case Mode::DetachFromB: {
            const bool fromA = mode == Mode::DetachFromA;
            detach(out, fromA ? pair.A() : pair.B(), fromA ? holdA.cutOutward : holdB.cutOutward, detached);
            // The relation between the groups goes back to S.
            for (int ai : pair.A())
                for (int bj : pair.B()) {
                    out.set(ai, bj, pair.S(ai, bj));
                    out.set(bj, ai, pair.S(bj, ai));
                }
            result = 1;
            break;
        }
    }
    changed = out.changed;
    return result;
}

int resolveArtificialPair(ResultsSet& r, int a, int b) {
    const int e = r.extraMembers[a] + r.extraMembers[b];
    bool changed = false;
    const int result = treatPair(r, a, b, changed);
    bool cycleLeft = false;
    return finishTreatment(r, result, e, cycleLeft);
}

}  // namespace kvis
