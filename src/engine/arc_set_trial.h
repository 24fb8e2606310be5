#pragma once
// The trial of arc sets: does removing a set of inner arcs of a merged vertex
// change the grouping of alternatives into merged vertices, and which set is
// the cheapest one that does.
//
// Invariants: a trial leaves modifiedOutranking, vertexMembers and
// extraMembers as it found them; the search tries the sets in the order and
// with the loss rule of the cut (smaller sets first, a larger set only when it
// is cheaper by more than the acceptable loss).
#include <utility>
#include <vector>

#include "engine/progress.h"
#include "engine/results.h"

namespace kvis {

// An inner arc of a merged vertex with its robustness.
struct Arc {
    double R = 0.0;
    int from = 0;
    int to = 0;
};

struct ArcSetChoice {
    std::vector<int> best;  // indices into the arcs, ascending
    double loss = 2.0;      // robustness of the last (dearest) arc of the set
    bool found = false;     // false: no set tried changes the grouping
};

// The cheapest set among `arcs` (inner arcs of the merged vertex whose members
// are `group`, sorted by robustness ascending) whose removal
// changes the grouping: single arcs first, then sets of 2, 3, ... up to
// maxArcsToCut and never more than 9 (sets of 2 always). When nothing changes
// the grouping, best is the dearest single arc and found is false.
ArcSetChoice cheapestArcSet(const ResultsSet& r, const std::vector<int>& group, const std::vector<Arc>& arcs,
                            int maxArcsToCut, double acceptableLoss, ComputeProgress* progress = nullptr);

// Trial removal of `arcs` done on the arrays themselves, literally: 1 when the
// grouping changes. vertexGraph and the lists are left as computed.
int arcSetBreaksCycles(ResultsSet& r, const std::vector<std::pair<int, int>>& arcs);
// The same answer, worked out without changing `r` (the search tries its
// arc sets this way).
int arcSetBreaksCyclesQuietly(const ResultsSet& r, const std::vector<std::pair<int, int>>& arcs);

}  // namespace kvis
