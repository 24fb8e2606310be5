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

}  // namespace
}  // namespace kvis
