#include "engine/final_graph.h"

#include <gtest/gtest.h>

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
        std::copy(expected[v].members.begin(), expected[v].members.end(), r.vertexMembers.begin() + r.at(v, 0));
        r.vertexGraph[r.at(v, v)] = 1;
    }
    r.vertexGraph[r.at(0, 1)] = r.vertexGraph[r.at(1, 2)] = 1;
    r.listCounts = {0, -1, 0, 0, -1, -1, -1};
    r.vertexCount = 4;
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

TEST(FinalGraph, ModifiedArcsInRowOrderWithoutTheDiagonal) {
    ResultsSet r = fixture::relation(3, {{0, 1, .61}, {1, 0, .9}}, .3, {{1, 2, .42}, {2, 0, .27}});
    r.modifiedOutranking[r.at(0, 1)] = r.modifiedOutranking[r.at(0, 0)] = 0;
    r.modifiedOutranking[r.at(1, 2)] = r.modifiedOutranking[r.at(2, 0)] = 1;
    EXPECT_EQ(fixture::changes(r), (std::vector<fixture::Change>{{0, 1, -1, .61}, {1, 2, 1, .42}, {2, 0, 1, .27}}));
}

}  // namespace
}  // namespace kvis
