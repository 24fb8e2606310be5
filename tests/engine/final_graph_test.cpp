#include "engine/final_graph.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph_fixture.h"

namespace kvis {
namespace {

// A final graph of 7 alternatives: v0 = {0}, v1 = {3, 1}, v2 = {2},
// v3 = {4, 5, 6}; arcs v0 -> v1 -> v2 (and the diagonal, which is no arc);
// the kernel is v0, v2, v3.
ResultsSet sevenAlternatives() {
    ResultsSet r = fixture::relation(7, {});
    const std::vector<std::vector<int>> members = {{0}, {3, 1}, {2}, {4, 5, 6}};
    for (int v = 0; v < 4; ++v)
        for (size_t i = 0; i < members[v].size(); ++i) r.vertexMembers[r.at(v, static_cast<int>(i))] = members[v][i];
    std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
    for (int v = 0; v < 4; ++v) r.vertexGraph[r.at(v, v)] = 1;
    r.vertexGraph[r.at(0, 1)] = 1;
    r.vertexGraph[r.at(1, 2)] = 1;
    r.listCounts = {0, -1, 0, 0, -1, -1, -1};
    fixture::countVertices(r);
    return r;
}

TEST(FinalGraph, KindsNumbersAndKernelOfEachVertex) {
    struct Expected {
        std::vector<int> members;
        std::string memberKind, arcKind;
        int ordinal, report, screen;
        bool kernel;
    };
    const std::vector<Expected> expected = {
        {{0}, "Natural", "Initial", 0, 0, 1, true},
        {{3, 1}, "Artificial", "Intermediate", 1, 7, 8, false},
        {{2}, "Natural", "Final", 0, 2, 3, true},
        // Non-kernel artificial vertices before it still count.
        {{4, 5, 6}, "Artificial", "Isolated", 2, 8, 9, true},
    };
    const ResultsSet r = sevenAlternatives();
    ASSERT_EQ(r.vertexCount, 4);
    for (int v = 0; v < 4; ++v) {
        SCOPED_TRACE(v);
        const Expected& e = expected[v];
        const VertexKind kind = vertexKind(r, v);
        EXPECT_EQ(vertexMemberList(r, v), e.members);
        EXPECT_EQ(isArtificial(r, v), e.members.size() > 1);
        EXPECT_EQ(memberKindText(kind.members), e.memberKind);
        EXPECT_EQ(arcKindText(kind.arcs), e.arcKind);
        EXPECT_EQ(artificialOrdinal(r, v), e.ordinal);
        EXPECT_EQ(reportVertexNumber(r, v), e.report);
        EXPECT_EQ(screenVertexNumber(r, v), e.screen);
        EXPECT_EQ(inKernel(r, v), e.kernel);
    }
    EXPECT_EQ(artificialNumber(r, 1), 8);
    EXPECT_EQ(artificialNumber(r, 3), 9);
}

// One vertex holding all alternatives: its row is full, with no -1.
TEST(FinalGraph, FullMemberRowIsReadToItsEnd) {
    ResultsSet r = fixture::relation(3, {{0, 1, .9}, {1, 0, .9}, {0, 2, .9}, {2, 0, .9}, {1, 2, .9}, {2, 1, .9}});
    Project p;
    ASSERT_TRUE(runEngine(p, r));
    fixture::countVertices(r);
    ASSERT_EQ(r.vertexCount, 1);
    EXPECT_EQ(vertexMemberList(r, 0), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(vertexKind(r, 0).members, MemberKind::Artificial);
    EXPECT_EQ(vertexKind(r, 0).arcs, ArcKind::Isolated);
    EXPECT_EQ(reportVertexNumber(r, 0), 3);
    EXPECT_EQ(screenVertexNumber(r, 0), 4);
    EXPECT_TRUE(inKernel(r, 0));
}

TEST(FinalGraph, ModifiedArcsInRowOrderWithoutTheDiagonal) {
    ResultsSet r = fixture::relation(3, {{0, 1, .61}, {1, 0, .9}}, .3);
    fixture::setR(r, 1, 2, .42);
    fixture::setR(r, 2, 0, .27);
    r.modifiedOutranking[r.at(0, 1)] = 0;
    r.modifiedOutranking[r.at(1, 2)] = 1;
    r.modifiedOutranking[r.at(2, 0)] = 1;
    r.modifiedOutranking[r.at(0, 0)] = 0;
    const std::vector<ModifiedArc> arcs = modifiedArcs(r);
    ASSERT_EQ(arcs.size(), 3u);
    const int expected[3][3] = {{0, 1, -1}, {1, 2, 1}, {2, 0, 1}};
    const double robustness[3] = {.61, .42, .27};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(arcs[i].from, expected[i][0]);
        EXPECT_EQ(arcs[i].to, expected[i][1]);
        EXPECT_EQ(arcs[i].change, expected[i][2]);
        EXPECT_EQ(arcs[i].robustness, robustness[i]);
    }
}

TEST(FinalGraph, SingleAlternativeIsANaturalIsolatedKernel) {
    ResultsSet r = fixture::relation(1, {});
    Project p;
    ASSERT_TRUE(runEngine(p, r));
    fixture::countVertices(r);
    ASSERT_EQ(r.vertexCount, 1);
    EXPECT_EQ(vertexKind(r, 0).members, MemberKind::Natural);
    EXPECT_EQ(vertexKind(r, 0).arcs, ArcKind::Isolated);
    EXPECT_EQ(reportVertexNumber(r, 0), 0);
    EXPECT_EQ(screenVertexNumber(r, 0), 1);
    EXPECT_TRUE(inKernel(r, 0));
}

}  // namespace
}  // namespace kvis
