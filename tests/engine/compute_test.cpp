#include "engine/compute.h"
#include "engine/memory.h"
#include "engine/validate.h"

#include <gtest/gtest.h>

#include <optional>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "fixture.h"

namespace kvis {
namespace {

// Maximized, q = 1, p = 3, veto 6 in use: valid on any range of evaluations.
// (Fields: name, direction, useVeto, inverseMode, weight, p, q, v.)
Criterion valid(double weight = 1) { return {"c", 1, 1, 0, weight, {0, 3}, {0, 1}, {0, 6}}; }

// Every criterion gets the same evaluation column.
Project makeProject(const std::vector<Criterion>& criteria, double s, const std::vector<double>& column = {2, 10, 5}) {
    std::vector<std::vector<double>> rows;
    for (double g : column) rows.push_back(std::vector<double>(criteria.size(), g));
    return fixture::makeProject(criteria, rows, s);
}

Project withWeights(const std::vector<double>& weights, double s) {
    std::vector<Criterion> cs;
    for (double w : weights) cs.push_back(valid(w));
    return makeProject(cs, s);
}

// Without alternatives only the coefficients of growth (and the divisions of
// inverse mode) are checked: no evaluation is read.
TEST(CheckCriterionThresholds, EveryRuleWithAndWithoutAlternatives) {
    struct Case {
        const char* what;
        bool valid, validWithoutAlternatives;
        std::function<void(Criterion&)> change;
    } cases[] = {
        {"valid as it is", true, true, [](auto&) {}},
        {"valid minimized", true, true, [](auto& c) { c.direction = 0; }},
        {"min, p growth 1", false, false, [](auto& c) { c.direction = 0, c.preference.alpha = 1; }},
        {"min, v growth 1, veto unused", false, false,
         [](auto& c) { c.direction = 0, c.useVeto = 0, c.veto.alpha = 1; }},
        {"max, v growth -1, veto unused", false, false, [](auto& c) { c.useVeto = 0, c.veto.alpha = -1; }},
        {"max, v growth -0.99, veto unused", true, true, [](auto& c) { c.useVeto = 0, c.veto.alpha = -0.99; }},
        {"q negative at the low end only", false, true,
         [](auto& c) { c.indifference = {1, -5}, c.preference = {1, 0}; }},
        {"q negative at the high end only", false, true, [](auto& c) { c.indifference = {-0.5, 4}; }},
        {"p below q at the worst evaluation", false, true, [](auto& c) { c.preference = {0, 0.5}; }},
        {"p below q at d1 only", false, true, [](auto& c) { c.indifference = {0.5, 0}; }},
        {"v below p", false, true, [](auto& c) { c.veto = {0, 2}; }},
        {"v below p, veto unused", true, true, [](auto& c) { c.veto = {0, 2}, c.useVeto = 0; }},
        {"v below p at d2 only", false, true, [](auto& c) { c.preference = {2, 0}; }},
        {"min, p below q at the worst", false, true, [](auto& c) { c.direction = 0, c.preference = {0, 0.5}; }},
        {"min, v below p at d2 only", false, true,
         [](auto& c) { c.direction = 0, c.preference = {0.9, 0}, c.veto = {0, 10}; }},
        // inverse mode: 1 - alpha (maximized) or 1 + alpha (minimized) must not be 0
        {"inv max, q growth 1", false, false, [](auto& c) { c.inverseMode = 1, c.indifference.alpha = 1; }},
        {"inv min, p growth -1", false, false,
         [](auto& c) { c.inverseMode = 1, c.direction = 0, c.preference.alpha = -1; }},
        {"inv max, v growth 1", false, false, [](auto& c) { c.inverseMode = 1, c.veto.alpha = 1; }},
        {"inv max, v growth 1, veto unused", true, true,
         [](auto& c) { c.inverseMode = 1, c.veto.alpha = 1, c.useVeto = 0; }},
    };
    // Only the extremes count, wherever they stand (the last one included).
    const std::vector<double> columns[] = {{2, 10, 5}, {10, 5, 2}, {5, 2, 10}};
    for (const Case& c : cases) {
        Criterion k = valid();
        c.change(k);
        for (const auto& column : columns)
            EXPECT_EQ(checkCriterionThresholds(makeProject({k}, 0.5, column), 0), c.valid) << c.what << " " << column[0];
        EXPECT_EQ(checkCriterionThresholds(makeProject({k}, 0.5, {}), 0), c.validWithoutAlternatives) << c.what;
    }
}

TEST(CheckLevelOfConcordance, BoundsAreInclusive) {
    struct Case {
        std::vector<double> weights;
        double s, upper;
        bool valid;
    } cases[] = {
        {{1, 1, 2}, 0.5, 0.75, true}, {{1, 1, 2}, 0.75, 0.75, true}, {{1, 1, 2}, 0.76, 0.75, false},
        {{1, 1, 2}, 0.49, 0.75, false},
        {{3, 1, 1}, 0.8, 0.8, true},  // the smallest weight, wherever it stands
        {{1, 1}, 0.5, 0.5, true},     {{5}, 0.5, 0.0, false},
    };
    for (const Case& c : cases) {
        double upper = -1;
        EXPECT_EQ(checkLevelOfConcordance(withWeights(c.weights, 0), c.s, upper), c.valid) << c.s;
        EXPECT_EQ(upper, c.upper);
    }
}

TEST(ComputeResults, MessagesAndWhatIsKept) {
    using enum ComputeStatus;
    using enum MessageButtons;
    using enum Check;
    const std::string validation = "Validation error", impossible = "Computations impossible";
    const std::string thresholds =
        "Invalid values of thresholds\n   for some of criteria.\nDo you want to edit criteria?";
    const std::string weights =
        "The weights of the criteria must not be negative\nand their sum must be greater than 0";
    const std::string guard =
        "      To avoid division by zero,\n change the level of concordance\n                and/or weights";
    const Criterion badThresholds{"c", 1, 1, 0, 1, {0, 3}, {0, 1}, {0, 2}};  // v below p
    Project engineFails =
        fixture::makeProject({{"c", 1, 1, 0, 1, {0, 2}, {0, 1}, {0, 4}}, {"c", 1, 0, 0, 3, {0, 3}, {0, 1}, {0, 6}}},
                             {{5, 10}, {7.5, 10}, {7.5, 10}, {7.5, 10}, {10, 10}}, 0.6);
    engineFails.maxArcsToCut = 2;
    struct Case {
        const char* what;
        Project project;
        ComputeStatus status;
        Check refused;
        std::string text, caption;
        MessageButtons buttons;
        int nAfter;  // alternatives of the results set afterwards; 2 before
    } cases[] = {
        // (its level 2.0 would fail the check)
        {"nothing happens while results are valid", withWeights({1, 1, 2}, 2.0), AlreadyValid, Passed, "", "", Ok, 2},
        {"a number beyond 1e15 is found before the thresholds",
         makeProject({valid(1), badThresholds}, 0.6, {2, -1e16, 5}), Refused, Numbers,
         "The numbers of the project must lie\nbetween -1e+15 and 1e+15", validation, Ok, 2},
        {"thresholds of two criteria, weights negative too",
         makeProject({valid(1), badThresholds, valid(-1), badThresholds}, 0.6), Refused, Thresholds, thresholds,
         validation, YesNo, 2},
        {"thresholds of the last criterion only", makeProject({valid(1), valid(1), badThresholds}, 0.6), Refused,
         Thresholds, thresholds, validation, YesNo, 2},
        {"negative weight", makeProject({valid(3), valid(-1)}, 0.6), Refused, Weights, weights, validation, Ok, 2},
        {"weights summing to 0", withWeights({0, 0}, 0.6), Refused, Weights, weights, validation, Ok, 2},
        {"level above the bound", withWeights({1, 1, 2}, 0.8), Refused, Level,
         "Value of the level of concordance\n    must be between 0.5 and 0.75", validation, Ok, 2},
        {"level below 0.5", withWeights({1, 2}, 0.45), Refused, Level,
         "Value of the level of concordance\n    must be between 0.5 and 0.666667", validation, Ok, 2},
        {"one criterion", withWeights({2}, 0.5), Refused, Level,
         "Value of the level of concordance\n    must be between 0.5 and 0", validation, Ok, 2},
        {"two equal weights", withWeights({1, 1}, 0.5), Refused, DivisionGuard, guard, validation, Ok, 2},
        {"lightest weight half the total within the rounding", withWeights({5004, 4996}, 0.5), Refused, DivisionGuard, guard,
         validation, Ok, 2},
        // Every pair outranks except 0 -> 4 (vetoed: 5 better, veto 4): one group
        // in which no one or two arcs change the grouping, and cutting is chosen.
        // The new set stays until the next computation.
        {"engine failure", engineFails, EngineFailed, Passed,
         "To cut a cycle, the algorithm must cut more arcs\n    than allowed in the Edit-Advanced options.   ",
         impossible, Ok, 5},
        // 46341 squared cells overflow the cell index; refused before allocating
        {"results too large for memory", makeProject({valid(2), valid(3)}, 0.55, std::vector<double>(46341, 1.0)),
         OutOfMemory, Passed, "Not enough memory to compute the results", impossible, Ok, 0},
        // Strictly ordered alternatives: 0 beats 1 beats 2 on both criteria.
        {"acyclic project computes",
         makeProject({{"c", 1, 0, 0, 2, {}, {}, {}}, {"c", 1, 0, 0, 3, {}, {}, {}}}, 0.55, {10, 5, 1}),
         Computed, Passed, "", "", Ok, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocumentState d;
        d.resultsValid = c.status == AlreadyValid;
        ResultsSet r;
        r.allocate(2);
        const ComputeOutcome o = computeResults(c.project, d, r);
        EXPECT_EQ(std::tuple(o.status, o.refused, o.text, o.caption, o.buttons),
                  std::tuple(c.status, c.refused, c.text, c.caption, c.buttons));
        EXPECT_EQ(d.resultsValid, c.status == AlreadyValid || c.status == Computed);
        EXPECT_EQ(r.n, c.nAfter);
        if (c.status == Computed) {
            EXPECT_EQ(r.vertexCount, 3);
            EXPECT_EQ(r.outrankingMatrix, (std::vector<int>{1, 1, 1, 0, 1, 1, 0, 0, 1}));
            EXPECT_EQ(r.concordanceTexts[3], " 0.00");
        }
    }
}

// Every number of the project counts, the unused veto line too; 1e15 itself
// is allowed.
TEST(Validate, NumberRuleCoversEveryNumber) {
    const double above = std::nextafter(1e15, INFINITY);
    const std::pair<double, bool> values[] = {{1e15, true},    {-1e15, true},     {above, false},   {-above, false},
                                              {INFINITY, false}, {-INFINITY, false}, {NAN, false}};
    const std::pair<const char*, std::function<void(Project&, double)>> places[] = {
        {"evaluation", [](Project& p, double x) { p.evaluations[4] = x; }},
        {"weight", [](Project& p, double x) { p.criteria[1].weight = x; }},
        {"p alpha", [](Project& p, double x) { p.criteria[0].preference.alpha = x; }},
        {"p beta", [](Project& p, double x) { p.criteria[1].preference.beta = x; }},
        {"q alpha", [](Project& p, double x) { p.criteria[0].indifference.alpha = x; }},
        {"q beta", [](Project& p, double x) { p.criteria[1].indifference.beta = x; }},
        {"unused veto alpha", [](Project& p, double x) { p.criteria[0].useVeto = 0, p.criteria[0].veto.alpha = x; }},
        {"unused veto beta", [](Project& p, double x) { p.criteria[0].useVeto = 0, p.criteria[0].veto.beta = x; }},
        {"level", [](Project& p, double x) { p.levelOfConcordance = x; }},
    };
    for (const auto& [place, set] : places) {
        for (const auto& [value, allowed] : values) {
            SCOPED_TRACE(std::string(place) + " " + std::to_string(value));
            Project p = makeProject({valid(1), valid(2)}, 0.6);
            set(p, value);
            EXPECT_EQ(numbersInRange(p), allowed);
            EXPECT_EQ(validate(p).failed == Check::Numbers, !allowed);
        }
    }
}

// The computation and the caller's outputs must fit in the memory available;
// otherwise nothing is allocated and the old results are gone.
TEST(ComputeResults, RefusedWhenTheEstimateExceedsTheMemoryAvailable) {
    const Project p = makeProject({{"c", 1, 0, 0, 2, {}, {}, {}}, {"c", 1, 0, 0, 3, {}, {}, {}}}, 0.55, {10, 5, 1});
    const std::uint64_t outputs = 1000;
    for (const auto& [available, status] : {std::pair{computationBytes(3) + outputs - 1, ComputeStatus::OutOfMemory},
                                            {computationBytes(3) + outputs, ComputeStatus::Computed}}) {
        SCOPED_TRACE(available);
        setAvailableMemoryForTesting(available);
        DocumentState d;
        ResultsSet r;
        r.allocate(2);
        const ComputeOutcome o = computeResults(p, d, r, outputs);
        setAvailableMemoryForTesting(std::nullopt);
        EXPECT_EQ(o.status, status);
        EXPECT_EQ(o.text, status == ComputeStatus::Computed ? "" : "Not enough memory to compute the results");
        EXPECT_EQ(std::pair(r.n, d.resultsValid), status == ComputeStatus::Computed ? std::pair(3, 1) : std::pair(0, 0));
    }
}

// A project whose cycles must be cut: three alternatives beating each other
// round on two of three criteria, and a fourth below them all.
Project cyclicProject() {
    const Criterion c{"c", 1, 0, 0, 1, {0, 1}, {0, 0}, {}};
    return fixture::makeProject({c, c, c}, {{30, 20, 10}, {10, 30, 20}, {20, 10, 30}, {0, 0, 0}}, 0.6);
}

// The stages in order through the engine, and a cancel at the first check
// point of each: no results, resultsValid still 0, nothing to show.
TEST(ComputeResults, CancelledInEachStageOfTheEngine) {
    struct Script : ComputeProgress {
        std::optional<ComputeStage> cancelIn;
        std::vector<ComputeStage> stages;
        void stage(ComputeStage s) override { stages.push_back(s); }
        bool cancelRequested() override { return cancelIn && !stages.empty() && stages.back() == *cancelIn; }
    };
    using enum ComputeStage;
    const Project p = cyclicProject();
    {
        Script all;
        DocumentState d;
        ResultsSet r;
        ASSERT_EQ(computeResults(p, d, r, 0, &all).status, ComputeStatus::Computed);
        EXPECT_EQ(all.stages, (std::vector{Matrices, Merging, Cutting, Kernel}));
        EXPECT_EQ(d.resultsValid, 1);
    }
    for (ComputeStage stage : {Matrices, Merging, Cutting, Kernel}) {
        SCOPED_TRACE(static_cast<int>(stage));
        Script script;
        script.cancelIn = stage;
        DocumentState d;
        ResultsSet r;
        r.allocate(2);  // the old results go too
        const ComputeOutcome o = computeResults(p, d, r, 0, &script);
        EXPECT_EQ(o.status, ComputeStatus::Cancelled);
        EXPECT_EQ(o.text, "");
        EXPECT_EQ(std::pair(r.n, d.resultsValid), std::pair(0, 0));
        ASSERT_FALSE(script.stages.empty());
        EXPECT_EQ(script.stages.back(), stage);
    }
}

}  // namespace
}  // namespace kvis
