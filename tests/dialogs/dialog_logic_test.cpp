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

TEST(DialogLogic, MessagesKeepTheirSpaces) {
    EXPECT_EQ(dlg::deleteAlternativeQuestion("a1"), "Do you really want to delete\n  alternative 'a1' ?");
    EXPECT_EQ(dlg::deleteCriterionQuestion("c1"), "Do you really want to delete\n    criterion: 'c1'");
    EXPECT_EQ(dlg::invalidThresholdsMessage("price"),
              "          Invalid values of thresholds.\nThresholds must be valid for criterion price");
    EXPECT_EQ(dlg::levelMessage(0.75), "Value of the level of concordance\n    must be between 0.5 and 0.75");
}

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

TEST(DialogLogic, LongValueTextsWidenTheValueEdit) {
    EXPECT_EQ(dlg::valueEditLimit(dlg::gText(12.5)), 9);
    const std::string small = dlg::gText(-1.23456e-10);  // "-1.23456e-10", 12 characters
    EXPECT_EQ(small, "-1.23456e-10");
    EXPECT_EQ(dlg::valueEditLimit(small), 12);
    EXPECT_EQ(dlg::readNumber(small, dlg::valueEditLimit(small)), -1.23456e-10);
}

TEST(DialogLogic, AlternativeValueLines) {
    Project p = makeProject({crit("price", 0, 0, 0), crit("a_very_long_criterion", 1, 0, 0)}, {{12.5, -3}});
    const auto lines = dlg::alternativeValueLines(p, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], " price                 12.500 ");
    EXPECT_EQ(lines[1], " a_very_long_cr        -3.000 ");
    EXPECT_EQ(dlg::pendingValueLines(p, {0, 7})[1], " a_very_long_cr         7.000 ");
}

TEST(DialogLogic, AppendAlternativeNamesWidthAndTexts) {
    Project p = makeProject({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}, {5, 6}});
    DocumentState d;
    EXPECT_EQ(dlg::proposedAlternativeName(p), "alter_4");
    d.resultsValid = 1;
    dlg::storeTypedValue(p, d, 0, 0, "1.0", 1.0);  // same number: text only, no flags
    EXPECT_EQ(p.evaluationTexts[0], "1.0");
    EXPECT_EQ(d.modified, 0);
    EXPECT_EQ(d.resultsValid, 1);
    dlg::storeTypedValue(p, d, 0, 1, "12.50", 12.5);
    EXPECT_EQ(p.eval(0, 1), 12.5);
    EXPECT_EQ(p.evaluationTexts[1], "12.50");
    EXPECT_EQ(d.modified, 1);
    EXPECT_EQ(d.resultsValid, 0);

    p.alternativeNameWidth = 64;
    dlg::appendAlternative(p, d, "twelve_chars", {7.25, -1});
    ASSERT_EQ(p.n, 4);
    EXPECT_EQ(p.alternatives[3].name, "twelve_chars");
    EXPECT_EQ(p.eval(3, 0), 7.25);
    EXPECT_EQ(p.evaluationTexts[3 * 2 + 0], "7.25");
    EXPECT_EQ(p.evaluationTexts[1], "12.5");  // old texts rebuilt as "%g"
    EXPECT_EQ(p.alternativeNameWidth, 96);
    deleteAlternative(p, d, 3);
    EXPECT_EQ(p.alternativeNameWidth, 96);  // never narrows
    dlg::appendAlternative(p, d, "abc", {0, 0});
    EXPECT_EQ(p.alternativeNameWidth, 96);
}

TEST(DialogLogic, AddCriterionProposalAndCandidateTest) {
    Project p = makeProject({crit("c1", 0, 0, 0), crit("c2", 1, 0, 0)}, {{1, 2}, {3, 4}});
    const Criterion c = dlg::proposedCriterion(p);
    EXPECT_EQ(c.name, "crit_3");
    EXPECT_EQ(c.weight, 1);
    EXPECT_EQ(c.direction, 0);
    EXPECT_EQ(c.useVeto, 0);
    EXPECT_EQ(c.inverseMode, 0);
    EXPECT_EQ(c.preference.alpha, 0);
    EXPECT_EQ(c.veto.beta, 0);
    EXPECT_TRUE(dlg::candidatePasses(p, p.m, c));

    // q > p at the evaluations: fails against the column, the project untouched.
    Criterion bad = p.criteria[1];
    bad.indifference = {0, 5};
    bad.preference = {0, 1};
    EXPECT_FALSE(dlg::candidatePasses(p, 1, bad));
    EXPECT_EQ(p.criteria[1].indifference.beta, 0);
    EXPECT_EQ(dlg::firstFailingCriterion(p), -1);

    // No alternative left: only the coefficients of growth are tested.
    Project empty;
    Criterion steep = c;
    steep.indifference = {0, 5};
    EXPECT_TRUE(dlg::candidatePasses(empty, 0, steep));
    steep.preference.alpha = 1;  // minimized: alpha >= 1 fails
    EXPECT_FALSE(dlg::candidatePasses(empty, 0, steep));
}

TEST(DialogLogic, HasValuesRule) {
    Project p = makeProject({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{0, 0}, {0, -2}});
    EXPECT_FALSE(dlg::criterionHasValues(p, 0));
    EXPECT_TRUE(dlg::criterionHasValues(p, 1));
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

TEST(DialogLogic, LevelBounds) {
    double upper = -1;
    Project p = makeProject({crit("a", 0, 0, 0, -1, 1), crit("b", 0, 0, 0, -1, 1), crit("c", 0, 0, 0, -1, 2)}, {});
    EXPECT_TRUE(dlg::levelPasses(p, 0.5, upper));
    EXPECT_EQ(upper, 0.75);
    EXPECT_TRUE(dlg::levelPasses(p, 0.75, upper));
    EXPECT_FALSE(dlg::levelPasses(p, 0.76, upper));
    EXPECT_EQ(dlg::levelMessage(upper), "Value of the level of concordance\n    must be between 0.5 and 0.75");
    EXPECT_FALSE(dlg::levelPasses(p, 0.49, upper));

    Project one = makeProject({crit("a", 0, 0, 0)}, {});
    EXPECT_FALSE(dlg::levelPasses(one, 0.5, upper));
    EXPECT_EQ(dlg::levelMessage(upper), "Value of the level of concordance\n    must be between 0.5 and 0");

    Project none;
    EXPECT_TRUE(dlg::levelPasses(none, 0.5, upper));
    EXPECT_TRUE(dlg::levelPasses(none, 1, upper));
    EXPECT_FALSE(dlg::levelPasses(none, 1.01, upper));
    EXPECT_EQ(dlg::levelMessage(upper), "Value of the level of concordance\n    must be between 0.5 and 1");
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

TEST(DialogLogic, CompareWithoutVetoNeverListsPV) {
    Project p = makeProject({crit("c", 1, 0, 1)}, {{0}, {1e6}});
    const dlg::CompareLists l = dlg::compareLists(p, 0, 1);
    EXPECT_TRUE(l.pv.empty());
    EXPECT_TRUE(l.i.empty() && l.q.empty() && l.p.empty() && l.qMinus.empty());
}

namespace {

// 7 alternatives, 4 vertices: {0} -> {3} -> {4,5,6}, and {1,2} alone.
ResultsSet kernelResults() {
    ResultsSet r;
    r.allocate(7);
    const int n = 7;
    const std::vector<std::vector<int>> members = {{0}, {1, 2}, {3}, {4, 5, 6}};
    for (int v = 0; v < n; ++v)
        for (int k = 0; k < n; ++k) r.vertexMembers[v * n + k] = -1;
    for (size_t v = 0; v < members.size(); ++v)
        for (size_t k = 0; k < members[v].size(); ++k) r.vertexMembers[v * n + k] = members[v][k];
    for (int& x : r.vertexGraph) x = 0;
    r.vertexGraph[0 * n + 2] = 1;
    r.vertexGraph[2 * n + 3] = 1;
    for (int& x : r.listCounts) x = 0;
    r.listCounts[2] = 1;
    r.vertexCount = 4;
    return r;
}

}  // namespace

TEST(DialogLogic, KernelLinesAndArtificialNumbers) {
    Project p = makeProject({crit("c", 0, 0, 0)}, {{1}, {2}, {3}, {4}, {5}, {6}, {7}});
    const ResultsSet r = kernelResults();
    const auto lines = dlg::kernelLines(p, r);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].vertex, 0);
    EXPECT_EQ(lines[0].text, "alt1                 Initial");
    EXPECT_EQ(lines[1].vertex, 1);
    EXPECT_EQ(lines[1].text, "  8-Artificial      Isolated");
    EXPECT_EQ(lines[2].vertex, 3);
    EXPECT_EQ(lines[2].text, "  9-Artificial         Final");

    const dlg::KernelStructure art = dlg::kernelStructure(p, r, 3);
    EXPECT_EQ(art.code, "  9");
    EXPECT_EQ(art.type, "Artificial");
    EXPECT_EQ(art.members, (std::vector<std::string>{" alt5          ", " alt6          ", " alt7          "}));
    const dlg::KernelStructure nat = dlg::kernelStructure(p, r, 2);
    EXPECT_EQ(nat.code, "  4");
    EXPECT_EQ(nat.type, "Natural");
    EXPECT_EQ(nat.members, std::vector<std::string>{" alt4          "});
}
