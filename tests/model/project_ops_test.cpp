#include "model/project_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "model/numfmt.h"

namespace kvis {
namespace {

// 3 alternatives x 2 criteria with distinct values 10*a + c and texts "a,c". (The flags each
// operation sets are the document's tests.)
struct Ops : ::testing::Test {
    void SetUp() override {
        p = Project{};
        addCriterion(p, d, Criterion{"price", 0, 0, 0, 1.0, {}, {}, {}});
        addCriterion(p, d, Criterion{"quality", 0, 0, 0, 1.0, {}, {}, {}});
        for (int a = 0; a < 3; ++a) addAlternative(p, d, "alt" + std::to_string(a));
        for (int a = 0; a < 3; ++a)
            for (int c = 0; c < 2; ++c)
                setEvaluation(p, d, a, c, 10.0 * a + c, std::to_string(a) + "," + std::to_string(c));
    }
    void expectConsistent() {
        EXPECT_EQ(p.criteria.size(), static_cast<size_t>(p.m));
        EXPECT_EQ(p.alternatives.size(), static_cast<size_t>(p.n));
        EXPECT_EQ(p.evaluations.size(), static_cast<size_t>(p.n * p.m));
        EXPECT_EQ(p.evaluationTexts.size(), static_cast<size_t>(p.n * p.m));
        EXPECT_EQ(p.columnFormats.size(), static_cast<size_t>(p.m));
    }
    // Every row: the name, then value=text of each cell.
    std::string grid() const {
        std::string s;
        for (int a = 0; a < p.n; ++a) {
            s += (a ? " | " : "") + p.alternatives[static_cast<size_t>(a)].name + ":";
            for (int c = 0; c < p.m; ++c)
                s += format(" %g=", p.eval(a, c)) + p.evaluationTexts[static_cast<size_t>(a * p.m + c)];
        }
        return s;
    }
    Project p;
    DocumentState d;
};

TEST_F(Ops, AlternativesKeepCellsTextsAndWidth) {
    addAlternative(p, d, "new");  // texts typed in a dialog give way to "%g" of the values
    EXPECT_EQ(grid(), "alt0: 0=0 1=1 | alt1: 10=10 11=11 | alt2: 20=20 21=21 | new: 0=0 0=0");
    EXPECT_EQ(p.alternativeNameWidth, 64);
    addAlternative(p, d, "a_name_of_twelve");  // 16 characters
    EXPECT_EQ(p.alternativeNameWidth, 128);
    addAlternative(p, d, "short");
    renameAlternative(p, d, 0, std::string(30, 'r'));  // only adding widens the column
    EXPECT_EQ(p.alternativeNameWidth, 128);

    SetUp();
    deleteAlternative(p, d, 1);
    EXPECT_EQ(grid(), "alt0: 0=0,0 1=0,1 | alt2: 20=2,0 21=2,1");  // texts move with their cells
    deleteAlternative(p, d, 0);
    deleteAlternative(p, d, 0);
    EXPECT_EQ(p.n, 0);
    EXPECT_EQ(p.m, 2);
    expectConsistent();
}

TEST_F(Ops, CriteriaKeepCellsAndTexts) {
    p.columnFormats[0] = {50, 0, 1};
    addCriterion(p, d, Criterion{"comfort", 0, 0, 0, 2.0, {}, {}, {}});
    EXPECT_EQ(grid(), "alt0: 0=0,0 1=0,1 0=0 | alt1: 10=1,0 11=1,1 0=0 | alt2: 20=2,0 21=2,1 0=0");
    EXPECT_EQ(p.criteria[2].name, "comfort");
    EXPECT_EQ(p.columnFormats, std::vector<TSheetColumn>(3, TSheetColumn{100, 2, 0}));
    deleteCriterion(p, d, 2);
    deleteCriterion(p, d, 0);
    EXPECT_EQ(p.criteria[0].name, "quality");
    EXPECT_EQ(grid(), "alt0: 1=0,1 | alt1: 11=1,1 | alt2: 21=2,1");
    deleteCriterion(p, d, 0);  // the only criterion takes the alternatives with it
    expectConsistent();
    EXPECT_EQ(p.m + p.n, 0);
}

TEST_F(Ops, TypedEvaluationsAreReadLenientlyAndKeptWhenRetypedAsShown) {
    struct Case { const char* name; double before; const char* typed; double after; const char* shown; int modified; }
    cases[] = {
        {"a number", 10, "25", 25, "25", 1},
        {"not a number", 10, "x", 0, "0", 1},
        {"a dash keeps the value", 10, "-", 10, "-", 0},
        {"the same value written otherwise", 10, "10.0", 10, "10", 0},
        {"minus zero over zero", 0, "-0", -0.0, "-0", 1},
        // Moving over a cell types its "%g" text, rounded to six digits.
        {"seven digits moved over", 1234567, "1.23457e+06", 1234567, "1.23457e+06", 0},
        {"seven decimals moved over", 0.1234567, "0.123457", 0.1234567, "0.123457", 0},
        {"the rounded value typed", 1234567, "1234570", 1234570, "1.23457e+06", 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        p.evaluations[3] = k.before;
        d.modified = 0;
        d.resultsValid = 1;
        EXPECT_EQ(typeEvaluation(p, d, 1, 1, k.typed), k.shown);
        EXPECT_EQ(std::tuple(p.eval(1, 1), std::signbit(p.eval(1, 1)), p.evaluationTexts[3], d.modified, d.resultsValid),
                  std::tuple(k.after, std::signbit(k.after), k.shown, k.modified, 0));
    }
}

TEST(NameWidth, EightPixelsPerCharacterAtLeastEight) {
    Project p;
    p.alternatives = {{"seven77"}};
    EXPECT_EQ(computeNameWidth(p), 64);
    p.alternatives.push_back({"\xC5\xBC\xC3\xB3\xC5\x82w_\xC5\xBC\xC3\xB3\xC5\x82w"});  // 9 characters, 15 bytes
    EXPECT_EQ(computeNameWidth(p), 72);
    // 8 x 2^28 characters does not fit an int: the width stops at the largest one.
    const std::string huge(std::size_t{1} << 28, 'a');
    p.alternatives.push_back({huge});
    EXPECT_EQ(computeNameWidth(p), INT_MAX);
    DocumentState d;
    Project q;
    addAlternative(q, d, huge);
    EXPECT_EQ(q.alternativeNameWidth, INT_MAX);
}

}  // namespace
}  // namespace kvis
