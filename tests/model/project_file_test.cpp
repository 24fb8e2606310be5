#include "model/project_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/atomic_file.h"
#include "model/project_ops.h"

namespace kvis {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary);
    out << text;
}

void expectSameProject(const Project& a, const Project& b) {
    ASSERT_EQ(a.m, b.m);
    ASSERT_EQ(a.n, b.n);
    ASSERT_EQ(a.criteria.size(), b.criteria.size());
    for (size_t j = 0; j < a.criteria.size(); ++j) {
        const Criterion &x = a.criteria[j], &y = b.criteria[j];
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.direction, y.direction);
        EXPECT_EQ(x.useVeto, y.useVeto);
        EXPECT_EQ(x.inverseMode, y.inverseMode);
        EXPECT_EQ(x.weight, y.weight);
        for (auto line : {&Criterion::preference, &Criterion::indifference, &Criterion::veto}) {
            EXPECT_EQ((x.*line).alpha, (y.*line).alpha) << x.name;
            EXPECT_EQ((x.*line).beta, (y.*line).beta) << x.name;
        }
    }
    ASSERT_EQ(a.alternatives.size(), b.alternatives.size());
    for (size_t i = 0; i < a.alternatives.size(); ++i) EXPECT_EQ(a.alternatives[i].name, b.alternatives[i].name);
    EXPECT_EQ(a.evaluations, b.evaluations);
    EXPECT_EQ(a.evaluationTexts, b.evaluationTexts);
    EXPECT_EQ(a.levelOfConcordance, b.levelOfConcordance);
    EXPECT_EQ(a.maxArcsToCut, b.maxArcsToCut);
    EXPECT_EQ(a.acceptableLoss, b.acceptableLoss);
    EXPECT_EQ(a.alternativeNameWidth, b.alternativeNameWidth);
    EXPECT_EQ(a.columnFormats, b.columnFormats);
}

const char* const kSmall =
    "no_of_criteria 2\n"
    "no_of_alternatives 2\n"
    "thres_s 0.660\n"
    "criteria price 0 1 0 quality 1 0 0 \n"
    "weights 1.000 2.000 \n"
    "thres_p 0.000 10.000 0.000 1.000 \n"
    "thres_q 0.000 5.000 0.000 0.500 \n"
    "thres_v 0.000 50.000 0.000 0.000 \n"
    "alternatives\n"
    "alter_1 100.000 3.000 \n"
    "alter_2 120.000 4.000 \n";

class ProjectFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kvis_pf_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        setWriteFailureForTesting(-1);
        fs::remove_all(dir);
    }
    std::string file(const std::string& name, const std::string& text) {
        const fs::path p = dir / name;
        spit(p, text);
        return p.string();
    }
    Project loaded(const std::string& text, LoadResult* r = nullptr) {
        Project p;
        LoadResult res = loadProject(file("in.kvs", text), p);
        EXPECT_TRUE(res.ok) << res.message;
        if (r) *r = res;
        return p;
    }
    fs::path dir;
};

// A project built through the editing operations, with values that need rounding.
Project sample() {
    Project p;
    DocumentState d;
    resetProject(p, d, Parameters{0.6004, 2, 0.1});
    Criterion c;
    c.name = "price";
    c.weight = 1.25;
    c.preference = {0.05, 1000.0};
    c.indifference = {0.01, 500.0};
    c.veto = {0.2, 2000.0};
    c.useVeto = 1;
    addCriterion(p, d, c);
    c = Criterion{};
    c.name = "comfort";
    c.direction = 1;
    c.inverseMode = 1;
    c.weight = 2.0 / 3;
    c.preference = {0.0, 1.5};
    addCriterion(p, d, c);
    addAlternative(p, d, "sedan");
    addAlternative(p, d, "estate_car");
    setEvaluation(p, d, 0, 0, 21499.9996, "x");
    setEvaluation(p, d, 0, 1, 7.0, "7");
    setEvaluation(p, d, 1, 0, -0.0004, "-0.0004");
    setEvaluation(p, d, 1, 1, 8.12345, "8.12345");
    return p;
}

TEST_F(ProjectFile, WritesTheExactLayout) {
    Project p = loaded(kSmall);
    const fs::path out = dir / "out.kvs";
    ASSERT_TRUE(writeProject(out.string(), p));
    EXPECT_EQ(slurp(out), kSmall);

    ASSERT_TRUE(writeProject(out.string(), sample()));
    EXPECT_EQ(slurp(out),
              "no_of_criteria 2\n"
              "no_of_alternatives 2\n"
              "thres_s 0.600\n"
              "criteria price 0 1 0 comfort 1 0 1 \n"
              "weights 1.250 0.667 \n"
              "thres_p 0.050 1000.000 0.000 1.500 \n"
              "thres_q 0.010 500.000 0.000 0.000 \n"
              "thres_v 0.200 2000.000 0.000 0.000 \n"
              "alternatives\n"
              "sedan 21500.000 7.000 \n"
              "estate_car -0.000 8.123 \n");
}

TEST_F(ProjectFile, RoundTripRoundsToThreeDecimalsAndKeepsOptions) {
    const fs::path out = dir / "rt.kvs";
    ASSERT_TRUE(writeProject(out.string(), sample()));
    Project p;
    p.maxArcsToCut = 7;
    p.acceptableLoss = 0.35;
    LoadResult r = loadProject(out.string(), p);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.testMode, 0);
    EXPECT_EQ(p.maxArcsToCut, 7);
    EXPECT_EQ(p.acceptableLoss, 0.35);
    EXPECT_EQ(p.levelOfConcordance, 0.6);
    EXPECT_EQ(p.criteria[1].weight, 0.667);
    EXPECT_EQ(p.criteria[1].inverseMode, 1);
    EXPECT_EQ(p.criteria[0].veto.alpha, 0.2);
    EXPECT_EQ(p.evaluations, (std::vector<double>{21500.0, 7.0, -0.0, 8.123}));
    EXPECT_EQ(p.evaluationTexts, (std::vector<std::string>{"21500", "7", "-0", "8.123"}));
    EXPECT_EQ(p.alternativeNameWidth, 80);  // "estate_car"
    EXPECT_EQ(p.columnFormats, std::vector<TSheetColumn>(2, TSheetColumn{100, 2, 0}));

    // A second save writes the same bytes.
    const fs::path again = dir / "again.kvs";
    ASSERT_TRUE(writeProject(again.string(), p));
    EXPECT_EQ(slurp(again), slurp(out));
}

TEST_F(ProjectFile, NamesAreWrittenAsOneToken) {
    Project p = loaded(kSmall);
    p.criteria[0].name = " total cost\t";
    p.criteria[1].name = "";
    p.alternatives[0].name = "  ";
    p.alternatives[1].name = "a\r\nb";
    const fs::path out = dir / "names.kvs";
    ASSERT_TRUE(writeProject(out.string(), p));
    EXPECT_EQ(p.criteria[0].name, " total cost\t");  // memory keeps the names
    const std::string text = slurp(out);
    EXPECT_NE(text.find("criteria total_cost 0 1 0 _ 1 0 0 \n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n_ 100.000 3.000 \na__b 120.000 4.000 \n"), std::string::npos) << text;
    Project back;
    ASSERT_TRUE(loadProject(out.string(), back).ok);
    EXPECT_EQ(back.criteria[1].name, "_");
    EXPECT_EQ(back.criteria[1].weight, 2.0);
    EXPECT_EQ(back.alternatives[1].name, "a__b");
}

TEST_F(ProjectFile, SectionsInAnyOrderWithExtraTextAndCrLf) {
    const Project expected = loaded(kSmall);
    const std::string shuffled =
        "A project saved by hand.\r\n"
        "alternatives\r\nalter_1 100 3.0\r\nalter_2 1.2e2 4\r\n"
        "thres_v 0 50 0 0\r\nthres_q 0 5 0 0.5\r\nthres_p 0 10 0 1\r\n"
        "comment: weights: follow\r\n"  // "weights:" is not the keyword, a whole token must match
        "weights 1 2\r\ncriteria price 0 1 0 quality 1 0 0\r\n"
        "thres_s 0.66\r\nno_of_alternatives 2\r\nno_of_criteria 2\r\n-- end --\r\n";
    LoadResult r;
    expectSameProject(loaded(shuffled, &r), expected);
    EXPECT_EQ(r.testMode, 0);
}

TEST_F(ProjectFile, KeywordNamedCriterionCapturesTheLookup) {
    std::string text = kSmall;
    text.replace(text.find("quality"), 7, "weights");
    Project p = loaded(text);
    // The lookup of "weights" stops at the criterion's name: its flags become the weights.
    EXPECT_EQ(p.criteria[1].name, "weights");
    EXPECT_EQ(p.criteria[0].weight, 1.0);
    EXPECT_EQ(p.criteria[1].weight, 0.0);
}

TEST_F(ProjectFile, TestModeFromTheFirstToken) {
    LoadResult r;
    loaded(std::string("test\n") + kSmall, &r);
    EXPECT_EQ(r.testMode, 1);
    loaded(std::string("testing\n") + kSmall, &r);
    EXPECT_EQ(r.testMode, 0);
}

TEST_F(ProjectFile, LenientTokens) {
    const std::string text =
        "no_of_criteria 2x no_of_alternatives +3 thres_s .5e criteria "
        "c1 1x 0 1 c2 abc 7 -1 "
        "weights 2.5kg 1e1 thres_p 1 2 3 4 thres_q 0 0 0 0 thres_v 0 0 0 0 "
        "alternatives " + std::string(200, 'n') + " 1 2 short 0x10 -.5 ";  // the third row is cut short
    Project p = loaded(text);
    ASSERT_EQ(p.m, 2);
    ASSERT_EQ(p.n, 3);
    EXPECT_EQ(p.levelOfConcordance, 0.5);
    EXPECT_EQ(p.criteria[0].direction, 1);  // "1x": the rest of the token is dropped
    EXPECT_EQ(p.criteria[0].useVeto, 0);
    EXPECT_EQ(p.criteria[0].inverseMode, 1);
    EXPECT_EQ(p.criteria[1].direction, 0);
    EXPECT_EQ(p.criteria[1].useVeto, 1);
    EXPECT_EQ(p.criteria[1].inverseMode, 1);
    EXPECT_EQ(p.criteria[0].weight, 2.5);
    EXPECT_EQ(p.criteria[1].weight, 10.0);
    EXPECT_EQ(p.criteria[1].preference.beta, 4.0);
    EXPECT_EQ(p.alternatives[0].name, std::string(200, 'n'));
    EXPECT_EQ(p.alternatives[2].name, "");
    EXPECT_EQ(p.evaluations, (std::vector<double>{1, 2, 0, -0.5, 0, 0}));
    EXPECT_EQ(p.alternativeNameWidth, 1600);
}

TEST_F(ProjectFile, LargestCountLoads) {
    Project p = loaded("no_of_criteria 100000 no_of_alternatives 100 thres_s 1 criteria weights thres_p "
                       "thres_q thres_v alternatives");
    EXPECT_EQ(p.m, 100000);
    EXPECT_EQ(p.n, 100);
    EXPECT_EQ(p.evaluations.size(), 10000000u);
    EXPECT_EQ(p.criteria[0].name, "weights");
}

TEST_F(ProjectFile, EveryFailureLeavesTheProjectUnchanged) {
    auto without = [](std::string keyword) {
        std::string t = std::string("\n") + kSmall;
        t.replace(t.find("\n" + keyword + " ") + 1, keyword.size(), "xx");
        return t;
    };
    auto with = [](const std::string& from, const std::string& to) {
        std::string t = kSmall;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "'no_of_criteria'\n or it is not a project file"},
        {without("no_of_criteria"), "'no_of_criteria'\n or it is not a project file"},
        {with("no_of_criteria 2", "no_of_criteria 0"), "'no_of_criteria'\n or it is not a project file"},
        {with("no_of_criteria 2", "no_of_criteria x2"), "'no_of_criteria'\n or it is not a project file"},
        {with("no_of_criteria 2", "no_of_criteria 100001"), "'no_of_criteria'\n or it is not a project file"},
        {with("no_of_criteria 2\n", "no_of_criteria"), "'no_of_criteria'\n or it is not a project file"},
        {without("no_of_alternatives"), "'no_of_alternatives'"},
        {with("no_of_alternatives 2", "no_of_alternatives -2"), "'no_of_alternatives'"},
        {with("no_of_alternatives 2", "no_of_alternatives 99999999999"), "'no_of_alternatives'"},
        {with("no_of_alternatives 2", "no_of_alternatives 100001"), "'no_of_alternatives'"},
        // Both counts within bounds, but their product would not fit in memory.
        {with("no_of_criteria 2\nno_of_alternatives 2", "no_of_criteria 100000\nno_of_alternatives 101"),
         "'no_of_alternatives'"},
        {without("thres_s"), "'thres_s'"},
        {with("thres_s 0.660", "thres_s 0"), "'thres_s'"},
        {with("thres_s 0.660", "thres_s -0.5"), "'thres_s'"},
        {with("thres_s 0.660", "thres_s s"), "'thres_s'"},
        {without("criteria"), "'criteria'"},
        {without("weights"), "'weights'"},
        {without("thres_p"), "'thres_p'"},
        {without("thres_q"), "'thres_q'"},
        {without("thres_v"), "'thres_v'"},
        {with("alternatives\n", "alternative\n"), "'alternatives'"},
    };
    Project current = sample();
    current.maxArcsToCut = 5;
    const Project before = current;
    for (const auto& c : cases) {
        LoadResult r = loadProject(file("bad.kvs", c.text), current);
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_FALSE(r.cannotOpen);
        EXPECT_EQ(r.message, c.message) << c.text;
        expectSameProject(current, before);
    }
    LoadResult r = loadProject(file("w.kvs", without("weights")), current);
    EXPECT_EQ(loadFailureText(r), "Missing section: 'weights'.\nDo you want to run editor ?");
    EXPECT_EQ(loadFailureCaption("/tmp/a.kvs"), "Error opening project '/tmp/a.kvs'");
}

TEST_F(ProjectFile, UnreadableFileChangesNothing) {
    Project current = sample();
    const Project before = current;
    for (const fs::path& path : {dir / "absent.kvs", dir}) {
        LoadResult r = loadProject(path.string(), current);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.cannotOpen);
        EXPECT_EQ(r.message, "Cannot open file '" + path.string() + "'");
        EXPECT_EQ(loadFailureText(r), r.message);
        expectSameProject(current, before);
    }
}

TEST_F(ProjectFile, FailedWriteKeepsTheExistingFile) {
    const fs::path target = dir / "keep.kvs";
    spit(target, kSmall);
    std::string error;
    setWriteFailureForTesting(100);
    EXPECT_FALSE(writeProject(target.string(), sample(), &error));
    setWriteFailureForTesting(-1);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(slurp(target), kSmall);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);

    EXPECT_FALSE(writeProject((dir / "no_such_folder" / "p.kvs").string(), sample()));
    EXPECT_FALSE(writeProject(dir.string(), sample()));
    EXPECT_TRUE(fs::is_directory(dir));
}

TEST_F(ProjectFile, CommaLocaleChangesNoByte) {
    const fs::path inC = dir / "c.kvs";
    ASSERT_TRUE(writeProject(inC.string(), sample()));
    Project expected;
    ASSERT_TRUE(loadProject(inC.string(), expected).ok);

    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    const fs::path inDe = dir / "de.kvs";
    const bool written = writeProject(inDe.string(), sample());
    Project back;
    const bool read = loadProject(inC.string(), back).ok;
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(written);
    ASSERT_TRUE(read);
    EXPECT_EQ(slurp(inDe), slurp(inC));
    expectSameProject(back, expected);
}

}  // namespace
}  // namespace kvis

namespace kvis {
namespace {

// The sample projects are kept in exactly the written form.
TEST(Examples, LoadAndWriteBackUnchanged) {
    for (const char* name : {"car.kvs", "plant_site.kvs", "supplier.kvs"}) {
        const fs::path path = fs::path(KVIS_SOURCE_DIR) / "examples" / name;
        Project p;
        LoadResult r = loadProject(path.string(), p);
        ASSERT_TRUE(r.ok) << name << ": " << r.message;
        EXPECT_GE(p.m, 5) << name;
        EXPECT_GE(p.n, 5) << name;
        const fs::path out = fs::temp_directory_path() / ("kvis_example_" + std::to_string(::getpid()) + ".kvs");
        ASSERT_TRUE(writeProject(out.string(), p));
        EXPECT_EQ(slurp(out), slurp(path)) << name;
        fs::remove(out);
    }
}

}  // namespace
}  // namespace kvis
