#include "engine/final_graph.h"

#include <algorithm>

#include "engine/vertex_graph.h"

namespace kvis {

void computeKernel(ResultsSet& r, int k, ComputeProgress* progress) {
    const int n = r.n;
    r.workingVertexCount = k;
    buildLists(r, ListMode::Predecessor, k);
    ListPositions pos(r);
    for (int v = 0; v < k; ++v)
        for (int p = 0; p < r.listCounts[v]; ++p) pos(v, r.vertexLists[r.at(v, p)]) = p;
    auto count = [&](int v) -> int& { return r.listCounts[v]; };
    auto anyPositive = [&] {
        return std::any_of(r.listCounts.begin(), r.listCounts.begin() + k, [](int c) { return c > 0; });
    };
    // x stays in the predecessor row of each successor until x is excluded,
    // so the rows holding x are read off the vertex graph.
    std::vector<char> done(std::max(k, 0), 0);
    while (anyPositive()) {
        bool changed = false;
        for (int x = 0; x < k; ++x) {
            if (count(x) != 0 || done[x]) continue;
            done[x] = 1;
            checkCancel(progress);
            for (int y = 0; y < k; ++y) {
                if (y == x || count(y) <= 0 || r.vertexGraph[r.at(x, y)] == 0) continue;
                count(y) = -1;
                changed = true;
                for (int z = 0; z < k; ++z) {
                    if (z == y || count(z) < 1 || r.vertexGraph[r.at(y, z)] == 0) continue;
                    pos.removeAt(z, pos(z, y));
                }
            }
        }
        if (!changed) break;  // only a cyclic graph could get here
    }
    for (int v = std::max(k, 0); v < n; ++v) r.listCounts[v] = -1;
    std::fill(r.vertexLists.begin() + r.at(std::max(k, 0), 0), r.vertexLists.end(), -1);
}

namespace {

// A member row ends at its -1 or, when full, at the row end.
int membersOf(const ResultsSet& r, int v) {
    int count = 0;
    while (count < r.n && r.vertexMembers[r.at(v, count)] != -1) ++count;
    return count;
}

// Vertices before v that hold at least two alternatives.
int artificialBefore(const ResultsSet& r, int v) {
    int count = 0;
    for (int u = 0; u < v; ++u)
        if (isArtificial(r, u)) ++count;
    return count;
}

}  // namespace

const char* memberKindText(MemberKind k) {
    return k == MemberKind::Natural ? "Natural" : "Artificial";
}

const char* arcKindText(ArcKind k) {
    switch (k) {
        case ArcKind::Isolated: return "Isolated";
        case ArcKind::Initial: return "Initial";
        case ArcKind::Intermediate: return "Intermediate";
        case ArcKind::Final: return "Final";
    }
    return "Isolated";
}

std::vector<int> vertexMemberList(const ResultsSet& r, int v) {
    std::vector<int> list;
    if (v < 0 || v >= r.n) return list;
    const int count = membersOf(r, v);
    list.reserve(count);
    for (int i = 0; i < count; ++i) list.push_back(r.vertexMembers[r.at(v, i)]);
    return list;
}

bool isArtificial(const ResultsSet& r, int v) {
    if (v < 0 || v >= r.n || r.n < 2) return false;
    return r.vertexMembers[r.at(v, 1)] != -1;
}

VertexKind vertexKind(const ResultsSet& r, int v) {
    VertexKind kind;
    kind.members = isArtificial(r, v) ? MemberKind::Artificial : MemberKind::Natural;
    if (v < 0 || v >= r.vertexCount) return kind;
    bool out = false;
    bool in = false;
    for (int w = 0; w < r.vertexCount; ++w) {
        if (w == v) continue;
        if (r.vertexGraph[r.at(v, w)] != 0) out = true;
        if (r.vertexGraph[r.at(w, v)] != 0) in = true;
    }
    if (out && in)
        kind.arcs = ArcKind::Intermediate;
    else if (out)
        kind.arcs = ArcKind::Initial;
    else if (in)
        kind.arcs = ArcKind::Final;
    else
        kind.arcs = ArcKind::Isolated;
    return kind;
}

int artificialOrdinal(const ResultsSet& r, int v) {
    if (!isArtificial(r, v)) return 0;
    return 1 + artificialBefore(r, v);
}

int reportVertexNumber(const ResultsSet& r, int v) {
    if (isArtificial(r, v)) return r.n - 1 + artificialOrdinal(r, v);
    return r.vertexMembers[r.at(v, 0)];
}

int artificialNumber(const ResultsSet& r, int v) {
    return r.n + 1 + artificialBefore(r, v);
}

int screenVertexNumber(const ResultsSet& r, int v) {
    if (isArtificial(r, v)) return artificialNumber(r, v);
    return r.vertexMembers[r.at(v, 0)] + 1;
}

bool inKernel(const ResultsSet& r, int v) {
    return v >= 0 && v < r.n && r.listCounts[v] == 0;
}

std::vector<ModifiedArc> modifiedArcs(const ResultsSet& r) {
    std::vector<ModifiedArc> arcs;
    for (int a = 0; a < r.n; ++a) {
        for (int b = 0; b < r.n; ++b) {
            if (a == b) continue;
            const int change = r.modifiedOutranking[r.at(a, b)] - r.outrankingMatrix[r.at(a, b)];
            if (change == 0) continue;
            arcs.push_back(ModifiedArc{a, b, change, r.robustnessMatrix[r.at(a, b)]});
        }
    }
    return arcs;
}

}  // namespace kvis
