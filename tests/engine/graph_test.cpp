#include "engine/graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

#include "engine/arc_set_trial.h"
#include "engine/artificial_pair.h"
#include "engine/cycle_cut.h"
#include "engine/final_graph.h"
#include "fixture.h"

namespace kvis {
namespace {

using fixture::ArcR;
using fixture::Change;
using fixture::changes;
using fixture::memberRows;
using fixture::mergeAll;
using fixture::relation;

// ---------------------------------------------------------------------------
// A word-for-word version of the list, pruning and merging rules, slow and
// plain, to check the fast one against on many graphs.
namespace literal {

int& L(ResultsSet& r, int row, int p) { return r.vertexLists[r.at(row, p)]; }
int& C(ResultsSet& r, int v) { return r.listCounts[v]; }
int M(ResultsSet& r, int v, int i) { return r.vertexMembers[r.at(v, i)]; }
bool anyPositive(ResultsSet& r, int k) {
    return std::any_of(r.listCounts.begin(), r.listCounts.begin() + k, [](int c) { return c > 0; });
}
void append(ResultsSet& r, int row, int x) { L(r, row, C(r, row)++) = x; }
// The last entry of the row takes the place of entry p.
void removeAt(ResultsSet& r, int y, int p) {
    L(r, y, p) = L(r, y, C(r, y) - 1);
    L(r, y, --C(r, y)) = -1;
}

void buildLists(ResultsSet& r, ListMode mode, int k) {
    std::fill(r.listCounts.begin(), r.listCounts.end(), 0);
    std::fill(r.vertexLists.begin(), r.vertexLists.end(), -1);
    for (int y = 0; y < k; ++y)
        for (int x = 0; x < k; ++x)
            if (x != y && r.vertexGraph[r.at(x, y)] == 1)
                mode == ListMode::Successor ? append(r, x, y) : append(r, y, x);
}

int pruneSinks(ResultsSet& r, int k) {
    for (bool changed = true; changed && anyPositive(r, k);) {
        changed = false;
        for (int x = 0; x < k; ++x)
            for (int y = 0; C(r, x) == 0 && y < k; ++y)
                for (int p = 0; p < C(r, y); ++p)
                    if (L(r, y, p) == x) removeAt(r, y, p), changed = true;
    }
    return anyPositive(r, k) ? 1 : 0;
}

void rebuildVertexGraph(ResultsSet& r, int k) {
    std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
    const auto rows = memberRows(r, k);
    for (int v = 0; v < k; ++v)
        for (int w = 0; w < k; ++w)
            for (int a : rows[v])
                for (int b : rows[w])
                    if (v != w && r.modifiedOutranking[r.at(a, b)] == 1) r.vertexGraph[r.at(v, w)] = 1;
}

int condense(ResultsSet& r, int k) {
    const int n = r.n;
    int x0 = 0;
    while (C(r, x0) <= 0) ++x0;
    // The walk from x0 along first successors, recording representatives
    // until one repeats; the cycle is path[f..Lr].
    std::vector<int> path{x0};
    for (int cur = x0; std::find(path.begin(), path.end() - 1, path.back()) == path.end() - 1;)
        path.push_back(M(r, cur = L(r, cur, 0), 0));
    const int Lr = static_cast<int>(path.size()) - 1;
    const int f = static_cast<int>(std::find(path.begin(), path.end(), path.back()) - path.begin());
    int count = k - (Lr - f - 1);
    auto row = [&](int v) { return memberRows(r, v + 1)[v]; };
    auto vertexWithRep = [&](int rep) { int v = 0; while (v < k && M(r, v, 0) != rep) ++v; return v; };
    const int t = vertexWithRep(path[f]);
    const int start = static_cast<int>(row(t).size());
    int pos = start;
    for (int i = f + 1; i < Lr; ++i) {
        const int u = vertexWithRep(path[i]);
        for (int a : row(u)) r.vertexMembers[r.at(t, pos++)] = a;
        C(r, u) = -1;
        r.extraMembers[u] = 0;
    }
    if (pos < n) r.vertexMembers[r.at(t, pos)] = -1;
    r.extraMembers[t] += pos - start;
    for (int rep = 0; rep < Lr - f - 1; ++rep) {
        int v = 0;
        while (C(r, v) != -1) ++v;
        for (int w = v; w + 1 < k; ++w) {
            std::copy_n(r.vertexMembers.begin() + r.at(w + 1, 0), n, r.vertexMembers.begin() + r.at(w, 0));
            C(r, w) = C(r, w + 1);
            r.extraMembers[w] = r.extraMembers[w + 1];
        }
        r.extraMembers[k - 1] = 0;
    }
    std::fill(r.vertexMembers.begin() + count * n, r.vertexMembers.end(), -1);
    literal::rebuildVertexGraph(r, count);
    literal::buildLists(r, ListMode::Successor, count);
    if (literal::pruneSinks(r, count)) count = literal::condense(r, count);
    literal::buildLists(r, ListMode::Predecessor, count);
    return count;
}

int arcSetBreaksCycles(ResultsSet& r, const std::vector<std::pair<int, int>>& arcs) {
    const auto extra = r.extraMembers;
    const auto members = r.vertexMembers;
    fixture::singletons(r);
    for (auto [a, b] : arcs) r.modifiedOutranking[r.at(a, b)] = r.vertexGraph[r.at(a, b)] = 0;
    literal::buildLists(r, ListMode::Successor, r.n);
    const int k = literal::pruneSinks(r, r.n) ? literal::condense(r, r.n) : r.n;
    const int result = std::equal(extra.begin(), extra.begin() + k, r.extraMembers.begin()) ? 0 : 1;
    for (auto [a, b] : arcs) r.modifiedOutranking[r.at(a, b)] = r.vertexGraph[r.at(a, b)] = 1;
    r.extraMembers = extra;
    r.vertexMembers = members;
    return result;
}

void computeKernel(ResultsSet& r, int k) {
    r.workingVertexCount = k;
    literal::buildLists(r, ListMode::Predecessor, k);
    while (anyPositive(r, k))
        for (int x = 0; x < k; ++x)
            for (int y = 0; C(r, x) == 0 && y < k; ++y) {
                if (y == x || C(r, y) <= 0 || std::count(&L(r, y, 0), &L(r, y, 0) + C(r, y), x) == 0) continue;
                C(r, y) = -1;
                for (int z = 0; z < k; ++z)
                    for (int p = 0; z != y && C(r, z) >= 1 && p < C(r, z); ++p)
                        if (L(r, z, p) == y) removeAt(r, z, p);
            }
    std::fill(r.listCounts.begin() + k, r.listCounts.end(), -1);
    std::fill(r.vertexLists.begin() + k * r.n, r.vertexLists.end(), -1);
}

// The driver loop with every treatment merging again from scratch.
bool runEngine(const Project& p, ResultsSet& r) {
    const int n = r.n;
    fixture::resetMembers(r);
    kvis::buildLists(r, ListMode::Successor, n);
    int cyclic = kvis::pruneSinks(r, n);
    int k = r.workingVertexCount = cyclic ? kvis::condense(r, n) : n;
    r.vertexGraph = r.modifiedOutranking;
    for (int round = 0; round < 10000; ++round) {
        if (!cyclic) return kvis::computeKernel(r, k), true;
        cyclic = 0;
        // Most extra members first, lower index first on ties.
        std::vector<int> order, extra(r.extraMembers.begin(), r.extraMembers.begin() + k);
        for (int taken = 0; taken < k; ++taken) {
            order.push_back(static_cast<int>(std::max_element(extra.begin(), extra.end()) - extra.begin()));
            extra[order.back()] = -1;
        }
        for (int v : order) {
            if (v >= r.workingVertexCount || r.extraMembers[v] == 0) continue;
            const int res = kvis::cutComponent(p, r, v);
            if (res == -1) return false;
            k = r.workingVertexCount;
            if ((cyclic = res) == 1) break;
        }
        for (int a = 0; !cyclic && a <= k - 2; ++a)
            for (int b = a + 1; !cyclic && b <= k - 1; ++b)
                if (r.extraMembers[a] != 0 && r.extraMembers[b] != 0) {
                    cyclic = kvis::resolveArtificialPair(r, a, b);
                    k = r.workingVertexCount;
                }
    }
    return false;
}

}  // namespace literal

void expectSameGraphState(const ResultsSet& a, const ResultsSet& b) {
    EXPECT_EQ(a.vertexMembers, b.vertexMembers);
    EXPECT_EQ(a.extraMembers, b.extraMembers);
    EXPECT_EQ(a.vertexGraph, b.vertexGraph);
    EXPECT_EQ(a.vertexLists, b.vertexLists);
    EXPECT_EQ(a.listCounts, b.listCounts);
}

// Random relations: loose arcs, or clusters of alternatives that mostly
// outrank each other (many cycles inside, few between).
std::vector<ArcR> randomArcs(std::mt19937& rng, int n, bool dense = false) {
    std::uniform_real_distribution<double> u(0, 1);
    const double density = dense ? 0.75 + u(rng) * 0.2 : u(rng) * 0.5;
    const int cluster = dense ? n : 1 + static_cast<int>(rng() % 5);
    std::vector<ArcR> arcs;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) {
            if (a == b) continue;
            double p = dense ? density : a / cluster == b / cluster ? 0.7 : (a < b ? density : density * 0.1);
            // Dense relations sometimes get a first alternative that only
            // outranks and a last one that is only outranked.
            if (dense && n % 2 == 0 && (b == 0 || a == n - 1)) p = 0;
            if (u(rng) < p) arcs.push_back({a, b, 0.5 + 0.01 * static_cast<int>(rng() % 50)});
        }
    // Scramble the indices so that clusters are not contiguous.
    if (rng() % 2) {
        std::vector<int> perm(n);
        std::iota(perm.begin(), perm.end(), 0);
        std::shuffle(perm.begin(), perm.end(), rng);
        for (ArcR& arc : arcs) arc = {perm[arc.from], perm[arc.to], arc.R};
    }
    return arcs;
}
ResultsSet randomRelation(std::mt19937& rng, int n, bool dense = false) {
    return relation(n, randomArcs(rng, n, dense));
}

// ---------------------------------------------------------------------------
// Pruning and merging.

// Row 0 starts as [1 2 5 6]; 5 and 6 form a cycle. The order in which the
// sinks leave decides the row left behind, and the walk follows its first entry.
TEST(GraphPruning, RemovalOrderDecidesTheRowAndTheRepresentative) {
    struct Case {
        const char* name;
        ArcR link;  // between the sink and the vertex that only leads to it
        std::vector<int> row0;
    } cases[] = {
        // 1 -> 2: 2 leaves in pass one, 1 (lower index) only in pass two.
        {"lower index waits for the next pass", {1, 2, .9}, {5, 6}},
        // 2 -> 1: 1 leaves, then 2 in the same pass because its index is higher.
        {"higher index leaves in the same pass", {2, 1, .9}, {6, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResultsSet r = relation(7, {{0, 1, .9}, {0, 2, .9}, {0, 5, .9}, {0, 6, .9}, {5, 6, .9}, {6, 5, .9}, c.link});
        fixture::singletons(r);
        buildLists(r, ListMode::Successor, 7);
        ASSERT_EQ(pruneSinks(r, 7), 1);
        EXPECT_EQ(std::vector<int>(r.vertexLists.begin(), r.vertexLists.begin() + 3),
                  (std::vector<int>{c.row0[0], c.row0[1], -1}));
        EXPECT_EQ(r.listCounts, (std::vector<int>{2, 0, 0, 0, 0, 1, 1}));
        ASSERT_EQ(condense(r, 7), 6);
        EXPECT_EQ(memberRows(r, 6)[5], c.row0);
        EXPECT_EQ(r.extraMembers, (std::vector<int>{0, 0, 0, 0, 0, 1, 0}));
    }
}

// 0 -> 2, 2 <-> 1: the walk enters the cycle at 2, which stays representative.
TEST(GraphCondense, TwoCycleMergesIntoTheVertexTheWalkEnteredBy) {
    ResultsSet r = relation(3, {{0, 2, .9}, {2, 1, .7}, {1, 2, .55}});
    EXPECT_EQ(mergeAll(r), 2);
    EXPECT_EQ(memberRows(r, 3), (std::vector<std::vector<int>>{{0}, {2, 1}, {}}));
    EXPECT_EQ(r.extraMembers, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(r.vertexGraph, (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.listCounts, (std::vector<int>{0, 1, 0}));  // predecessor lists
}

TEST(GraphCondense, MatchesTheLiteralRulesOnRandomRelations) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const int n = 2 + static_cast<int>(rng() % (round % 20 == 0 ? 60 : 18));
        ResultsSet mine = randomRelation(rng, n, round % 4 == 3);
        fixture::singletons(mine);
        ResultsSet ref = mine;
        buildLists(mine, ListMode::Successor, n);
        literal::buildLists(ref, ListMode::Successor, n);
        const int cyclic = pruneSinks(mine, n);
        ASSERT_EQ(cyclic, literal::pruneSinks(ref, n));
        expectSameGraphState(mine, ref);
        if (!cyclic) continue;
        const int k = condense(mine, n);
        ASSERT_EQ(k, literal::condense(ref, n));
        expectSameGraphState(mine, ref);
        rebuildVertexGraph(mine, k);
        EXPECT_EQ(mine.vertexGraph, ref.vertexGraph);
        if (::testing::Test::HasFailure()) return;

        // Trial removals of up to three arcs, inside merged vertices or not.
        std::vector<std::pair<int, int>> present;
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                if (a != b && mine.modifiedOutranking[mine.at(a, b)]) present.push_back({a, b});
        for (int trial = 0; trial < 6 && !present.empty(); ++trial) {
            std::vector<std::pair<int, int>> arcs;
            for (int i = 0; i <= trial % 3; ++i) arcs.push_back(present[rng() % present.size()]);
            std::sort(arcs.begin(), arcs.end());
            arcs.erase(std::unique(arcs.begin(), arcs.end()), arcs.end());
            const int expected = literal::arcSetBreaksCycles(ref, arcs);
            EXPECT_EQ(arcSetBreaksCyclesQuietly(mine, arcs), expected);
            EXPECT_EQ(arcSetBreaksCycles(mine, arcs), expected);
            EXPECT_EQ(mine.modifiedOutranking, ref.modifiedOutranking);
            EXPECT_EQ(mine.vertexMembers, ref.vertexMembers);
            EXPECT_EQ(mine.extraMembers, ref.extraMembers);
        }
    }
}

// Merging again from scratch after a treatment runs on bit rows from the
// start; the arrays must come out as the literal lists, pruning and rounds
// leave them, with a cycle left or none.
TEST(GraphCondense, MergingAgainMatchesTheLiteralRules) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const int n = 2 + static_cast<int>(rng() % (round % 10 == 0 ? 70 : 20));
        ResultsSet mine = randomRelation(rng, n, round % 4 == 3);
        mine.workingVertexCount = -7;
        ResultsSet ref = mine;
        fixture::singletons(ref);
        literal::buildLists(ref, ListMode::Successor, n);
        const int cyclic = literal::pruneSinks(ref, n);
        if (cyclic) ref.workingVertexCount = literal::condense(ref, n);
        ASSERT_EQ(remergeFromScratch(mine), cyclic);
        EXPECT_EQ(mine.workingVertexCount, ref.workingVertexCount);
        expectSameGraphState(mine, ref);
        if (::testing::Test::HasFailure()) return;
    }
}

// The search for the cheapest arc set, literally: every set of each size tried
// in order below the limit, kept when it breaks and is cheaper by more than
// the loss (or nothing was found yet).
ArcSetChoice literalSearch(ResultsSet& r, const std::vector<Arc>& arcs, int maxArcs, double loss) {
    const int A = static_cast<int>(arcs.size());
    ArcSetChoice c;
    int limit = A - 1;
    for (int i = 0; i < A && !c.found; ++i)
        if (literal::arcSetBreaksCycles(r, {{arcs[i].from, arcs[i].to}})) c = {{i}, arcs[i].R, true}, limit = i;
    if (!c.found && A > 0) c = {{A - 1}, arcs[A - 1].R, false};
    std::vector<int> idx;
    auto rec = [&](auto&& self, int size, int start) -> void {
        if (static_cast<int>(idx.size()) == size) {
            std::vector<std::pair<int, int>> set;
            for (int i : idx) set.push_back({arcs[i].from, arcs[i].to});
            if (literal::arcSetBreaksCycles(r, set) && (arcs[idx.back()].R + loss < c.loss || !c.found))
                c = {idx, arcs[idx.back()].R, true}, limit = idx.back();
            return;
        }
        for (int i = start; i < limit; ++i) {
            idx.push_back(i);
            self(self, size, i + 1);
            idx.pop_back();
        }
    };
    for (int size = 2; size <= std::max(2, std::min({maxArcs, A, 9})); ++size) rec(rec, size, 0);
    return c;
}

// Every group's search must choose exactly the set the rules choose.
//  - Small relations, often dense (most sets of two or three leave a group
//    connected), with a few outside alternatives inside a group's index range,
//    and groups alone: the shortcuts of a split, of a settled group and of the
//    smallest cut.
//  - Larger relations of small scrambled clusters: groups whose members lie
//    between those of other groups, so that a trial may move representatives
//    and is answered by following, forking from and rejoining the recorded
//    merge of the untouched relation.
TEST(ArcSetSearch, ChoosesWhatTheRulesChoose) {
    struct Case {
        const char* name;
        unsigned seed;
        int rounds, smallestN, moreN, minSearched;
        bool larger;
    } cases[] = {
        {"small and dense", 2026, 90, 4, 4, 80, false},
        {"larger, interleaved", 77, 24, 16, 20, 40, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 rng(c.seed);
        int searched = 0;
        for (int round = 0; round < c.rounds; ++round) {
            SCOPED_TRACE(round);
            const int n = c.smallestN + static_cast<int>(rng() % static_cast<unsigned>(c.moreN));
            ResultsSet r = randomRelation(rng, n, !c.larger && round % 3 != 0);
            const int k = mergeAll(r);
            const int maxArcs = c.larger ? 2 : 2 + round % 2;
            const double loss = !c.larger && round % 2 ? 0.1 : 0.0;
            for (int v = 0; v < k; ++v) {
                if (r.extraMembers[v] == 0) continue;
                const std::vector<int> group = vertexMemberList(r, v);
                std::vector<Arc> arcs;
                for (int a : group)
                    for (int b : group)
                        if (a != b && r.modifiedOutranking[r.at(a, b)])
                            arcs.push_back({r.robustnessMatrix[r.at(a, b)], a, b});
                std::stable_sort(arcs.begin(), arcs.end(), [](const Arc& x, const Arc& y) { return x.R < y.R; });
                const ArcSetChoice mine = cheapestArcSet(r, group, arcs, maxArcs, loss);
                ResultsSet ref = r;
                const ArcSetChoice rules = literalSearch(ref, arcs, maxArcs, loss);
                EXPECT_EQ(mine.best, rules.best);
                EXPECT_EQ(mine.found, rules.found);
                EXPECT_EQ(mine.loss, rules.loss);
                ++searched;
            }
            if (::testing::Test::HasFailure()) return;
        }
        EXPECT_GT(searched, c.minSearched);
    }
}

// Skipping the merge after a treatment that changed nothing must not show.
TEST(GraphEngine, MatchesTheDriverThatAlwaysMergesAgain) {
    std::mt19937 rng(4242);
    const double losses[] = {0.0, 0.05, 0.1, 0.2};
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const int n = 2 + static_cast<int>(rng() % 13);
        ResultsSet mine = randomRelation(rng, n);
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                if (a != b && !mine.outrankingMatrix[mine.at(a, b)])
                    mine.robustnessMatrix[mine.at(a, b)] = 0.01 * static_cast<int>(rng() % 60);
        ResultsSet ref = mine;
        Project p;
        p.maxArcsToCut = 1 + static_cast<int>(rng() % 4);
        p.acceptableLoss = losses[rng() % 4];
        const bool ok = runEngine(p, mine);
        ASSERT_EQ(ok, literal::runEngine(p, ref));
        EXPECT_EQ(mine.modifiedOutranking, ref.modifiedOutranking);
        EXPECT_EQ(mine.workingVertexCount, ref.workingVertexCount);
        if (ok) expectSameGraphState(mine, ref);
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(GraphKernel, MatchesTheLiteralRulesOnRandomAcyclicGraphs) {
    std::mt19937 rng(777);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const int n = 1 + static_cast<int>(rng() % 25);
        std::vector<int> rank(n);
        std::iota(rank.begin(), rank.end(), 0);
        std::shuffle(rank.begin(), rank.end(), rng);
        std::vector<ArcR> arcs;
        const unsigned density = 1 + rng() % 6;
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                if (rank[a] < rank[b] && rng() % 7 < density) arcs.push_back({a, b, .9});
        ResultsSet mine = relation(n, arcs);
        ResultsSet ref = mine;
        computeKernel(mine, n);
        literal::computeKernel(ref, n);
        expectSameGraphState(mine, ref);
        if (::testing::Test::HasFailure()) return;
    }
}

// ---------------------------------------------------------------------------
// The whole engine on small relations: what is cut or added, the final
// vertices and the kernel marks (0 in the kernel, -1 not).

TEST(GraphEngine, SmallRelations) {
    struct Case {
        const char* name;
        int n;
        std::vector<ArcR> arcs, otherR;
        std::vector<Change> changes;
        std::vector<std::vector<int>> members;
        std::vector<int> marks;
    } cases[] = {
        {"acyclic relation untouched", 4, {{0, 1, .9}, {1, 2, .8}, {0, 3, .7}}, {}, {},
         {{0}, {1}, {2}, {3}}, {0, -1, 0, -1}},
        {"a single alternative", 1, {}, {}, {}, {{0}}, {0}},
        {"kernel of the empty graph", 3, {}, {}, {}, {{0}, {1}, {2}}, {0, 0, 0}},
        {"kernel of a chain", 3, {{0, 1, .9}, {1, 2, .9}}, {}, {}, {{0}, {1}, {2}}, {0, -1, 0}},
        {"one complete group holding everything", 3,
         {{0, 1, .9}, {1, 0, .9}, {0, 2, .9}, {2, 0, .9}, {1, 2, .9}, {2, 1, .9}}, {}, {}, {{0, 1, 2}}, {0, -1, -1}},
        {"complete group with uniform neighbours stays artificial", 4,
         {{0, 1, .9}, {1, 0, .8}, {2, 0, .7}, {2, 1, .7}, {0, 3, .6}, {1, 3, .6}}, {}, {},
         {{0, 1}, {2}, {3}}, {-1, 0, 0, -1}},
        // The second walk starts at vertex 1 (alternative 2): its path begins
        // with the index 1, so the representatives 3 and 2 are both recorded
        // before one repeats, and 3 becomes the representative.
        {"two unrelated artificial vertices unchanged", 4, {{0, 1, .9}, {1, 0, .9}, {2, 3, .9}, {3, 2, .9}}, {}, {},
         {{0, 1}, {3, 2}}, {0, 0, -1, -1}},
        {"weaker arc of a 2-cycle removed", 3, {{0, 2, .9}, {2, 1, .7}, {1, 2, .55}}, {}, {{1, 2, -1, .55}},
         {{0}, {1}, {2}}, {0, 0, -1}},
        {"equal robustness: the arc found later sorts first and is cut", 3, {{0, 1, .6}, {1, 0, .6}, {2, 0, .8}},
         {}, {{1, 0, -1, .6}}, {{0}, {1}, {2}}, {-1, 0, 0}},
        // Strong missing arcs: completing (0.5 - 0.81) is cheaper than cutting (0.9 - 0.5).
        {"group made artificial lists its missing arcs as added", 3, {{0, 1, .9}, {1, 2, .9}, {2, 0, .9}},
         {{0, 2, .81}, {1, 0, .82}, {2, 1, .83}}, {{0, 2, 1, .81}, {1, 0, 1, .82}, {2, 1, 1, .83}},
         {{0, 1, 2}}, {0, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResultsSet r = relation(c.n, c.arcs, 0.3, c.otherR);
        ASSERT_TRUE(runEngine(Project{}, r));
        const int k = static_cast<int>(c.members.size());
        EXPECT_EQ(changes(r), c.changes);
        EXPECT_EQ(r.workingVertexCount, k);
        auto members = c.members;
        members.resize(c.n);  // rows past the last vertex start with -1
        EXPECT_EQ(memberRows(r, c.n), members);
        for (int v = 0; v < k; ++v) EXPECT_EQ(vertexMemberList(r, v), c.members[v]);  // a full row has no -1
        for (int v = 0; v < c.n; ++v)
            EXPECT_EQ(r.extraMembers[v], std::max(0, static_cast<int>(members[v].size()) - 1)) << v;
        EXPECT_EQ(r.listCounts, c.marks);
        if (k == c.n && c.changes.empty()) {
            EXPECT_EQ(r.vertexGraph, r.outrankingMatrix);
        }
    }
}

// Complete on {0 1 2 3}, and 4 joined to 0, 1, 2 both ways: no set of fewer
// than three arcs splits it, and the weak missing arcs 3 <-> 4 make completing
// dearer than cutting.
TEST(GraphEngine, CycleNeedingThreeCutsFailsWhenTwoAreAllowed) {
    std::vector<ArcR> arcs;
    for (int a = 0; a < 5; ++a)
        for (int b = 0; b < 5; ++b)
            if (a != b && a + b != 7) arcs.push_back({a, b, .7});  // all but 3 <-> 4
    for (int maxArcs : {2, 3}) {
        SCOPED_TRACE(maxArcs);
        ResultsSet r = relation(5, arcs, .1);
        Project p;
        p.maxArcsToCut = maxArcs;
        EXPECT_EQ(runEngine(p, r), maxArcs == 3);
        if (maxArcs == 2) continue;
        const std::vector<Change> changed = changes(r);
        EXPECT_GE(changed.size(), 3u);
        for (const Change& a : changed) EXPECT_EQ(a.change, -1);
    }
}

// With one merged vertex whose members form an interval of indices the search
// tests strong connectivity only. A separate 2-cycle above it turns that off
// without changing any answer, so the arcs cut must be the same.
TEST(GraphCut, SingleIntervalGroupIsSearchedTheSameWay) {
    std::mt19937 rng(99);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        const int n = 4 + static_cast<int>(rng() % 9);
        // Completing must be dear, so that the arc set found is cut and shows.
        std::vector<ArcR> arcs = randomArcs(rng, n, true);
        ResultsSet one = relation(n, arcs, 0.02);
        arcs.insert(arcs.end(), {{n, n + 1, .9}, {n + 1, n, .9}});
        ResultsSet two = relation(n + 2, arcs, 0.02);
        const int k = mergeAll(one);
        int group = 0;
        while (group < k && one.extraMembers[group] == 0) ++group;
        if (group == k || std::count(one.extraMembers.begin(), one.extraMembers.end(), 0) != n - 1) continue;
        ASSERT_EQ(mergeAll(two), k + 1);
        Project p;
        p.maxArcsToCut = 2 + static_cast<int>(rng() % 2);
        p.acceptableLoss = round % 2 ? 0.1 : 0.0;
        ASSERT_EQ(cutComponent(p, one, group) == -1, cutComponent(p, two, group) == -1);
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                ASSERT_EQ(one.modifiedOutranking[one.at(a, b)], two.modifiedOutranking[two.at(a, b)]);
    }
}

}  // namespace
}  // namespace kvis
