#include "engine/compute.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/matrices.h"

namespace kvis {

namespace {

const char* const kThresholdText = "Invalid values of thresholds\n   for some of criteria.\nDo you want to edit criteria?";
const char* const kWeightsText = "The weights of the criteria must not be negative\nand their sum must be greater than 0";
const char* const kGuardText =
    "      To avoid division by zero,\n change the level of concordance\n                and/or weights";
const char* const kEngineText =
    "To cut a cycle, the algorithm must cut more arcs\n    than allowed in the Edit-Advanced options.   ";

// Maximized, q = 1, p = 3, veto 6 in use: valid on any range of evaluations.
Criterion validCriterion(double weight = 1) {
    Criterion c;
    c.name = "c";
    c.direction = 1;
    c.weight = weight;
    c.indifference = {0, 1};
    c.preference = {0, 3};
    c.useVeto = 1;
    c.veto = {0, 6};
    return c;
}

// Every criterion gets the evaluations 2, 10, 5 (or the given column).
Project makeProject(std::vector<Criterion> criteria, double s, std::vector<double> column = {2, 10, 5}) {
    Project p;
    p.m = static_cast<int>(criteria.size());
    p.n = static_cast<int>(column.size());
    p.criteria = std::move(criteria);
    for (int a = 0; a < p.n; ++a) {
        p.alternatives.push_back(Alternative{"alt" + std::to_string(a)});
        for (int j = 0; j < p.m; ++j) p.evaluations.push_back(column[a]);
    }
    p.evaluationTexts.assign(p.evaluations.size(), "");
    p.levelOfConcordance = s;
    return p;
}

Project withWeights(std::vector<double> weights, double s) {
    std::vector<Criterion> cs;
    for (double w : weights) cs.push_back(validCriterion(w));
    return makeProject(cs, s);
}

TEST(CheckCriterionThresholds, EveryRule) {
    struct Case {
        const char* what;
        std::function<void(Criterion&)> change;
        bool valid;
    } cases[] = {
        {"valid as it is", [](Criterion&) {}, true},
        {"valid minimized", [](Criterion& c) { c.direction = 0; }, true},
        {"minimized growth 1", [](Criterion& c) { c.direction = 0; c.preference.alpha = 1; }, false},
        {"minimized veto growth 1, veto unused",
         [](Criterion& c) { c.direction = 0; c.useVeto = 0; c.veto.alpha = 1; }, false},
        {"maximized veto growth -1, veto unused",
         [](Criterion& c) { c.useVeto = 0; c.veto.alpha = -1; }, false},
        {"maximized veto growth -0.99, veto unused",
         [](Criterion& c) { c.useVeto = 0; c.veto.alpha = -0.99; }, true},
        {"q negative at the low end only", [](Criterion& c) { c.indifference = {1, -5}; c.preference = {1, 0}; }, false},
        {"q negative at the high end only", [](Criterion& c) { c.indifference = {-0.5, 4}; }, false},
        {"p below q at the worst evaluation", [](Criterion& c) { c.preference = {0, 0.5}; }, false},
        {"p below q at d1 only", [](Criterion& c) { c.indifference = {0.5, 0}; }, false},
        {"v below p", [](Criterion& c) { c.veto = {0, 2}; }, false},
        {"v below p, veto unused", [](Criterion& c) { c.veto = {0, 2}; c.useVeto = 0; }, true},
        {"v below p at d2 only", [](Criterion& c) { c.preference = {2, 0}; }, false},
        {"minimized p below q at the worst evaluation",
         [](Criterion& c) { c.direction = 0; c.preference = {0, 0.5}; }, false},
        {"minimized v below p at d2 only",
         [](Criterion& c) { c.direction = 0; c.preference = {0.9, 0}; c.veto = {0, 10}; }, false},
        // inverse mode: 1 - alpha (maximized) or 1 + alpha (minimized) must not be 0
        {"inverse maximized q growth 1", [](Criterion& c) { c.inverseMode = 1; c.indifference.alpha = 1; }, false},
        {"inverse minimized p growth -1",
         [](Criterion& c) { c.inverseMode = 1; c.direction = 0; c.preference.alpha = -1; }, false},
        {"inverse maximized v growth 1", [](Criterion& c) { c.inverseMode = 1; c.veto.alpha = 1; }, false},
        {"inverse maximized v growth 1, veto unused",
         [](Criterion& c) { c.inverseMode = 1; c.veto.alpha = 1; c.useVeto = 0; }, true},
    };
    for (const Case& c : cases) {
        Criterion k = validCriterion();
        c.change(k);
        EXPECT_EQ(checkCriterionThresholds(makeProject({k}, 0.5), 0), c.valid) << c.what;
    }
}

TEST(CheckCriterionThresholds, WithoutAlternativesOnlyTheGrowthIsChecked) {
    Criterion negativeQ = validCriterion();
    negativeQ.indifference = {0, -5};
    EXPECT_TRUE(checkCriterionThresholds(makeProject({negativeQ}, 0.5, {}), 0));
    Criterion badGrowth = validCriterion();
    badGrowth.veto.alpha = -1;
    EXPECT_FALSE(checkCriterionThresholds(makeProject({badGrowth}, 0.5, {}), 0));
    Criterion divides = validCriterion();
    divides.inverseMode = 1;
    divides.preference.alpha = 1;
    EXPECT_FALSE(checkCriterionThresholds(makeProject({divides}, 0.5, {}), 0));
}

TEST(CheckLevelOfConcordance, BoundsAreInclusive) {
    struct Case {
        std::vector<double> weights;
        double s, upper;
        bool valid;
    } cases[] = {
        {{1, 1, 2}, 0.5, 0.75, true},
        {{1, 1, 2}, 0.75, 0.75, true},
        {{1, 1, 2}, 0.76, 0.75, false},
        {{1, 1, 2}, 0.49, 0.75, false},
        {{3, 1, 1}, 0.8, 0.8, true},  // the smallest weight, wherever it stands
        {{1, 1}, 0.5, 0.5, true},
        {{5}, 0.5, 0.0, false},
    };
    for (const Case& c : cases) {
        double upper = -1;
        EXPECT_EQ(checkLevelOfConcordance(withWeights(c.weights, 0), c.s, upper), c.valid) << c.s;
        EXPECT_EQ(upper, c.upper);
    }
}

TEST(ComputeResults, NothingHappensWhileResultsAreValid) {
    const Project p = withWeights({1, 1, 2}, 2.0);  // would fail the level check
    DocumentState d;
    d.resultsValid = 1;
    ResultsSet r;
    r.allocate(7);
    const ComputeOutcome o = computeResults(p, d, r);
    EXPECT_EQ(o.status, ComputeStatus::AlreadyValid);
    EXPECT_EQ(o.text, "");
    EXPECT_EQ(r.n, 7);
    EXPECT_EQ(d.resultsValid, 1);
}

TEST(ComputeResults, ValidationMessages) {
    Criterion badThresholds = validCriterion(1);
    badThresholds.veto = {0, 2};
    Criterion negative = validCriterion(-1);
    struct Case {
        const char* what;
        Project project;
        ComputeStatus status;
        std::string text;
        MessageButtons buttons;
    } cases[] = {
        {"thresholds of two criteria, weights negative too",
         makeProject({validCriterion(1), badThresholds, negative, badThresholds}, 0.6),
         ComputeStatus::InvalidThresholds, kThresholdText, MessageButtons::YesNo},
        {"negative weight", makeProject({validCriterion(3), negative}, 0.6), ComputeStatus::InvalidWeights,
         kWeightsText, MessageButtons::Ok},
        {"weights summing to 0", withWeights({0, 0}, 0.6), ComputeStatus::InvalidWeights, kWeightsText,
         MessageButtons::Ok},
        {"level above the bound", withWeights({1, 1, 2}, 0.8), ComputeStatus::InvalidLevel,
         "Value of the level of concordance\n    must be between 0.5 and 0.75", MessageButtons::Ok},
        {"level below 0.5", withWeights({1, 2}, 0.45), ComputeStatus::InvalidLevel,
         "Value of the level of concordance\n    must be between 0.5 and 0.666667", MessageButtons::Ok},
        {"one criterion", withWeights({2}, 0.5), ComputeStatus::InvalidLevel,
         "Value of the level of concordance\n    must be between 0.5 and 0", MessageButtons::Ok},
        {"two equal weights", withWeights({1, 1}, 0.5), ComputeStatus::DivisionGuard, kGuardText,
         MessageButtons::Ok},
        {"lightest weight half the total within the rounding", withWeights({5004, 4996}, 0.5),
         ComputeStatus::DivisionGuard, kGuardText, MessageButtons::Ok},
    };
    for (const Case& c : cases) {
        DocumentState d;
        ResultsSet r;
        r.allocate(2);
        const ComputeOutcome o = computeResults(c.project, d, r);
        EXPECT_EQ(o.status, c.status) << c.what;
        EXPECT_EQ(o.text, c.text) << c.what;
        EXPECT_EQ(o.caption, "Validation error") << c.what;
        EXPECT_EQ(o.buttons, c.buttons) << c.what;
        EXPECT_EQ(o.yesEditsCriteria, c.status == ComputeStatus::InvalidThresholds) << c.what;
        EXPECT_EQ(d.resultsValid, 0) << c.what;
        EXPECT_EQ(r.n, 2) << c.what;  // nothing released before validation passes
    }
}

TEST(ComputeResults, AcyclicProjectComputes) {
    // Strictly ordered alternatives: 0 beats 1 beats 2 on both criteria.
    Criterion c = validCriterion(2);
    c.indifference = {0, 0};
    c.preference = {0, 0};
    c.useVeto = 0;
    Criterion c2 = c;
    c2.weight = 3;
    const Project p = makeProject({c, c2}, 0.55, {10, 5, 1});
    DocumentState d;
    ResultsSet r;
    r.allocate(5);
    const ComputeOutcome o = computeResults(p, d, r);
    EXPECT_EQ(o.status, ComputeStatus::Computed);
    EXPECT_EQ(o.text, "");
    EXPECT_EQ(d.resultsValid, 1);
    ASSERT_EQ(r.n, 3);
    EXPECT_EQ(r.vertexCount, 3);
    EXPECT_EQ(r.outrankingMatrix, (std::vector<int>{1, 1, 1, 0, 1, 1, 0, 0, 1}));
    EXPECT_EQ(r.concordanceTexts[3], " 0.00");
}

TEST(ComputeResults, EngineFailureIsReported) {
    // Every pair outranks except 0 -> 4 (vetoed: 5 better, veto 4): one group in
    // which no one or two arcs change the grouping, and cutting is chosen.
    Criterion vetoed = validCriterion(1);
    vetoed.indifference = {0, 1};
    vetoed.preference = {0, 2};
    vetoed.veto = {0, 4};
    Criterion flat = validCriterion(3);
    flat.useVeto = 0;
    Project p = makeProject({vetoed, flat}, 0.6, {5, 7.5, 7.5, 7.5, 10});
    for (int a = 0; a < p.n; ++a) p.evaluations[static_cast<size_t>(a) * p.m + 1] = 10;
    p.maxArcsToCut = 2;
    DocumentState d;
    ResultsSet r;
    const ComputeOutcome o = computeResults(p, d, r);
    EXPECT_EQ(o.status, ComputeStatus::EngineFailed);
    EXPECT_EQ(o.text, kEngineText);
    EXPECT_EQ(o.caption, "Computations impossible");
    EXPECT_EQ(o.buttons, MessageButtons::Ok);
    EXPECT_FALSE(o.yesEditsCriteria);
    EXPECT_EQ(d.resultsValid, 0);
    EXPECT_EQ(r.n, 5);  // the new set stays until the next computation
    EXPECT_EQ(r.discordanceTexts[r.at(0, 4)], "1");
}

TEST(ComputeResults, ResultsTooLargeForMemoryAreRefused) {
    // 46341 squared cells overflow the cell index; refused before allocating.
    Project p = makeProject({validCriterion(2), validCriterion(3)}, 0.55, std::vector<double>(46341, 1.0));
    DocumentState d;
    ResultsSet r;
    r.allocate(3);
    const ComputeOutcome o = computeResults(p, d, r);
    EXPECT_EQ(o.status, ComputeStatus::OutOfMemory);
    EXPECT_EQ(o.text, "Not enough memory to compute the results");
    EXPECT_EQ(o.caption, "Computations impossible");
    EXPECT_EQ(o.buttons, MessageButtons::Ok);
    EXPECT_FALSE(r.allocated());
    EXPECT_EQ(d.resultsValid, 0);
}

}  // namespace
}  // namespace kvis
