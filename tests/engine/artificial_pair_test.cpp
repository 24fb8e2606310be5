#include "engine/artificial_pair.h"

#include <gtest/gtest.h>

#include <vector>

#include "fixture.h"

namespace kvis {
namespace {

using fixture::ArcR;
using fixture::Change;
using fixture::changes;
using fixture::memberRows;
using fixture::mergeAll;
using fixture::relation;

// Pairs of artificial vertices A = {0 1}, B = {2 3}.
TEST(ArtificialPair, WeaklyHeldMemberIsDetachedAndUniformRelationKept) {
    struct Case {
        const char* name;
        std::vector<ArcR> arcs, otherR;
        int result;
        std::vector<Change> changes;
        int k;
    } cases[] = {
        // A held together weakly (0.6 / 0.55), B strongly, 0 -> 2 the only arc
        // between them. Removing the relation costs 0.7 - 0.5 = 0.2; both
        // members of A hold by 0.55 - 0.5 = 0.05 < 0.2, the later one (1) is
        // detached, and as its out-value 0.55 <= its in-value 0.6, its arcs out go.
        {"weakly held member detached", {{0, 1, .6}, {1, 0, .55}, {2, 3, .9}, {3, 2, .9}, {0, 2, .7}},
         {{1, 2, .2}, {1, 3, .4}}, 1, {{1, 0, -1, .55}}, 3},
        {"uniform relation kept",
         {{0, 1, .9}, {1, 0, .9}, {2, 3, .9}, {3, 2, .9}, {0, 2, .8}, {0, 3, .8}, {1, 2, .8}, {1, 3, .8}}, {}, 0, {},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResultsSet r = relation(4, c.arcs, 0.3, c.otherR);
        ASSERT_EQ(mergeAll(r), 2);
        ASSERT_EQ(memberRows(r, 2), (std::vector<std::vector<int>>{{0, 1}, {2, 3}}));
        EXPECT_EQ(resolveArtificialPair(r, 0, 1), c.result);
        EXPECT_EQ(changes(r), c.changes);
        EXPECT_EQ(r.workingVertexCount, c.k);
        EXPECT_EQ(memberRows(r, c.k).back(), (std::vector<int>{2, 3}));
    }
}

}  // namespace
}  // namespace kvis
