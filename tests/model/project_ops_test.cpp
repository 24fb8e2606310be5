#include "model/project_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvis {
namespace {

Criterion crit(const std::string& name, double weight = 1.0) {
    Criterion c;
    c.name = name;
    c.weight = weight;
    return c;
}

// 3 alternatives x 2 criteria with distinct values 10*a + c and texts "a,c".
struct Fixture : ::testing::Test {
    void SetUp() override {
        resetProject(p, d, Parameters{0.7, 3, 0.2});
        addCriterion(p, d, crit("price"));
        addCriterion(p, d, crit("quality"));
        for (int a = 0; a < 3; ++a) addAlternative(p, d, "alt" + std::to_string(a));
        for (int a = 0; a < 3; ++a) {
            for (int c = 0; c < 2; ++c)
                setEvaluation(p, d, a, c, 10.0 * a + c, std::to_string(a) + "," + std::to_string(c));
        }
        d.modified = 0;
        d.resultsValid = 1;
    }
    void expectFlags(int modified, int resultsValid) {
        EXPECT_EQ(d.modified, modified);
        EXPECT_EQ(d.resultsValid, resultsValid);
    }
    void expectConsistent() {
        ASSERT_EQ(p.criteria.size(), static_cast<size_t>(p.m));
        ASSERT_EQ(p.alternatives.size(), static_cast<size_t>(p.n));
        ASSERT_EQ(p.evaluations.size(), static_cast<size_t>(p.n * p.m));
        ASSERT_EQ(p.evaluationTexts.size(), static_cast<size_t>(p.n * p.m));
        ASSERT_EQ(p.columnFormats.size(), static_cast<size_t>(p.m));
    }
    Project p;
    DocumentState d;
};

TEST_F(Fixture, ResetTakesSettingsAndClearsState) {
    d.comparePair = {2, 1};
    d.selectionMask = 0xFF;
    d.modified = 1;
    resetProject(p, d, Parameters{0.55, 4, 0.05});
    EXPECT_EQ(p.m, 0);
    EXPECT_EQ(p.n, 0);
    expectConsistent();
    EXPECT_EQ(p.levelOfConcordance, 0.55);
    EXPECT_EQ(p.maxArcsToCut, 4);
    EXPECT_EQ(p.acceptableLoss, 0.05);
    EXPECT_EQ(p.alternativeNameWidth, 64);
    EXPECT_EQ(d.comparePair, (std::array<int, 2>{0, 1}));
    EXPECT_EQ(d.selectionMask, 0);
    expectFlags(0, 0);
}

TEST_F(Fixture, AddAlternativeAppendsAndRebuildsTexts) {
    addAlternative(p, d, "new");
    expectConsistent();
    expectFlags(1, 0);
    ASSERT_EQ(p.n, 4);
    EXPECT_EQ(p.alternatives[3].name, "new");
    EXPECT_EQ(p.eval(3, 0), 0.0);
    EXPECT_EQ(p.eval(2, 1), 21.0);
    // Texts typed in a dialog give way to "%g" of the values.
    EXPECT_EQ(p.evaluationTexts[2 * 2 + 1], "21");
    EXPECT_EQ(p.evaluationTexts[3 * 2 + 0], "0");
    EXPECT_EQ(p.alternativeNameWidth, 64);
    addAlternative(p, d, "a_name_of_twelve");  // 16 characters
    EXPECT_EQ(p.alternativeNameWidth, 128);
    addAlternative(p, d, "short");
    EXPECT_EQ(p.alternativeNameWidth, 128);
}

TEST_F(Fixture, DeleteAlternativeKeepsOrderAndCells) {
    deleteAlternative(p, d, 1);
    expectConsistent();
    expectFlags(1, 0);
    ASSERT_EQ(p.n, 2);
    EXPECT_EQ(p.alternatives[1].name, "alt2");
    EXPECT_EQ(p.eval(1, 1), 21.0);
    EXPECT_EQ(p.evaluationTexts[1 * 2 + 1], "2,1");  // texts move with their cells
    deleteAlternative(p, d, 0);
    deleteAlternative(p, d, 0);
    EXPECT_EQ(p.n, 0);
    EXPECT_EQ(p.m, 2);
    expectConsistent();
}

TEST_F(Fixture, RenameSetsModifiedOnlyOnChange) {
    renameAlternative(p, d, 0, "alt0");
    expectFlags(0, 1);
    renameAlternative(p, d, 0, "a_much_longer_name_here");
    expectFlags(1, 1);
    EXPECT_EQ(p.alternatives[0].name, "a_much_longer_name_here");
    EXPECT_EQ(p.alternativeNameWidth, 64);  // only adding widens the column
}

TEST_F(Fixture, SetEvaluation) {
    setEvaluation(p, d, 1, 0, 10.0, "1,0");
    expectFlags(0, 0);  // nothing changed, results still go
    setEvaluation(p, d, 1, 0, 10.0, "-");
    expectFlags(1, 0);
    EXPECT_EQ(p.evaluationTexts[2], "-");
    d.modified = 0;
    setEvaluation(p, d, 1, 0, 12.5, "-");
    expectFlags(1, 0);
    EXPECT_EQ(p.eval(1, 0), 12.5);
}

TEST_F(Fixture, AddCriterionGivesZeroColumn) {
    p.columnFormats[0] = {50, 0, 1};
    addCriterion(p, d, crit("comfort", 2.0));
    expectConsistent();
    expectFlags(1, 0);
    ASSERT_EQ(p.m, 3);
    EXPECT_EQ(p.criteria[2].name, "comfort");
    for (int a = 0; a < 3; ++a) {
        EXPECT_EQ(p.eval(a, 2), 0.0);
        EXPECT_EQ(p.evaluationTexts[static_cast<size_t>(a) * 3 + 2], "0");
        EXPECT_EQ(p.eval(a, 1), 10.0 * a + 1);
        EXPECT_EQ(p.evaluationTexts[static_cast<size_t>(a) * 3 + 1], std::to_string(a) + ",1");
    }
    for (const auto& f : p.columnFormats) EXPECT_EQ(f, (TSheetColumn{100, 2, 0}));
}

TEST_F(Fixture, ModifyAndDeleteCriterion) {
    Criterion c = crit("cost", 3.0);
    c.direction = 1;
    modifyCriterion(p, d, 0, c);
    expectFlags(1, 0);
    EXPECT_EQ(p.criteria[0].name, "cost");
    EXPECT_EQ(p.criteria[0].weight, 3.0);

    d.resultsValid = 1;
    deleteCriterion(p, d, 0);
    expectConsistent();
    expectFlags(1, 0);
    ASSERT_EQ(p.m, 1);
    EXPECT_EQ(p.criteria[0].name, "quality");
    EXPECT_EQ(p.eval(2, 0), 21.0);
    EXPECT_EQ(p.evaluationTexts[2], "2,1");

    deleteCriterion(p, d, 0);  // the only criterion takes the alternatives with it
    expectConsistent();
    EXPECT_EQ(p.m, 0);
    EXPECT_EQ(p.n, 0);
}

TEST_F(Fixture, Parameters) {
    setLevelOfConcordance(p, d, 0.6);
    EXPECT_EQ(p.levelOfConcordance, 0.6);
    expectFlags(1, 0);

    d = DocumentState{};
    d.resultsValid = 1;
    setAdvancedOptions(p, d, 3, 0.2);  // the values it already has
    expectFlags(0, 1);
    setAdvancedOptions(p, d, 3, 0.25);
    expectFlags(0, 0);
    d.resultsValid = 1;
    setAdvancedOptions(p, d, 5, 0.25);
    expectFlags(0, 0);
    EXPECT_EQ(p.maxArcsToCut, 5);
    EXPECT_EQ(p.acceptableLoss, 0.25);
}

TEST(NameWidth, EightPixelsPerCharacterAtLeastEight) {
    Project p;
    EXPECT_EQ(computeNameWidth(p), 64);
    p.alternatives = {{"a"}, {"seven77"}};
    EXPECT_EQ(computeNameWidth(p), 64);
    p.alternatives.push_back({"ninechars"});
    EXPECT_EQ(computeNameWidth(p), 72);
    p.alternatives.push_back({"\xC5\xBC\xC3\xB3\xC5\x82w_\xC5\xBC\xC3\xB3\xC5\x82w"});  // 9 characters, 15 bytes
    EXPECT_EQ(computeNameWidth(p), 72);
}

TEST(EvaluationTexts, PercentG) {
    Project p;
    p.evaluations = {0.0, 1.5, 1e6, 123456.0, 0.00012, -2.25};
    rebuildEvaluationTexts(p);
    EXPECT_EQ(p.evaluationTexts, (std::vector<std::string>{"0", "1.5", "1e+06", "123456", "0.00012", "-2.25"}));
}

}  // namespace
}  // namespace kvis
