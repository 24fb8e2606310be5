#include "engine/graph.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "engine/final_graph.h"
#include "graph_fixture.h"

namespace kvis {
namespace {

using fixture::ArcR;
using fixture::mergeAll;
using fixture::relation;
using fixture::rowOf;

// ---------------------------------------------------------------------------
// A word-for-word version of the list, pruning and merging rules, slow and
// plain, to check the fast one against on many graphs.
namespace literal {

int& L(ResultsSet& r, int row, int p) { return r.vertexLists[r.at(row, p)]; }
int& C(ResultsSet& r, int v) { return r.listCounts[v]; }

void buildLists(ResultsSet& r, ListMode mode, int k) {
    for (int v = 0; v < r.n; ++v) C(r, v) = 0;
    for (int& c : r.vertexLists) c = -1;
    for (int y = 0; y < k; ++y)
        for (int x = 0; x < k; ++x) {
            if (x == y || r.vertexGraph[r.at(x, y)] != 1) continue;
            if (mode == ListMode::Successor)
                L(r, x, C(r, x)++) = y;
            else
                L(r, y, C(r, y)++) = x;
        }
}

bool anyPositive(ResultsSet& r, int k) {
    for (int v = 0; v < k; ++v)
        if (C(r, v) > 0) return true;
    return false;
}

int pruneSinks(ResultsSet& r, int k) {
    bool changed = true;
    while (changed && anyPositive(r, k)) {
        changed = false;
        for (int x = 0; x < k; ++x) {
            if (C(r, x) != 0) continue;
            for (int y = 0; y < k; ++y)
                for (int p = 0; p < C(r, y); ++p)
                    if (L(r, y, p) == x) {
                        L(r, y, p) = L(r, y, C(r, y) - 1);
                        L(r, y, C(r, y) - 1) = -1;
                        --C(r, y);
                        changed = true;
                    }
        }
    }
    return anyPositive(r, k) ? 1 : 0;
}

int rowLength(ResultsSet& r, int v) {
    int len = 0;
    while (len < r.n && r.vertexMembers[r.at(v, len)] != -1) ++len;
    return len;
}

void rebuildVertexGraph(ResultsSet& r, int k) {
    for (int& c : r.vertexGraph) c = 0;
    for (int v = 0; v < k; ++v)
        for (int w = 0; w < k; ++w) {
            if (v == w) continue;
            for (int i = 0; i < rowLength(r, v); ++i)
                for (int j = 0; j < rowLength(r, w); ++j)
                    if (r.modifiedOutranking[r.at(r.vertexMembers[r.at(v, i)], r.vertexMembers[r.at(w, j)])] == 1)
                        r.vertexGraph[r.at(v, w)] = 1;
        }
}

int vertexWithRep(ResultsSet& r, int k, int rep) {
    for (int v = 0; v < k; ++v)
        if (r.vertexMembers[r.at(v, 0)] == rep) return v;
    return -1;
}

int condense(ResultsSet& r, int k) {
    const int n = r.n;
    int x0 = 0;
    while (C(r, x0) <= 0) ++x0;
    std::vector<int> path{x0};
    int cur = x0, f = -1;
    while (f < 0) {
        const int next = L(r, cur, 0);
        const int rep = r.vertexMembers[r.at(next, 0)];
        for (size_t i = 0; i < path.size(); ++i)
            if (path[i] == rep) f = static_cast<int>(i);
        path.push_back(rep);
        cur = next;
    }
    const int Lr = static_cast<int>(path.size()) - 1;
    int count = k - (Lr - f - 1);
    const int t = vertexWithRep(r, k, path[f]);
    int pos = rowLength(r, t), appended = 0;
    for (int i = f + 1; i < Lr; ++i) {
        const int u = vertexWithRep(r, k, path[i]);
        for (int j = 0; j < rowLength(r, u); ++j, ++appended) r.vertexMembers[r.at(t, pos++)] = r.vertexMembers[r.at(u, j)];
        C(r, u) = -1;
        r.extraMembers[u] = 0;
    }
    if (pos < n) r.vertexMembers[r.at(t, pos)] = -1;
    r.extraMembers[t] += appended;
    for (int rep = 0; rep < Lr - f - 1; ++rep) {
        int v = 0;
        while (C(r, v) != -1) ++v;
        for (int w = v; w + 1 < k; ++w) {
            for (int j = 0; j < n; ++j) r.vertexMembers[r.at(w, j)] = r.vertexMembers[r.at(w + 1, j)];
            C(r, w) = C(r, w + 1);
            r.extraMembers[w] = r.extraMembers[w + 1];
        }
        r.extraMembers[k - 1] = 0;
    }
    for (int c = count * n; c < n * n; ++c) r.vertexMembers[c] = -1;
    literal::rebuildVertexGraph(r, count);
    literal::buildLists(r, ListMode::Successor, count);
    if (literal::pruneSinks(r, count)) count = literal::condense(r, count);
    literal::buildLists(r, ListMode::Predecessor, count);
    return count;
}

int arcSetBreaksCycles(ResultsSet& r, const std::vector<std::pair<int, int>>& arcs) {
    const auto extra = r.extraMembers;
    const auto members = r.vertexMembers;
    r.vertexGraph = r.modifiedOutranking;
    for (int v = 0; v < r.n; ++v) {
        for (int i = 0; i < r.n; ++i) r.vertexMembers[r.at(v, i)] = i == 0 ? v : -1;
        r.extraMembers[v] = 0;
    }
    for (auto [a, b] : arcs) r.modifiedOutranking[r.at(a, b)] = r.vertexGraph[r.at(a, b)] = 0;
    literal::buildLists(r, ListMode::Successor, r.n);
    const int k = literal::pruneSinks(r, r.n) ? literal::condense(r, r.n) : r.n;
    int result = 0;
    for (int v = 0; v < k; ++v)
        if (r.extraMembers[v] != extra[v]) result = 1;
    for (auto [a, b] : arcs) r.modifiedOutranking[r.at(a, b)] = r.vertexGraph[r.at(a, b)] = 1;
    r.extraMembers = extra;
    r.vertexMembers = members;
    return result;
}

void computeKernel(ResultsSet& r, int k) {
    r.workingVertexCount = k;
    literal::buildLists(r, ListMode::Predecessor, k);
    while (anyPositive(r, k)) {
        for (int x = 0; x < k; ++x) {
            if (C(r, x) != 0) continue;
            for (int y = 0; y < k; ++y) {
                if (y == x || C(r, y) <= 0) continue;
                bool found = false;
                for (int p = 0; p < C(r, y); ++p) found = found || L(r, y, p) == x;
                if (!found) continue;
                C(r, y) = -1;
                for (int z = 0; z < k; ++z) {
                    if (z == y || C(r, z) < 1) continue;
                    for (int p = 0; p < C(r, z); ++p)
                        if (L(r, z, p) == y) {
                            L(r, z, p) = L(r, z, C(r, z) - 1);
                            L(r, z, C(r, z) - 1) = -1;
                            --C(r, z);
                        }
                }
            }
        }
    }
    for (int v = k; v < r.n; ++v) C(r, v) = -1;
    for (int c = k * r.n; c < r.n * r.n; ++c) r.vertexLists[c] = -1;
}

// The driver loop with every treatment merging again from scratch.
bool runEngine(const Project& p, ResultsSet& r) {
    const int n = r.n;
    for (int v = 0; v < n; ++v) {
        for (int i = 0; i < n; ++i) r.vertexMembers[r.at(v, i)] = i == 0 ? v : -1;
        r.extraMembers[v] = 0;
    }
    kvis::buildLists(r, ListMode::Successor, n);
    int cyclic = kvis::pruneSinks(r, n);
    int k = cyclic ? kvis::condense(r, n) : n;
    r.workingVertexCount = k;
    r.vertexGraph = r.modifiedOutranking;
    for (int round = 0; round < 10000; ++round) {
        if (!cyclic) {
            kvis::computeKernel(r, k);
            return true;
        }
        cyclic = 0;
        std::vector<int> order;
        std::vector<int> extra(r.extraMembers.begin(), r.extraMembers.begin() + k);
        for (int taken = 0; taken < k; ++taken) {
            int best = -1;
            for (int v = 0; v < k; ++v)
                if (extra[v] >= 0 && (best < 0 || extra[v] > extra[best])) best = v;
            order.push_back(best);
            extra[best] = -1;
        }
        for (int v : order) {
            if (v >= r.workingVertexCount || r.extraMembers[v] == 0) continue;
            const int res = kvis::cutComponent(p, r, v);
            if (res == -1) return false;
            k = r.workingVertexCount;
            if (res == 1) {
                cyclic = 1;
                break;
            }
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
ResultsSet randomRelation(std::mt19937& rng, int n, bool dense = false) {
    std::uniform_real_distribution<double> u(0, 1);
    const double density = dense ? 0.75 + u(rng) * 0.2 : u(rng) * 0.5;
    const int cluster = dense ? n : 1 + static_cast<int>(rng() % 5);
    std::vector<ArcR> arcs;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) {
            if (a == b) continue;
            const bool same = a / cluster == b / cluster;
            double p = dense ? density : same ? 0.7 : (a / cluster < b / cluster ? density : density * 0.1);
            // Dense relations sometimes get a first alternative that only
            // outranks and a last one that is only outranked.
            if (dense && n % 2 == 0 && (b == 0 || a == n - 1)) p = 0;
            if (u(rng) < p) arcs.push_back({a, b, 0.5 + 0.01 * static_cast<int>(rng() % 50)});
        }
    ResultsSet r = relation(n, arcs);
    // Scramble the indices so that clusters are not contiguous.
    if (rng() % 2) {
        std::vector<int> perm(n);
        for (int i = 0; i < n; ++i) perm[i] = i;
        std::shuffle(perm.begin(), perm.end(), rng);
        ResultsSet s = r;
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b) {
                s.outrankingMatrix[s.at(perm[a], perm[b])] = r.outrankingMatrix[r.at(a, b)];
                s.robustnessMatrix[s.at(perm[a], perm[b])] = r.robustnessMatrix[r.at(a, b)];
            }
        s.modifiedOutranking = s.vertexGraph = s.outrankingMatrix;
        return s;
    }
    return r;
}


// ---------------------------------------------------------------------------
// Stage 1: pruning of sinks.

// Row 0 starts as [1 2 5 6]; 5 and 6 form a cycle. The order in which the
// sinks leave decides the row left behind, and the walk follows its first entry.
TEST(GraphPruning, RemovalOrderDecidesTheRowAndTheRepresentative) {
    struct Case {
        const char* name;
        ArcR link;  // between the sink and the vertex that only leads to it
        std::vector<int> row0;
        std::vector<int> merged;
    };
    const std::vector<Case> cases = {
        // 1 -> 2: 2 leaves in pass one, 1 (lower index) only in pass two.
        {"lower index waits for the next pass", {1, 2, .9}, {5, 6}, {5, 6}},
        // 2 -> 1: 1 leaves, then 2 in the same pass because its index is higher.
        {"higher index leaves in the same pass", {2, 1, .9}, {6, 5}, {6, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResultsSet r = relation(7, {{0, 1, .9}, {0, 2, .9}, {0, 5, .9}, {0, 6, .9}, {5, 6, .9}, {6, 5, .9}, c.link});
        fixture::singletons(r);
        buildLists(r, ListMode::Successor, 7);
        ASSERT_EQ(pruneSinks(r, 7), 1);
        EXPECT_EQ(rowOf(r, r.vertexLists, 0, 3), (std::vector<int>{c.row0[0], c.row0[1], -1}));
        EXPECT_EQ(r.listCounts, (std::vector<int>{2, 0, 0, 0, 0, 1, 1}));
        ASSERT_EQ(condense(r, 7), 6);
        EXPECT_EQ(rowOf(r, r.vertexMembers, 5, 3), (std::vector<int>{c.merged[0], c.merged[1], -1}));
        EXPECT_EQ(r.extraMembers, (std::vector<int>{0, 0, 0, 0, 0, 1, 0}));
    }
}

// ---------------------------------------------------------------------------
// Stage 2: merging of cycles.

// 0 -> 2, 2 <-> 1: the walk enters the cycle at 2, which stays representative.
TEST(GraphCondense, TwoCycleKeepsTheVertexTheWalkEnteredBy) {
    ResultsSet r = relation(3, {{0, 2, .9}, {2, 1, .7}, {1, 2, .55}});
    EXPECT_EQ(mergeAll(r), 2);
    EXPECT_EQ(rowOf(r, r.vertexMembers, 0, 2), (std::vector<int>{0, -1}));
    EXPECT_EQ(rowOf(r, r.vertexMembers, 1, 3), (std::vector<int>{2, 1, -1}));
    EXPECT_EQ(r.vertexMembers[r.at(2, 0)], -1);
    EXPECT_EQ(r.extraMembers, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(r.vertexGraph, (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.listCounts, (std::vector<int>{0, 1, 0}));  // predecessor lists
}

// Three 2-cycles joined in a ring: three walks, the last carrying the members
// merged before; the row is full and has no terminator.
TEST(GraphCondense, RingOfThreeTwoCyclesBecomesOneVertexOfSix) {
    ResultsSet r = relation(6, {{0, 1, .9}, {1, 0, .9}, {2, 3, .9}, {3, 2, .9}, {4, 5, .9}, {5, 4, .9},
                                {1, 2, .9}, {3, 4, .9}, {5, 0, .9}});
    EXPECT_EQ(mergeAll(r), 1);
    EXPECT_EQ(rowOf(r, r.vertexMembers, 0, 6), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(r.extraMembers, (std::vector<int>{5, 0, 0, 0, 0, 0}));
    for (int c = 6; c < 36; ++c) EXPECT_EQ(r.vertexMembers[c], -1);
}

TEST(GraphCondense, MatchesTheLiteralRulesOnRandomRelations) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 400; ++round) {
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
        ASSERT_EQ(k, literal::condense(ref, n)) << "round " << round;
        expectSameGraphState(mine, ref);
        rebuildVertexGraph(mine, k);
        EXPECT_EQ(mine.vertexGraph, ref.vertexGraph);
        if (::testing::Test::HasFailure()) FAIL() << "round " << round;

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
            EXPECT_EQ(arcSetBreaksCyclesQuietly(mine, arcs), expected) << "round " << round;
            EXPECT_EQ(arcSetBreaksCycles(mine, arcs), expected) << "round " << round;
            EXPECT_EQ(mine.modifiedOutranking, ref.modifiedOutranking);
            EXPECT_EQ(mine.vertexMembers, ref.vertexMembers);
            EXPECT_EQ(mine.extraMembers, ref.extraMembers);
        }
    }
}

// Skipping the merge after a treatment that changed nothing must not show.
TEST(GraphEngine, MatchesTheDriverThatAlwaysMergesAgain) {
    std::mt19937 rng(4242);
    const double losses[] = {0.0, 0.05, 0.1, 0.2};
    for (int round = 0; round < 300; ++round) {
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
        ASSERT_EQ(ok, literal::runEngine(p, ref)) << "round " << round;
        EXPECT_EQ(mine.modifiedOutranking, ref.modifiedOutranking);
        EXPECT_EQ(mine.workingVertexCount, ref.workingVertexCount);
        if (ok) expectSameGraphState(mine, ref);
        if (::testing::Test::HasFailure()) FAIL() << "round " << round;
    }
}

// With one merged vertex whose members form an interval of indices the search
// tests strong connectivity only. A separate 2-cycle above it turns that off
// without changing any answer, so the arcs cut must be the same.
TEST(GraphCut, SingleIntervalGroupIsSearchedTheSameWay) {
    std::mt19937 rng(99);
    for (int round = 0; round < 60; ++round) {
        const int n = 4 + static_cast<int>(rng() % 9);
        ResultsSet one = randomRelation(rng, n, true);
        // Completing must be dear, so that the arc set found is cut and shows.
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                if (!one.outrankingMatrix[one.at(a, b)]) one.robustnessMatrix[one.at(a, b)] = 0.02;
        ResultsSet two = relation(n + 2, {{n, n + 1, .9}, {n + 1, n, .9}});
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b) {
                two.outrankingMatrix[two.at(a, b)] = one.outrankingMatrix[one.at(a, b)];
                two.robustnessMatrix[two.at(a, b)] = one.robustnessMatrix[one.at(a, b)];
            }
        two.modifiedOutranking = two.vertexGraph = two.outrankingMatrix;
        const int k = mergeAll(one);
        int group = 0;
        while (group < k && one.extraMembers[group] == 0) ++group;
        if (group == k || std::count(one.extraMembers.begin(), one.extraMembers.end(), 0) != n - 1) continue;
        ASSERT_EQ(mergeAll(two), k + 1);
        Project p;
        p.maxArcsToCut = 2 + static_cast<int>(rng() % 2);
        p.acceptableLoss = round % 2 ? 0.1 : 0.0;
        ASSERT_EQ(cutComponent(p, one, group) == -1, cutComponent(p, two, group) == -1) << "round " << round;
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b)
                ASSERT_EQ(one.modifiedOutranking[one.at(a, b)], two.modifiedOutranking[two.at(a, b)])
                    << "round " << round;
    }
}

// ---------------------------------------------------------------------------
// Stage 3: kernel.

TEST(GraphKernel, MatchesTheLiteralRulesOnRandomAcyclicGraphs) {
    std::mt19937 rng(777);
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + static_cast<int>(rng() % 25);
        std::vector<int> rank(n);
        for (int i = 0; i < n; ++i) rank[i] = i;
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
        if (::testing::Test::HasFailure()) FAIL() << "round " << round;
    }
}

TEST(GraphKernel, EmptyGraphChainAndOneVertexHoldingEverything) {
    struct Case {
        const char* name;
        int n;
        std::vector<ArcR> arcs;
        std::vector<int> marks;
        int vertices;
    };
    const std::vector<Case> cases = {
        {"no arcs", 3, {}, {0, 0, 0}, 3},
        {"chain a -> b -> c", 3, {{0, 1, .9}, {1, 2, .9}}, {0, -1, 0}, 3},
        {"one complete group", 3, {{0, 1, .9}, {1, 0, .9}, {0, 2, .9}, {2, 0, .9}, {1, 2, .9}, {2, 1, .9}}, {0, -1, -1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResultsSet r = relation(c.n, c.arcs);
        Project p;
        ASSERT_TRUE(runEngine(p, r));
        EXPECT_EQ(r.listCounts, c.marks);
        EXPECT_EQ(r.workingVertexCount, c.vertices);
        EXPECT_EQ(r.modifiedOutranking, r.outrankingMatrix);
    }
}

// ---------------------------------------------------------------------------
// Stage 4: cutting cycles and artificial vertices, through the whole engine.

TEST(GraphEngine, AcyclicRelationIsLeftAlone) {
    ResultsSet r = relation(4, {{0, 1, .9}, {1, 2, .8}, {0, 3, .7}});
    const std::vector<int> s = r.outrankingMatrix;
    Project p;
    ASSERT_TRUE(runEngine(p, r));
    EXPECT_EQ(r.modifiedOutranking, s);
    EXPECT_EQ(r.vertexGraph, s);
    EXPECT_EQ(r.workingVertexCount, 4);
    EXPECT_EQ(r.extraMembers, (std::vector<int>{0, 0, 0, 0}));
    for (int v = 0; v < 4; ++v) EXPECT_EQ(r.vertexMembers[r.at(v, 0)], v);
    EXPECT_EQ(r.listCounts, (std::vector<int>{0, -1, 0, -1}));
    EXPECT_TRUE(modifiedArcs(r).empty());
}

struct Removal {
    int from, to, change;
    double R;
    bool operator==(const Removal&) const = default;
};

std::vector<Removal> changes(const ResultsSet& r) {
    std::vector<Removal> out;
    for (const ModifiedArc& a : modifiedArcs(r)) out.push_back({a.from, a.to, a.change, a.robustness});
    return out;
}

// 0 -> 2 and 2 <-> 1: the weaker arc of the 2-cycle goes; no cycle is left.
TEST(GraphEngine, WeakerArcOfATwoCycleIsRemoved) {
    ResultsSet r = relation(3, {{0, 2, .9}, {2, 1, .7}, {1, 2, .55}});
    Project p;
    ASSERT_TRUE(runEngine(p, r));
    EXPECT_EQ(changes(r), (std::vector<Removal>{{1, 2, -1, .55}}));
    EXPECT_EQ(r.workingVertexCount, 3);
    EXPECT_EQ(r.extraMembers, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(r.listCounts, (std::vector<int>{0, 0, -1}));
}

// Equal robustness: the arc found later (1 -> 0) sorts first and is cut.
TEST(GraphEngine, TieGoesToTheLaterFoundArc) {
    ResultsSet r = relation(3, {{0, 1, .6}, {1, 0, .6}, {2, 0, .8}});
    Project p;
    ASSERT_TRUE(runEngine(p, r));
    EXPECT_EQ(changes(r), (std::vector<Removal>{{1, 0, -1, .6}}));
    EXPECT_EQ(r.listCounts, (std::vector<int>{-1, 0, 0}));
}

// Cutting 0 -> 1 (0.75) alone splits the group; so does the pair 0 -> 2 (0.6)
// and 1 -> 2 (0.65). The pair replaces the single arc only when 0.65 plus the
// acceptable loss is below 0.75.
TEST(GraphCut, LargerSetMustBeCheaperByTheAcceptableLoss) {
    struct Case {
        double acceptableLoss;
        std::vector<Removal> removed;
    };
    const std::vector<Case> cases = {
        {0.1, {{0, 1, -1, .75}}},
        {0.05, {{0, 2, -1, .6}, {1, 2, -1, .65}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.acceptableLoss);
        ResultsSet r = relation(3, {{0, 1, .75}, {1, 0, .9}, {0, 2, .6}, {1, 2, .65}, {2, 0, .95}});
        fixture::setR(r, 2, 1, .2);
        ASSERT_EQ(mergeAll(r), 1);
        Project p;
        p.acceptableLoss = c.acceptableLoss;
        EXPECT_EQ(cutComponent(p, r, 0), 1);
        EXPECT_EQ(changes(r), c.removed);
    }
}

// {0, 1} complete, 2 outranks both, both outrank 3: nothing to change.
TEST(GraphEngine, CompleteGroupWithUniformNeighboursStaysArtificial) {
    ResultsSet r = relation(4, {{0, 1, .9}, {1, 0, .8}, {2, 0, .7}, {2, 1, .7}, {0, 3, .6}, {1, 3, .6}});
    Project p;
    ASSERT_TRUE(runEngine(p, r));
    EXPECT_TRUE(modifiedArcs(r).empty());
    EXPECT_EQ(r.workingVertexCount, 3);
    EXPECT_EQ(rowOf(r, r.vertexMembers, 0, 3), (std::vector<int>{0, 1, -1}));
    EXPECT_EQ(rowOf(r, r.vertexMembers, 1, 2), (std::vector<int>{2, -1}));
    EXPECT_EQ(rowOf(r, r.vertexMembers, 2, 2), (std::vector<int>{3, -1}));
    EXPECT_EQ(r.listCounts, (std::vector<int>{-1, 0, 0, -1}));
}

// A 3-cycle of strong arcs whose missing arcs are strong too: completing
// (cost 0.5 - 0.81) is cheaper than cutting (0.9 - 0.5).
TEST(GraphEngine, GroupMadeArtificialListsItsMissingArcsAsAdded) {
    ResultsSet r = relation(3, {{0, 1, .9}, {1, 2, .9}, {2, 0, .9}});
    fixture::setR(r, 0, 2, .81);
    fixture::setR(r, 1, 0, .82);
    fixture::setR(r, 2, 1, .83);
    Project p;
    ASSERT_TRUE(runEngine(p, r));
    EXPECT_EQ(changes(r), (std::vector<Removal>{{0, 2, 1, .81}, {1, 0, 1, .82}, {2, 1, 1, .83}}));
    EXPECT_EQ(r.workingVertexCount, 1);
    EXPECT_EQ(rowOf(r, r.vertexMembers, 0, 3), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(r.listCounts, (std::vector<int>{0, -1, -1}));
}

// Complete on {0 1 2 3}, and 4 joined to 0, 1, 2 both ways: no set of fewer
// than three arcs splits it, and the weak missing arcs 3 <-> 4 make completing
// dearer than cutting.
TEST(GraphEngine, CycleNeedingThreeCutsFailsWhenTwoAreAllowed) {
    struct Case {
        int maxArcs;
        bool success;
    };
    for (const Case& c : std::vector<Case>{{2, false}, {3, true}}) {
        SCOPED_TRACE(c.maxArcs);
        std::vector<ArcR> arcs;
        for (int a = 0; a < 5; ++a)
            for (int b = 0; b < 5; ++b)
                if (a != b && !(a == 3 && b == 4) && !(a == 4 && b == 3)) arcs.push_back({a, b, .7});
        ResultsSet r = relation(5, arcs, .1);
        Project p;
        p.maxArcsToCut = c.maxArcs;
        EXPECT_EQ(runEngine(p, r), c.success);
        if (!c.success) continue;
        const std::vector<ModifiedArc> changed = modifiedArcs(r);
        EXPECT_GE(changed.size(), 3u);
        for (const ModifiedArc& a : changed) EXPECT_EQ(a.change, -1);
    }
}

// ---------------------------------------------------------------------------
// Stage 5: pairs of artificial vertices.

// The second walk starts at vertex 1 (alternative 2): its path begins with the
// index 1, so the representatives 3 and 2 are both recorded before one repeats,
// and 3 becomes the representative.
TEST(GraphPairs, UnrelatedArtificialVerticesAreLeftUnchanged) {
    ResultsSet r = relation(4, {{0, 1, .9}, {1, 0, .9}, {2, 3, .9}, {3, 2, .9}});
    Project p;
    ASSERT_TRUE(runEngine(p, r));
    EXPECT_TRUE(modifiedArcs(r).empty());
    EXPECT_EQ(r.workingVertexCount, 2);
    EXPECT_EQ(rowOf(r, r.vertexMembers, 0, 3), (std::vector<int>{0, 1, -1}));
    EXPECT_EQ(rowOf(r, r.vertexMembers, 1, 3), (std::vector<int>{3, 2, -1}));
    EXPECT_EQ(r.listCounts, (std::vector<int>{0, 0, -1, -1}));
}

// A = {0 1} held together weakly (0.6 / 0.55), B = {2 3} strongly, 0 -> 2 the
// only arc between them. Removing the relation costs 0.7 - 0.5 = 0.2; both
// members of A hold by 0.55 - 0.5 = 0.05 < 0.2, the later one (1) is
// detached, and as its out-value 0.55 <= its in-value 0.6, its arcs out go.
TEST(GraphPairs, WeaklyHeldMemberIsDetached) {
    ResultsSet r = relation(4, {{0, 1, .6}, {1, 0, .55}, {2, 3, .9}, {3, 2, .9}, {0, 2, .7}});
    fixture::setR(r, 0, 3, .3);
    fixture::setR(r, 1, 2, .2);
    fixture::setR(r, 1, 3, .4);
    ASSERT_EQ(mergeAll(r), 2);
    ASSERT_EQ(rowOf(r, r.vertexMembers, 1, 3), (std::vector<int>{2, 3, -1}));
    EXPECT_EQ(resolveArtificialPair(r, 0, 1), 1);
    EXPECT_EQ(changes(r), (std::vector<Removal>{{1, 0, -1, .55}}));
    EXPECT_EQ(r.workingVertexCount, 3);
    EXPECT_EQ(rowOf(r, r.vertexMembers, 2, 3), (std::vector<int>{2, 3, -1}));
}

TEST(GraphPairs, UniformRelationIsKept) {
    ResultsSet r = relation(4, {{0, 1, .9}, {1, 0, .9}, {2, 3, .9}, {3, 2, .9},
                                {0, 2, .8}, {0, 3, .8}, {1, 2, .8}, {1, 3, .8}});
    ASSERT_EQ(mergeAll(r), 2);
    EXPECT_EQ(resolveArtificialPair(r, 0, 1), 0);
    EXPECT_TRUE(modifiedArcs(r).empty());
    EXPECT_EQ(r.workingVertexCount, 2);
}

}  // namespace
}  // namespace kvis
