#pragma once
// Cutting or grouping a cycle: a merged vertex either loses its cheapest set
// of weak inner arcs, or becomes an artificial vertex whose inner arcs are
// completed and whose relation to every outside neighbour is made uniform.
//
// Invariants: only modifiedOutranking is edited; cutComponent ends with the
// graph merged again from scratch (except when it returns -1).
#include "engine/progress.h"
#include "engine/results.h"
#include "model/project.h"

namespace kvis {

// -1: no acceptable treatment (the computation fails); 1: arcs were cut and
// a cycle is left; 0: nothing more to do for this vertex.
int cutComponent(const Project& p, ResultsSet& r, int v);

// cutComponent without the merging again: -1, or the result the merging
// confirms when a cycle is left. `changed` tells whether any cell of
// modifiedOutranking changed.
int treatComponent(const Project& p, ResultsSet& r, int v, bool& changed, ComputeProgress* progress = nullptr);

}  // namespace kvis
