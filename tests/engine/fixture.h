#pragma once
// Hand-built projects, and relations in the state the matrix fill leaves the
// ResultsSet in.
#include <algorithm>
#include <utility>
#include <vector>

#include "engine/final_graph.h"
#include "engine/merging.h"
#include "engine/results.h"
#include "engine/vertex_graph.h"

namespace kvis::fixture {

// rows: one vector of evaluations per alternative
inline Project makeProject(std::vector<Criterion> criteria, const std::vector<std::vector<double>>& rows, double s) {
    Project p;
    p.m = static_cast<int>(criteria.size());
    p.n = static_cast<int>(rows.size());
    p.criteria = std::move(criteria);
    p.alternatives.assign(rows.size(), Alternative{"alt"});
    for (const auto& row : rows) p.evaluations.insert(p.evaluations.end(), row.begin(), row.end());
    p.evaluationTexts.assign(p.evaluations.size(), "");
    p.columnFormats.assign(p.m, TSheetColumn{});
    p.levelOfConcordance = s;
    p.alternativeNameWidth = 72;
    return p;
}

struct ArcR {
    int from;
    int to;
    double R;
};

// S with its diagonal (robustness 1), the given arcs, and every other pair
// missing with robustness `missing` unless `otherR` names it;
// modifiedOutranking = vertexGraph = S.
inline ResultsSet relation(int n, const std::vector<ArcR>& arcs, double missing = 0.3,
                           const std::vector<ArcR>& otherR = {}) {
    ResultsSet r;
    r.allocate(n);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) r.robustnessMatrix[r.at(a, b)] = a == b ? 1.0 : missing;
    for (int a = 0; a < n; ++a) r.outrankingMatrix[r.at(a, a)] = 1;
    for (const ArcR& arc : arcs) r.outrankingMatrix[r.at(arc.from, arc.to)] = 1;
    for (const auto* list : {&arcs, &otherR})
        for (const ArcR& arc : *list) r.robustnessMatrix[r.at(arc.from, arc.to)] = arc.R;
    r.modifiedOutranking = r.vertexGraph = r.outrankingMatrix;
    return r;  // lists 0 and members -1 as allocated
}

// Every alternative its own vertex; singletons() also makes the vertex graph
// a copy of the relation.
inline void resetMembers(ResultsSet& r) {
    for (int v = 0; v < r.n; ++v) {
        for (int i = 0; i < r.n; ++i) r.vertexMembers[r.at(v, i)] = i == 0 ? v : -1;
        r.extraMembers[v] = 0;
    }
}
inline void singletons(ResultsSet& r) {
    resetMembers(r);
    r.vertexGraph = r.modifiedOutranking;
}

// Single alternatives merged as the engine's first step does; returns k.
inline int mergeAll(ResultsSet& r) {
    singletons(r);
    buildLists(r, ListMode::Successor, r.n);
    return r.workingVertexCount = pruneSinks(r, r.n) ? condense(r, r.n) : r.n;
}

// The member rows of the first k vertices, each read up to its -1.
inline std::vector<std::vector<int>> memberRows(const ResultsSet& r, int k) {
    std::vector<std::vector<int>> rows(k);
    for (int v = 0; v < k; ++v)
        for (int i = 0; i < r.n && r.vertexMembers[r.at(v, i)] != -1; ++i)
            rows[v].push_back(r.vertexMembers[r.at(v, i)]);
    return rows;
}

struct Change {
    int from, to, change;
    double R;
    bool operator==(const Change&) const = default;
};

inline std::vector<Change> changes(const ResultsSet& r) {
    std::vector<Change> out;
    for (const ModifiedArc& a : modifiedArcs(r)) out.push_back({a.from, a.to, a.change, a.robustness});
    return out;
}

}  // namespace kvis::fixture
