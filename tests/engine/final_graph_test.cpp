#include "engine/final_graph.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "fixture.h"

namespace kvis {
namespace {

// A final graph of 7 alternatives: v0 = {0}, v1 = {3, 1}, v2 = {2},
// v3 = {4, 5, 6}; arcs v0 -> v1 -> v2 (and the diagonal, which is no arc);
// the kernel is v0, v2, v3.
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
    ResultsSet r = fixture::relation(7, {});
    std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
    for (int v = 0; v < 4; ++v) {
        for (size_t i = 0; i < expected[v].members.size(); ++i) r.vertexMembers[r.at(v, 0) + i] = expected[v].members[i];
        r.vertexGraph[r.at(v, v)] = 1;
    }
    r.vertexGraph[r.at(0, 1)] = r.vertexGraph[r.at(1, 2)] = 1;
    r.listCounts = {0, -1, 0, 0, -1, -1, -1};
    fixture::countVertices(r);
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

// One vertex holding all alternatives: a full member row, read to its end with
// no -1, or a single alternative.
TEST(FinalGraph, OneVertexHoldingEverything) {
    struct Case {
        int n;
        std::vector<fixture::ArcR> arcs;
        MemberKind kind;
        int report;
    } cases[] = {
        {3, {{0, 1, .9}, {1, 0, .9}, {0, 2, .9}, {2, 0, .9}, {1, 2, .9}, {2, 1, .9}}, MemberKind::Artificial, 3},
        {1, {}, MemberKind::Natural, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        ResultsSet r = fixture::relation(c.n, c.arcs);
        ASSERT_TRUE(runEngine(Project{}, r));
        fixture::countVertices(r);
        ASSERT_EQ(r.vertexCount, 1);
        std::vector<int> all(c.n);
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(vertexMemberList(r, 0), all);
        EXPECT_EQ(vertexKind(r, 0).members, c.kind);
        EXPECT_EQ(vertexKind(r, 0).arcs, ArcKind::Isolated);
        EXPECT_EQ(reportVertexNumber(r, 0), c.report);
        EXPECT_EQ(screenVertexNumber(r, 0), c.report + 1);
        EXPECT_TRUE(inKernel(r, 0));
    }
}

TEST(FinalGraph, ModifiedArcsInRowOrderWithoutTheDiagonal) {
    ResultsSet r = fixture::relation(3, {{0, 1, .61}, {1, 0, .9}}, .3, {{1, 2, .42}, {2, 0, .27}});
    r.modifiedOutranking[r.at(0, 1)] = r.modifiedOutranking[r.at(0, 0)] = 0;
    r.modifiedOutranking[r.at(1, 2)] = r.modifiedOutranking[r.at(2, 0)] = 1;
    EXPECT_EQ(fixture::changes(r), (std::vector<fixture::Change>{{0, 1, -1, .61}, {1, 2, 1, .42}, {2, 0, 1, .27}}));
}

}  // namespace
}  // namespace kvis
