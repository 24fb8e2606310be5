#include "engine/cycle_cut.h"

#include <gtest/gtest.h>

#include <vector>

#include "fixture.h"

namespace kvis {
namespace {

using fixture::ArcR;
using fixture::Change;
using fixture::changes;
using fixture::mergeAll;
using fixture::relation;

// Cutting 0 -> 1 (0.75) alone splits the group; so does the pair 0 -> 2 (0.6)
// and 1 -> 2 (0.65). The pair replaces the single arc only when 0.65 plus the
// acceptable loss is below 0.75.
TEST(CycleCut, LargerSetMustBeCheaperByTheAcceptableLoss) {
    struct Case {
        double acceptableLoss;
        std::vector<Change> removed;
    } cases[] = {{0.1, {{0, 1, -1, .75}}}, {0.05, {{0, 2, -1, .6}, {1, 2, -1, .65}}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.acceptableLoss);
        ResultsSet r = relation(3, {{0, 1, .75}, {1, 0, .9}, {0, 2, .6}, {1, 2, .65}, {2, 0, .95}}, 0.3, {{2, 1, .2}});
        ASSERT_EQ(mergeAll(r), 1);
        Project p;
        p.acceptableLoss = c.acceptableLoss;
        EXPECT_EQ(cutComponent(p, r, 0), 1);
        EXPECT_EQ(changes(r), c.removed);
    }
}

// Vertex 0 is the group {0 1} (or {0 1 2}), 2 a neighbour of {0 1}. The
// changes tell the treatment: an inner arc cut, or the group made artificial
// (inner arcs completed, the neighbour's arcs all added or all removed).
// Cutting costs its dearest arc - 0.5, completing 0.5 - the weakest missing
// inner arc, and a neighbour the cheaper of (its strongest arc - 0.5) and
// (0.5 - its weakest missing arc).
TEST(CycleCut, CutOrGroupByTheCompareCosts) {
    struct Case {
        const char* name;
        int n;
        std::vector<ArcR> arcs, otherR;
        std::vector<Change> changes;
    } cases[] = {
        // Cut 0.75 - 0.5 against the neighbour's 0.75 - 0.5 (its missing 2 -> 1
        // would cost 0.5 - 0.25, no less): equal, and cutting wins.
        {"cut on a tie with the neighbour", 3, {{0, 1, .75}, {1, 0, .875}, {2, 0, .75}}, {{2, 1, .25}},
         {{0, 1, -1, .75}}},
        {"cut on a tie with the missing inner arc", 3, {{0, 1, .75}, {1, 2, .875}, {2, 0, .875}}, {{1, 0, .25}},
         {{0, 1, -1, .75}}},
        {"grouping when the neighbour costs less", 3, {{0, 1, .75}, {1, 0, .875}, {2, 0, .625}}, {{2, 1, .25}},
         {{2, 0, -1, .625}}},
        // 0.5 - 0.75 to complete 2 -> 1 beats 0.875 - 0.5 to remove 2 -> 0, and
        // it is that cost that is set against the cut's 0.875 - 0.5.
        {"predecessor completed", 3, {{0, 1, .875}, {1, 0, .875}, {2, 0, .875}}, {{2, 1, .75}}, {{2, 1, 1, .75}}},
        {"successor completed", 3, {{0, 1, .875}, {1, 0, .875}, {0, 2, .875}}, {{1, 2, .75}}, {{1, 2, 1, .75}}},
        // Decided member by member: the arc found after the gap makes removing
        // (0.625 - 0.5) cheaper than completing (0.5 - 0.25).
        {"predecessor removed", 3, {{0, 1, .875}, {1, 0, .875}, {2, 1, .625}}, {{2, 0, .25}}, {{2, 1, -1, .625}}},
        // Equal costs keep the direction the first member decided.
        {"predecessor removed, then a gap as dear", 3, {{0, 1, .875}, {1, 0, .875}, {2, 0, .75}}, {{2, 1, .25}},
         {{2, 0, -1, .75}}},
        {"predecessor completed, then an arc as dear", 3, {{0, 1, .875}, {1, 0, .875}, {2, 1, .75}}, {{2, 0, .25}},
         {{2, 0, 1, .25}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResultsSet r = relation(c.n, c.arcs, 0.3, c.otherR);
        mergeAll(r);
        ASSERT_GT(r.extraMembers[0], 0);
        cutComponent(Project{}, r, 0);
        EXPECT_EQ(changes(r), c.changes);
    }
}

}  // namespace
}  // namespace kvis
