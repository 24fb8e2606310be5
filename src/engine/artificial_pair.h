#pragma once
// Pairs of artificial vertices: the relation between two merged vertices is
// made uniform (every arc of its direction added, or every arc between them
// removed), unless a member holds to its own group more weakly than that costs;
// then that member is detached from its group instead.
//
// Invariants: the direction and the arcs between the groups are read from the
// outranking relation S, never from modifiedOutranking; only
// modifiedOutranking is edited; resolveArtificialPair ends with the graph
// merged again from scratch.
#include "engine/results.h"

namespace kvis {

// 1 when a member was detached (a cycle is left to treat), else 0.
int resolveArtificialPair(ResultsSet& r, int a, int b);

// resolveArtificialPair without the merging again. `changed` tells whether
// any cell of modifiedOutranking changed.
int treatPair(ResultsSet& r, int a, int b, bool& changed);

}  // namespace kvis
