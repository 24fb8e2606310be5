#include "engine/matrices.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fixture.h"
#include "model/numfmt.h"

namespace kvis {
namespace {

using fixture::makeProject;

Criterion crit(int direction, double weight, ThresholdLine q, ThresholdLine p, int useVeto = 0, ThresholdLine v = {},
               int inverse = 0) {
    return {"c", direction, useVeto, inverse, weight, p, q, v};
}

TEST(RoundToStep, HalfStepsAndZero) {
    struct Case {
        double x, step, expected;
    } cases[] = {
        {0.125, 0.01, 0.13},    {-0.125, 0.01, -0.13}, {0.0, 0.001, 0.0},       {0.875, 0.01, 0.88},
        {0.005, 0.01, 0.01},    {-0.005, 0.01, -0.01}, {0.0049999, 0.01, 0.0},  {1.0, 0.01, 1.0},
        {0.25, 0.01, 0.25},     {0.0004, 0.001, 0.0},  {-0.0004, 0.001, 0.0},   {0.0005, 0.001, 0.001},
    };
    for (const Case& c : cases) EXPECT_EQ(roundToStep(c.x, c.step), c.expected) << c.x << " step " << c.step;
    // 0.695 lands just above 0.7, so a level of 0.7 counts it as reached
    EXPECT_GE(roundToStep(139.0 / 200.0, 0.01), 0.7);
}

TEST(Thresholds, DirectInverseAndVeto) {
    // Inverse mode converts the line first; (alpha*x+beta)/(1-alpha) would give
    // 2.9999999999999996 and 0.7500000000000001 here.
    const Criterion maxInv = crit(1, 1, {0.2, 2}, {0.2, 2}, 1, {0.2, 2}, 1);
    const Criterion minInv = crit(0, 1, {0.2, 0.3}, {0.2, 0.3}, 1, {0.2, 0.3}, 1);
    EXPECT_EQ(preferenceAt(maxInv, 2), 3.0);
    EXPECT_EQ(vetoAt(minInv, 3), 0.75);

    Criterion direct = crit(1, 1, {0.5, 1}, {0.25, -2}, 0, {0.5, 4});
    EXPECT_EQ(indifferenceAt(direct, 6), 4.0);
    EXPECT_EQ(preferenceAt(direct, 6), -0.5);
    EXPECT_EQ(vetoAt(direct, 6), kNoVeto);  // the line is ignored without veto
    direct.useVeto = 1;
    EXPECT_EQ(vetoAt(direct, 6), 7.0);
}

TEST(PartialConcordance, RampBetweenIndifferenceAndPreference) {
    struct Case {
        int direction;
        double q, p, ga, gb, expected;
    } cases[] = {
        {1, 1, 3, 10, 11, 1.0},  // delta = q
        {1, 1, 3, 10, 13, 0.0},  // delta = p
        {1, 1, 3, 10, 12, 0.5},   {1, 1, 3, 10, 9, 1.0},  // b worse
        {1, 1, 3, 10, 14, 0.0},   {0, 1, 3, 12, 10, 0.5},  // minimized: a is dearer by 2
        {0, 1, 3, 10, 12, 1.0},   {1, 2, 2, 10, 12, 1.0},  // q = p, delta = q: no division
        {1, 2, 2, 10, 12.5, 0.0}, {1, 0, 0, 5, 5, 1.0},    // zero thresholds, equal evaluations
    };
    for (const Case& c : cases) {
        Project p = makeProject({crit(c.direction, 1, {0, c.q}, {0, c.p})}, {{c.ga}, {c.gb}}, 0.6);
        EXPECT_EQ(partialConcordance(p, 0, 0, 1), c.expected)
            << "dir " << c.direction << " q " << c.q << " p " << c.p << " " << c.ga << "->" << c.gb;
    }
    // p = 0.1 g, taken at the outranking alternative: 1 at 10, 2 at 20
    const Project p = makeProject({crit(1, 1, {0, 0}, {0.1, 0})}, {{10}, {11}, {20}}, 0.6);
    EXPECT_EQ(partialConcordance(p, 0, 0, 1), 0.0);  // delta 1 = p(10)
    EXPECT_EQ(partialConcordance(p, 0, 1, 0), 1.0);
    EXPECT_EQ(partialConcordance(p, 0, 2, 0), 1.0);
}

// Pair (0, 1) on criterion 0 (maximized, weight 1 of 4): V = 10, P = 2, q at b's
// evaluation = 4, delta = gb. cC is passed in, which steers the veto strength k.
Project vetoProject(int useVeto, double s, double gb = 9) {
    return makeProject({crit(1, 1, {0, 4}, {0, 2}, useVeto, {0, 10}), crit(1, 3, {0, 1}, {0, 1})}, {{0, 0}, {gb, 0}},
                       s);
}

TEST(Veto, StrengthFollowsTheUnroundedConcordance) {
    struct Case {
        double s, cC, gb, vPrime;
        int veto;
    } cases[] = {
        {0.5, 0.40, 9, 6.0, 0},    // below the level: no test; robustness uses k = 1
        {0.5, 0.495, 9, 6.0, 1},   // rounds to the level: tested, k from 0.495 clamps to 1
        {0.5, 0.50, 9, 6.0, 1},    // k = 0.25 / 0.25 = 1: v' = 10 - min(8, 4)
        {0.5, 0.50, 6, 6.0, 0},    // disadvantage 6 equal to v': no veto
        {0.5, 0.625, 9, 8.0, 1},   // k = 0.5
        {0.5, 0.75, 9, 10.0, 0},   // t = 0: k = 0, v' = V, 10 < 9 is false
        {0.5, 0.90, 9, 10.0, 0},
        {0.75, 0.745, 9, 6.0, 0},  // 1 - s - w^ = 0: the test takes k = 0
    };
    for (const Case& c : cases) {
        const Project p = vetoProject(1, c.s, c.gb), off = vetoProject(0, c.s, c.gb);
        EXPECT_EQ(effectiveVeto(p, 0, 0, 1, c.cC), c.vPrime) << c.cC;
        EXPECT_EQ(vetoTest(p, 0, 0, 1, c.cC), c.veto) << c.cC;
        EXPECT_EQ(discordanceFlag(p, 0, 1, c.cC), c.veto) << c.cC;
        EXPECT_EQ(vetoTest(off, 0, 0, 1, c.cC), 0) << c.cC;
        EXPECT_EQ(discordanceFlag(off, 0, 1, c.cC), 0) << c.cC;
    }
    // The forms without cC compute it themselves.
    const Project p = vetoProject(1, 0.5);
    ASSERT_EQ(concordanceIndex(p, 0, 1), 0.75);
    EXPECT_EQ(effectiveVeto(p, 0, 0, 1), effectiveVeto(p, 0, 0, 1, 0.75));
    EXPECT_EQ(vetoTest(p, 0, 0, 1), vetoTest(p, 0, 0, 1, 0.75));
    EXPECT_EQ(partialDiscordance(p, 0, 0, 1), partialDiscordance(p, 0, 0, 1, 0.75));
}

TEST(PartialDiscordance, RampFromMidpointToBeyondVeto) {
    // v' = 6 (k = 1 below the level), P = 2: 0 up to 4, 1 from 8 on
    struct Case {
        double gb, expected;
    } cases[] = {{4, 0.0}, {5, 0.25}, {7, 0.75}, {8, 1.0}, {20, 1.0}};
    for (const Case& c : cases)
        EXPECT_EQ(partialDiscordance(vetoProject(1, 0.8, c.gb), 0, 0, 1, 0.75), c.expected) << c.gb;
}

// Three alternatives, three criteria (weights 2, 1, 1; s = 0.6):
//   price   minimized  q 10, p 30, veto 60
//   quality maximized  q 1,  p 3,  veto 0.5 g + 2
//   service maximized  q 0.5, p 1, no veto
TEST(FillMatrices, SmallProjectByHand) {
    const Project p = makeProject({crit(0, 2, {0, 10}, {0, 30}, 1, {0, 60}), crit(1, 1, {0, 1}, {0, 3}, 1, {0.5, 2}),
                                   crit(1, 1, {0, 0.5}, {0, 1})},
                                  {{100, 4, 3}, {120, 10, 3}, {90, 6, 1}}, 0.6);
    EXPECT_EQ(concordanceIndex(p, 0, 2), 0.875);  // shown as 0.88
    // (2, 1), C = 0.5: below the level, quality vetoes at full strength:
    // v' = 5 - min(2, 1) = 4, delta 4 sits halfway up the ramp from 3.5 to 4.5
    EXPECT_EQ(partialDiscordance(p, 1, 2, 1, 0.5), 0.5);  // so R = 0.25

    ResultsSet r;
    r.allocate(5);  // an earlier, larger set is replaced
    r.vertexMembers[0] = 3;
    fillMatrices(p, r);
    ASSERT_EQ(r.n, 3);
    using S = std::vector<std::string>;
    EXPECT_EQ(r.concordanceTexts.texts(), (S{" 1.00", " 0.75", " 0.88", " 0.75", " 1.00", " 0.50", " 0.75", " 0.50", " 1.00"}));
    EXPECT_EQ(r.discordanceTexts.texts(), (S{"0", "1", "0", "0", "0", "*", "0", "*", "0"}));
    EXPECT_EQ(r.outrankingTexts.texts(), (S{"1", "0", "1", "1", "1", "0", "1", "0", "1"}));
    EXPECT_EQ(r.robustnessTexts.texts(), (S{" 1.00", " 0.00", " 0.88", " 0.75", " 1.00", " 0.50", " 0.75", " 0.25", " 1.00"}));
    EXPECT_EQ(r.outrankingMatrix, (std::vector<int>{1, 0, 1, 1, 1, 0, 1, 0, 1}));
    EXPECT_EQ(r.robustnessMatrix, (std::vector<double>{1.0, 0.0, 0.88, 0.75, 1.0, 0.5, 0.75, 0.25, 1.0}));
    // The graph arrays start from S, with no lists and no members.
    EXPECT_EQ(r.modifiedOutranking, r.outrankingMatrix);
    EXPECT_EQ(r.vertexGraph, r.outrankingMatrix);
    EXPECT_EQ(r.vertexLists, std::vector<int>(9, 0));
    EXPECT_EQ(r.vertexMembers, std::vector<int>(9, -1));
    EXPECT_EQ(r.listCounts, std::vector<int>(3, 0));
    EXPECT_EQ(r.extraMembers, std::vector<int>(3, 0));
    EXPECT_EQ(r.resultColumnFormats, std::vector<TSheetColumn>(3, TSheetColumn{72, 1, 1}));
    // The fill and the per-pair functions agree to the last bit.
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            EXPECT_EQ(r.robustnessMatrix[r.at(a, b)],
                      roundToStep(robustnessCoefficient(p, a, b, concordanceIndex(p, a, b)), 0.01));
}

// C(0, 1) = 3/4 exactly, at a level of 0.75: concordant, so tested (and not
// vetoed) and outranking; C(1, 0) = 1/4 is not.
TEST(FillMatrices, ConcordanceExactlyAtTheLevel) {
    const Project p = makeProject({crit(1, 3, {0, 0}, {0, 0}), crit(1, 1, {0, 0}, {0, 0})}, {{1, 0}, {0, 1}}, 0.75);
    ResultsSet r;
    fillMatrices(p, r);
    using S = std::vector<std::string>;
    EXPECT_EQ(r.concordanceTexts.texts(), (S{" 1.00", " 0.75", " 0.25", " 1.00"}));
    EXPECT_EQ(r.discordanceTexts.texts(), (S{"0", "0", "*", "0"}));
    EXPECT_EQ(r.outrankingTexts.texts(), (S{"1", "1", "0", "1"}));
    EXPECT_EQ(r.robustnessTexts.texts(), (S{" 1.00", " 0.75", " 0.25", " 1.00"}));
}

// C = 139 / 200 = 0.695 with s = 0.7: the rounded 0.70 is concordant, so the
// veto is tested; below the level in unrounded terms it acts at full strength.
TEST(FillMatrices, RoundedConcordanceDecidesTheLevel) {
    Project p = makeProject({crit(1, 139, {0, 0}, {0, 0}), crit(1, 31, {0, 1}, {0, 2}, 1, {0, 10}),
                             crit(1, 30, {0, 0}, {0, 0})},
                            {{0, 0, 0}, {0, 9.5, 1}}, 0.7);
    EXPECT_EQ(concordanceIndex(p, 0, 1), 0.695);
    ResultsSet r;
    fillMatrices(p, r);
    EXPECT_EQ(r.concordanceTexts[1], " 0.70");
    EXPECT_EQ(r.discordanceTexts[1], "1");  // v' = 10 - min(8, 1) = 9 < 9.5
    EXPECT_EQ(r.outrankingMatrix[1], 0);
    EXPECT_EQ(r.robustnessTexts[1], " 0.30");  // R = 0.695 * (1 - 4/7)

    // Without the veto the same pair outranks.
    p.criteria[1].useVeto = 0;
    fillMatrices(p, r);
    EXPECT_EQ(r.discordanceTexts[1], "0");
    EXPECT_EQ(r.outrankingTexts[1], "1");
    EXPECT_EQ(r.robustnessTexts[1], " 0.70");
}

// The fill takes its "%5.2f" texts from a table; each of them must be the
// formatter's text of the value roundToStep gives at that index.
TEST(RoundedIndexText, EveryTextIsTheFormattersText) {
    struct Case {
        int index;
        const char* text;
    } named[] = {
        {-200, "-2.00"}, {-101, "-1.01"}, {-1, "-0.01"}, {0, " 0.00"},  {1, " 0.01"},
        {7, " 0.07"},    {29, " 0.29"},   {57, " 0.57"}, {100, " 1.00"}, {200, " 2.00"},
    };
    for (const Case& c : named) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(roundedIndexText(c.index), c.text);
    }
    for (int k = -kRoundedIndexLimit; k <= kRoundedIndexLimit; ++k) {
        const double value = roundToStep(k * 0.01, 0.01);
        ASSERT_EQ(roundedIndexText(k), format("%5.2f", value)) << "index " << k;
    }
}

// The fill works the thresholds, denominators and rounding out once; on
// random projects (inverse mode, vetoes, both directions, levels met exactly)
// every cell must still be what the per-pair functions give.
TEST(FillMatrices, AgreesWithThePairFunctionsOnRandomProjects) {
    std::mt19937 rng(12);
    auto pick = [&](std::vector<double> values) {
        return values[std::uniform_int_distribution<size_t>(0, values.size() - 1)(rng)];
    };
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const int m = 2 + round % 4;
        const int n = 12;
        std::vector<Criterion> criteria;
        for (int j = 0; j < m; ++j) {
            const double q = pick({0, 1, 2.5});
            const double pr = q + pick({0, 1, 3});
            criteria.push_back(crit(round % 2 == j % 2 ? 1 : 0, pick({1, 2, 0.5, 1.5}), {pick({0, 0.05}), q},
                                    {pick({0, 0.1}), pr}, (round + j) % 3 != 0, {pick({0, 0.1}), pr + pick({1, 4})},
                                    (round + j) % 5 == 0));
        }
        std::vector<std::vector<double>> rows;
        for (int a = 0; a < n; ++a) {
            std::vector<double> row;
            for (int j = 0; j < m; ++j) row.push_back(std::uniform_int_distribution<int>(0, 12)(rng) * 0.5);
            rows.push_back(row);
        }
        const Project p = makeProject(criteria, rows, pick({0.5, 0.6, 0.67, 0.75}));
        ResultsSet r;
        fillMatrices(p, r);
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b) {
                const double cC = concordanceIndex(p, a, b);
                const double c = roundToStep(cC, 0.01);
                const int D = discordanceFlag(p, a, b, cC);
                const double R = roundToStep(robustnessCoefficient(p, a, b, cC), 0.01);
                const size_t k = r.at(a, b);
                ASSERT_EQ(r.concordanceTexts[k], format("%5.2f", c)) << a << " " << b;
                ASSERT_EQ(r.discordanceTexts[k], c < p.levelOfConcordance ? "*" : (D ? "1" : "0")) << a << " " << b;
                ASSERT_EQ(r.outrankingMatrix[k], c >= p.levelOfConcordance && D == 0 ? 1 : 0) << a << " " << b;
                ASSERT_EQ(r.robustnessMatrix[k], R) << a << " " << b;
                ASSERT_EQ(r.robustnessTexts[k], format("%5.2f", R)) << a << " " << b;
            }
        // The side files' rows of one criterion at a time give the same bits.
        std::vector<CriterionThresholds> thresholds;
        for (int j = 0; j < m; ++j) thresholds.push_back(criterionThresholds(p, j));
        std::vector<double> index(n), partial(n);
        std::vector<char> veto(n);
        for (int a = 0; a < n; ++a) {
            concordanceIndexRow(p, thresholds, a, index.data());
            for (int b = 0; b < n; ++b) ASSERT_EQ(index[b], concordanceIndex(p, a, b)) << a << " " << b;
            for (int j = 0; j < m; ++j) {
                const double wHat = p.criteria[j].weight / weightSum(p);
                partialConcordanceRow(thresholds[j], a, partial.data());
                vetoTestRow(thresholds[j], p.levelOfConcordance, wHat, a, index.data(), veto.data());
                for (int b = 0; b < n; ++b) {
                    ASSERT_EQ(partial[b], partialConcordance(p, j, a, b)) << j << ": " << a << " " << b;
                    ASSERT_EQ(veto[b], vetoTest(p, j, a, b, index[b], wHat)) << j << ": " << a << " " << b;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kvis
