#pragma once
// Hand-built relations in the state the matrix fill leaves the ResultsSet in.
#include <vector>

#include "engine/graph.h"
#include "engine/results.h"

namespace kvis::fixture {

struct ArcR {
    int from;
    int to;
    double R;
};

// S with its diagonal (robustness 1), the given arcs, and every other pair
// missing with robustness `missing`; modifiedOutranking = vertexGraph = S.
inline ResultsSet relation(int n, const std::vector<ArcR>& arcs, double missing = 0.3) {
    ResultsSet r;
    r.allocate(n);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) r.robustnessMatrix[r.at(a, b)] = a == b ? 1.0 : missing;
    for (int a = 0; a < n; ++a) r.outrankingMatrix[r.at(a, a)] = 1;
    for (const ArcR& arc : arcs) {
        r.outrankingMatrix[r.at(arc.from, arc.to)] = 1;
        r.robustnessMatrix[r.at(arc.from, arc.to)] = arc.R;
    }
    r.modifiedOutranking = r.outrankingMatrix;
    r.vertexGraph = r.outrankingMatrix;
    for (int i = 0; i < n * n; ++i) {
        r.vertexLists[i] = 0;
        r.vertexMembers[i] = -1;
    }
    return r;
}

inline void setR(ResultsSet& r, int a, int b, double R) { r.robustnessMatrix[r.at(a, b)] = R; }

// Every alternative its own vertex, the vertex graph a copy of the relation.
inline void singletons(ResultsSet& r) {
    for (int v = 0; v < r.n; ++v) {
        for (int i = 0; i < r.n; ++i) r.vertexMembers[r.at(v, i)] = i == 0 ? v : -1;
        r.extraMembers[v] = 0;
    }
    r.vertexGraph = r.modifiedOutranking;
}

// Single alternatives merged as the engine's first step does; returns k.
inline int mergeAll(ResultsSet& r) {
    singletons(r);
    buildLists(r, ListMode::Successor, r.n);
    const int k = pruneSinks(r, r.n) ? condense(r, r.n) : r.n;
    r.workingVertexCount = k;
    return k;
}

// vertexCount as the Computations command sets it after the engine.
inline void countVertices(ResultsSet& r) {
    int k = 0;
    while (k < r.n && r.vertexMembers[r.at(k, 0)] != -1) ++k;
    r.vertexCount = k;
}

// The first `len` cells of row v of an n x n array.
inline std::vector<int> rowOf(const ResultsSet& r, const std::vector<int>& cells, int v, int len) {
    return std::vector<int>(cells.begin() + r.at(v, 0), cells.begin() + r.at(v, 0) + len);
}

}  // namespace kvis::fixture
