#pragma once
// The vertex graph over the ResultsSet arrays: member rows, the successor or
// predecessor lists and the pruning of sinks that every stage starts from.
//
// Invariants: vertices are 0 ... k-1; row v of vertexMembers lists the
// alternatives of v (representative first) up to its -1, or the whole row when
// full; list row v holds listCounts[v] entries, the cells after them are -1.
#include <memory>

#include "engine/results.h"

namespace kvis {

enum class ListMode { Successor, Predecessor };

// Rows list their neighbours in increasing index order.
void buildLists(ResultsSet& r, ListMode mode, int k);
// 1 when a cycle is left after removing sinks over and over (successor lists).
int pruneSinks(ResultsSet& r, int k);
// Arc v -> w when some member of v reaches some member of w in modifiedOutranking.
void rebuildVertexGraph(ResultsSet& r, int k);

// Every alternative its own vertex, no extra members.
void resetToSingletons(ResultsSet& r);

// Where each entry sits in its list row, so that it is removed without a scan.
// Only the cells of entries present are ever read, so it is not initialised.
class ListPositions {
public:
    explicit ListPositions(ResultsSet& r) : r_(r), cells_(new int[r.vertexLists.size()]) {}
    int& operator()(int row, int entry) { return cells_[r_.at(row, entry)]; }
    // The last entry of the row takes the place of the entry at p.
    void removeAt(int row, int p);

private:
    ResultsSet& r_;
    std::unique_ptr<int[]> cells_;
};

}  // namespace kvis
