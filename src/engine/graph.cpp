#include "engine/graph.h"

#include <algorithm>
#include <vector>

#include "engine/artificial_pair.h"
#include "engine/cycle_cut.h"
#include "engine/final_graph.h"
#include "engine/merging.h"

namespace kvis {

namespace {

// Most extra members first, lower index first on ties.
std::vector<int> largestGroupsFirst(const ResultsSet& r, int k) {
    std::vector<int> order(k);
    for (int v = 0; v < k; ++v) order[v] = v;
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return r.extraMembers[x] > r.extraMembers[y]; });
    return order;
}

}  // namespace

bool runEngine(const Project& p, ResultsSet& r, ComputeProgress* progress) {
    const int n = r.n;
    if (n <= 0) {
        r.workingVertexCount = 0;
        return true;
    }
    r.workingVertexCount = n;
    checkCancel(progress);
    // The fill left vertexGraph equal to modifiedOutranking, so the first
    // merge is the one every treatment repeats. Later cuts add to the
    // vertex count; it must describe the merged graph.
    int cyclic = remergeFromScratch(r);
    int k = r.workingVertexCount;
    checkCancel(progress);

    r.vertexGraph = r.modifiedOutranking;

    // Merging again from scratch depends on modifiedOutranking alone. Once the
    // arrays hold such a merge (with a cycle), a treatment that changed no
    // cell would merge to the very same arrays, so that merge is skipped.
    bool merged = false;
    auto finish = [&](int result, bool changed, int formerExtra) {
        if (merged && !changed) return result;
        return finishTreatment(r, result, formerExtra, merged);
    };

    if (progress && cyclic) progress->stage(ComputeStage::Cutting);
    // Ordinary projects settle within about ten rounds; a graph that keeps
    // changing is reported like any other failure to cut.
    for (int round = 0; round < 10000; ++round) {
        checkCancel(progress);
        if (!cyclic) {
            if (progress) progress->stage(ComputeStage::Kernel);
            computeKernel(r, k, progress);
            return true;
        }
        cyclic = 0;

        // The indices of the order are those in force when it was made,
        // although each treatment merges again.
        for (int v : largestGroupsFirst(r, k)) {
            if (v >= r.workingVertexCount || r.extraMembers[v] == 0) continue;
            bool changed = false;
            const int e = r.extraMembers[v];
            checkCancel(progress);
            int res = treatComponent(p, r, v, changed, progress);
            if (res == -1) return false;
            res = finish(res, changed, e);
            k = r.workingVertexCount;
            if (res == 1) {
                cyclic = 1;
                break;
            }
        }
        if (cyclic) continue;

        for (int a = 0; !cyclic && a <= k - 2; ++a)
            for (int b = a + 1; !cyclic && b <= k - 1; ++b) {
                if (r.extraMembers[a] == 0 || r.extraMembers[b] == 0) continue;
                checkCancel(progress);
                bool changed = false;
                const int e = r.extraMembers[a] + r.extraMembers[b];
                const int res = treatPair(r, a, b, changed);
                cyclic = finish(res, changed, e);
                k = r.workingVertexCount;
            }
    }
    return false;
}

}  // namespace kvis
