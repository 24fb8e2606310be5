#include "engine/vertex_graph.h"

#include <algorithm>
#include <vector>

#include "engine/final_graph.h"

namespace kvis {

void ListPositions::removeAt(int row, int p) {
    int& count = r_.listCounts[row];
    const int last = count - 1;
    const int moved = r_.vertexLists[r_.at(row, last)];
    r_.vertexLists[r_.at(row, p)] = moved;
    (*this)(row, moved) = p;
    r_.vertexLists[r_.at(row, last)] = -1;
    --count;
}

void buildLists(ResultsSet& r, ListMode mode, int k) {
    std::fill(r.listCounts.begin(), r.listCounts.end(), 0);
    std::fill(r.vertexLists.begin(), r.vertexLists.end(), -1);
    // Walking x outer gives the same rows as walking the targets outer.
    for (int x = 0; x < k; ++x) {
        for (int y = 0; y < k; ++y) {
            if (x == y || r.vertexGraph[r.at(x, y)] == 0) continue;
            if (mode == ListMode::Successor)
                r.vertexLists[r.at(x, r.listCounts[x]++)] = y;
            else
                r.vertexLists[r.at(y, r.listCounts[y]++)] = x;
        }
    }
}

int pruneSinks(ResultsSet& r, int k) {
    if (k <= 0) return 0;
    ListPositions pos(r);
    // Which rows hold each vertex, so that removing it needs no scan of all rows.
    std::vector<int> start(k + 1, 0);
    for (int y = 0; y < k; ++y)
        for (int p = 0; p < r.listCounts[y]; ++p) {
            const int x = r.vertexLists[r.at(y, p)];
            if (x < 0 || x >= k) continue;
            pos(y, x) = p;
            ++start[x + 1];
        }
    for (int x = 0; x < k; ++x) start[x + 1] += start[x];
    std::vector<int> holders(start[k]);
    {
        std::vector<int> fill(start.begin(), start.end() - 1);
        for (int y = 0; y < k; ++y)
            for (int p = 0; p < r.listCounts[y]; ++p) {
                const int x = r.vertexLists[r.at(y, p)];
                if (x >= 0 && x < k) holders[fill[x]++] = y;
            }
    }
    auto anyPositive = [&] {
        return std::any_of(r.listCounts.begin(), r.listCounts.begin() + k, [](int c) { return c > 0; });
    };
    // A vertex is taken out of every row once; later passes would find nothing.
    std::vector<char> done(k, 0);
    bool changed = true;
    while (changed && anyPositive()) {
        changed = false;
        for (int x = 0; x < k; ++x) {
            if (r.listCounts[x] != 0 || done[x]) continue;
            done[x] = 1;
            for (int h = start[x]; h < start[x + 1]; ++h) {
                const int y = holders[h];
                pos.removeAt(y, pos(y, x));
                changed = true;
            }
        }
    }
    return anyPositive() ? 1 : 0;
}

void rebuildVertexGraph(ResultsSet& r, int k) {
    std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
    std::vector<std::vector<int>> members;
    for (int v = 0; v < k; ++v) members.push_back(vertexMemberList(r, v));
    for (int v = 0; v < k; ++v) {
        for (int w = 0; w < k; ++w) {
            if (v == w) continue;
            const bool arc = std::any_of(members[v].begin(), members[v].end(), [&](int x) {
                return std::any_of(members[w].begin(), members[w].end(),
                                   [&](int y) { return r.modifiedOutranking[r.at(x, y)] == 1; });
            });
            if (arc) r.vertexGraph[r.at(v, w)] = 1;
        }
    }
}

void resetToSingletons(ResultsSet& r) {
    std::fill(r.vertexMembers.begin(), r.vertexMembers.end(), -1);
    for (int v = 0; v < r.n; ++v) r.vertexMembers[r.at(v, 0)] = v;
    std::fill(r.extraMembers.begin(), r.extraMembers.end(), 0);
}

}  // namespace kvis
