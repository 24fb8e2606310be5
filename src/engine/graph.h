#pragma once
// The graph engine from the outranking relation to the kernel: merge the
// cycles, then cut or group each merged vertex and settle pairs of artificial
// vertices, round after round, until the graph is acyclic; then mark the kernel.
//
// Invariants: between treatments the arrays hold the graph of
// modifiedOutranking merged from scratch and workingVertexCount is its vertex
// count; a round either cuts arcs inside one merged vertex (and starts the
// next round) or, when none is cut, settles the pairs of artificial vertices.
#include "engine/progress.h"
#include "engine/results.h"
#include "model/project.h"

namespace kvis {

// True on success; false when a cycle cannot be cut within maxArcsToCut.
// Tells `progress` (may be null) the Cutting and Kernel stages and polls it
// between treatments and inside the search for arcs to cut; a cancel throws
// ComputationCancelled out of it.
bool runEngine(const Project& p, ResultsSet& r, ComputeProgress* progress = nullptr);

}  // namespace kvis
