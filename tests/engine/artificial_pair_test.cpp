#include "engine/artificial_pair.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A = {0 1} and B = {2 3}, each a 2-cycle. Between them the relation costs
// 0.5 - (weakest missing arc of its direction) to complete and (strongest
// arc of its direction) - 0.5 to remove; a member whose hold on its group
// (the smaller of its strongest arcs out and in) minus 0.5 is below that cost
// is detached instead, the later such member counting.
TEST(ArtificialPair, CompletedRemovedOrAMemberDetached) {
    // The two groups, A held by `a` both ways, B by `b`.
    auto groups = [](double a, double b = .875) { return std::vector<ArcR>{{0, 1, a}, {1, 0, a}, {2, 3, b}, {3, 2, b}}; };
    auto with = [](std::vector<ArcR> arcs, const std::vector<ArcR>& more) {
        arcs.insert(arcs.end(), more.begin(), more.end());
        return arcs;
    };
    // Missing arcs of the relation 0 -> 2 other than itself.
    auto gaps = [](double R) { return std::vector<ArcR>{{0, 3, R}, {1, 2, R}, {1, 3, R}}; };
    struct Case {
        const char* name;
        std::vector<ArcR> arcs, otherR;
        int result;
        std::vector<Change> changes;
        int k;
    } cases[] = {
        // Removing costs 0.7 - 0.5 = 0.2; both members of A hold by
        // min(0.6, 0.55) - 0.5 = 0.05 < 0.2, and as 1's arc out 0.55 is no
        // stronger than its arc in 0.6, its arcs out go.
        {"weakly held member detached", {{0, 1, .6}, {1, 0, .55}, {2, 3, .9}, {3, 2, .9}, {0, 2, .7}},
         {{1, 2, .2}, {1, 3, .4}}, 1, {{1, 0, -1, .55}}, 3},
        {"uniform relation kept", with(groups(.875), {{0, 2, .8}, {0, 3, .8}, {1, 2, .8}, {1, 3, .8}}), {}, 0, {}, 2},
        // 0.5 - 0.25 to complete equals 0.75 - 0.5 to remove: removing wins.
        {"equal costs remove", with(groups(.875), {{0, 2, .75}}), gaps(.25), 0, {{0, 2, -1, .75}}, 2},
        {"completing cheaper", with(groups(.875), {{0, 2, .75}}), gaps(.375), 0,
         {{0, 3, 1, .375}, {1, 2, 1, .375}, {1, 3, 1, .375}}, 2},
        {"completing B -> A", with(groups(.875), {{2, 0, .75}}), {{2, 1, .375}, {3, 0, .375}, {3, 1, .375}}, 0,
         {{2, 1, 1, .375}, {3, 0, 1, .375}, {3, 1, 1, .375}}, 2},
        // A holds by 0.75 - 0.5, exactly the cost 0.75 - 0.5 of removing: kept.
        {"hold equal to the cost", with(groups(.75), {{0, 2, .75}}), gaps(.125), 0, {{0, 2, -1, .75}}, 2},
        {"hold of B equal to the cost", with(groups(.875, .75), {{0, 2, .75}}), gaps(.125), 0, {{0, 2, -1, .75}}, 2},
        // Out and in equal (0.625): the detached member 1 loses its arc out.
        {"hold below the cost, out equal to in", with(groups(.625), {{0, 2, .75}}), gaps(.125), 1,
         {{1, 0, -1, .625}}, 3},
    };
    // B's representative depends on where the walk entered it.
    auto sorted = [](std::vector<int> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResultsSet r = relation(4, c.arcs, 0.3, c.otherR);
        ASSERT_EQ(mergeAll(r), 2);
        ASSERT_EQ(memberRows(r, 1)[0], (std::vector<int>{0, 1}));
        EXPECT_EQ(resolveArtificialPair(r, 0, 1), c.result);
        EXPECT_EQ(changes(r), c.changes);
        EXPECT_EQ(r.workingVertexCount, c.k);
        EXPECT_EQ(sorted(memberRows(r, c.k).back()), (std::vector<int>{2, 3}));
    }
}

}  // namespace
}  // namespace kvis
