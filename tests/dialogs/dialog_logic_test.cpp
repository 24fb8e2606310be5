// What the dialogs show and decide, without windows.
#include "dialogs/dialog_logic.h"

#include <gtest/gtest.h>

#include "model/project_ops.h"

using namespace kvis;

namespace {

Criterion crit(const char* name, int direction, double q, double p, double v = -1, double weight = 1) {
    Criterion c;
    c.name = name;
    c.direction = direction;
    c.weight = weight;
    c.indifference = {0, q};
    c.preference = {0, p};
    if (v >= 0) {
        c.useVeto = 1;
        c.veto = {0, v};
    }
    return c;
}

// Builds a project through the model's own operations.
Project makeProject(const std::vector<Criterion>& cs, const std::vector<std::vector<double>>& rows) {
    Project p;
    DocumentState d;
    for (const auto& c : cs) addCriterion(p, d, c);
    for (size_t a = 0; a < rows.size(); ++a) {
        addAlternative(p, d, "alt" + std::to_string(a + 1));
        for (size_t c = 0; c < rows[a].size(); ++c)
            setEvaluation(p, d, static_cast<int>(a), static_cast<int>(c), rows[a][c], "");
    }
    return p;
}

}  // namespace

TEST(DialogLogic, NumbersReadFromEditsTakeOnlyTheirCharacters) {
    struct Case {
        const char* text;
        int count;
        double want;
    } cases[] = {
        {"", 9, 0},          {"1e", 9, 1},   {"2.5e+", 9, 2.5}, {"3-", 9, 3},
        {"-", 9, 0},         {".", 9, 0},    {"12.50", 9, 12.5}, {"123456789012", 9, 123456789},
        {"1.5e-12", 9, 1.5e-12},
    };
    for (const auto& c : cases) EXPECT_EQ(dlg::readNumber(c.text, c.count), c.want) << c.text;
    EXPECT_EQ(dlg::readInteger("34", 8), 34);
    EXPECT_EQ(dlg::firstChars("abcdefghijklmnop", 13), "abcdefghijklm");
}

TEST(DialogLogic, AlternativeValueLines) {
    Project p = makeProject({crit("price", 0, 0, 0), crit("a_very_long_criterion", 1, 0, 0)}, {{12.5, -3}});
    const auto lines = dlg::alternativeValueLines(p, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], " price                 12.500 ");
    EXPECT_EQ(lines[1], " a_very_long_cr        -3.000 ");
    EXPECT_EQ(dlg::pendingValueLines(p, {0, 7})[1], " a_very_long_cr         7.000 ");
}

TEST(DialogLogic, AddingAnAlternativeRebuildsTheOldTexts) {
    Project p = makeProject({crit("c1", 0, 0, 0)}, {{1}});
    DocumentState d;
    dlg::storeTypedValue(p, d, 0, 0, "12.50", 12.5);
    EXPECT_EQ(p.evaluationTexts[0], "12.50");
    dlg::appendAlternative(p, d, "new", {7.25});
    EXPECT_EQ(p.evaluationTexts, (std::vector<std::string>{"12.5", "7.25"}));
}

TEST(DialogLogic, CandidateThresholdsAreTestedWithoutTouchingTheProject) {
    Project p = makeProject({crit("c1", 0, 0, 0), crit("c2", 1, 0, 0)}, {{1, 2}, {3, 4}});
    Criterion bad = p.criteria[1];
    bad.indifference = {0, 5};  // q above p at the evaluations
    bad.preference = {0, 1};
    EXPECT_FALSE(dlg::candidatePasses(p, 1, bad));
    EXPECT_EQ(p.criteria[1].indifference.beta, 0);
    EXPECT_TRUE(dlg::candidatePasses(p, p.m, dlg::proposedCriterion(p)));

    // No alternative: only the coefficients of growth count.
    Criterion steep = dlg::proposedCriterion(Project{});
    steep.indifference = {0, 5};
    EXPECT_TRUE(dlg::candidatePasses(Project{}, 0, steep));
    steep.preference.alpha = 1;  // minimized: alpha >= 1 fails
    EXPECT_FALSE(dlg::candidatePasses(Project{}, 0, steep));
}

TEST(DialogLogic, EvaluationLinesUseTheLinesAsEntered) {
    Criterion c = crit("c1", 1, 0, 0, 10);
    c.indifference = {0.1, 1};
    c.preference = {0.2, 2};
    c.inverseMode = 1;  // not applied in the preview
    Project p = makeProject({c}, {{10}, {-2.5}});
    p.alternatives[1].name = "a_name_longer_than_16";
    auto lines = dlg::evaluationLines(p, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "alt1                   10.000        2.000        4.000       10.000");
    EXPECT_EQ(lines[1], "a_name_longer_th       -2.500        0.750        1.500       10.000");
    p.criteria[0].useVeto = 0;
    EXPECT_EQ(dlg::evaluationLines(p, 0)[0], "alt1                   10.000        2.000        4.000      N/A");
}

TEST(DialogLogic, CompareSortsEveryCriterionIntoItsList) {
    Project p = makeProject(
        {
            crit("q_minus", 1, 1, 3),                 // a 10, b 12: Q- with 0.50
            crit("nowhere", 1, 1, 3),                 // a 10, b 15, no veto: listed nowhere
            crit("vetoed", 1, 1, 3, 4),               // a 10, b 16, veto 4: PV
            crit("equal", 0, 0, 1),                   // equal values: I
            crit("weak", 1, 1, 3),                    // a 12, b 10: Q
            crit("strong", 1, 1, 3),                  // a 20, b 10: P
            crit("a_very_long_name_indeed", 0, 1, 3), // minimized, a 12, b 10: Q-
        },
        {{10, 10, 10, 5, 12, 20, 12}, {12, 15, 16, 5, 10, 10, 10}});
    const dlg::CompareLists l = dlg::compareLists(p, 0, 1);
    EXPECT_EQ(l.qMinus, (std::vector<std::string>{"q_minus      0.50", "a_very_long_ 0.50"}));
    EXPECT_EQ(l.i, std::vector<std::string>{"equal"});
    EXPECT_EQ(l.q, std::vector<std::string>{"weak"});
    EXPECT_EQ(l.p, std::vector<std::string>{"strong"});
    EXPECT_EQ(l.pv, std::vector<std::string>{"vetoed"});
}
