#pragma once
// The graph of outranking: merging of cycles, cycle cutting, artificial
// vertices and the kernel, all over the arrays of the ResultsSet.
#include <utility>
#include <vector>
#include "engine/results.h"
#include "model/project.h"

namespace kvis {

enum class ListMode { Successor, Predecessor };

void buildLists(ResultsSet& r, ListMode mode, int k);
int pruneSinks(ResultsSet& r, int k);
void rebuildVertexGraph(ResultsSet& r, int k);
int condense(ResultsSet& r, int k);
void computeKernel(ResultsSet& r, int k);
int arcSetBreaksCycles(ResultsSet& r, const std::vector<std::pair<int, int>>& arcs);
// The answer of arcSetBreaksCycles, worked out without changing `r` (the
// search of cutComponent tries its arc sets this way).
int arcSetBreaksCyclesQuietly(const ResultsSet& r, const std::vector<std::pair<int, int>>& arcs);
int cutComponent(const Project& p, ResultsSet& r, int v);
int resolveArtificialPair(ResultsSet& r, int a, int b);
// True on success; false when a cycle cannot be cut within maxArcsToCut.
bool runEngine(const Project& p, ResultsSet& r);

}  // namespace kvis
