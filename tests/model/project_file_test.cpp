#include "model/project_file.h"

#include <clocale>
#include <cstdio>

#include "model/project_ops.h"
#include "model_test_util.h"

namespace kvis::test {
namespace {

const char* const kSmall =
    "no_of_criteria 2\nno_of_alternatives 2\nthres_s 0.660\n"
    "criteria price 0 1 0 quality 1 0 0 \nweights 1.000 2.000 \n"
    "thres_p 0.000 10.000 0.000 1.000 \nthres_q 0.000 5.000 0.000 0.500 \nthres_v 0.000 50.000 0.000 0.000 \n"
    "alternatives\nalter_1 100.000 3.000 \nalter_2 120.000 4.000 \n";

// A project built through the editing operations, with values that need rounding.
Project sample() {
    Project p;
    DocumentState d;
    resetProject(p, d, Parameters{0.6004, 2, 0.1});
    addCriterion(p, d, Criterion{"price", 0, 1, 0, 1.25, {0.05, 1000.0}, {0.01, 500.0}, {0.2, 2000.0}});
    addCriterion(p, d, Criterion{"comfort", 1, 0, 1, 2.0 / 3, {0.0, 1.5}, {}, {}});
    addAlternative(p, d, "sedan");
    addAlternative(p, d, "estate_car");
    setEvaluation(p, d, 0, 0, 21499.9996, "x");
    setEvaluation(p, d, 0, 1, 7.0, "7");
    setEvaluation(p, d, 1, 0, -0.0004, "-0.0004");
    setEvaluation(p, d, 1, 1, 8.12345, "8.12345");
    return p;
}

// sample() as written: three decimals, "-0.000" kept.
const char* const kSampleText =
    "no_of_criteria 2\nno_of_alternatives 2\nthres_s 0.600\n"
    "criteria price 0 1 0 comfort 1 0 1 \nweights 1.250 0.667 \n"
    "thres_p 0.050 1000.000 0.000 1.500 \nthres_q 0.010 500.000 0.000 0.000 \nthres_v 0.200 2000.000 0.000 0.000 \n"
    "alternatives\nsedan 21500.000 7.000 \nestate_car -0.000 8.123 \n";

class ProjectFile : public InTempDir {
protected:
    Project loaded(const std::string& text, LoadResult* r = nullptr) {
        Project p;
        LoadResult res = loadProject(file("in.kvs", text), p);
        EXPECT_TRUE(res.ok) << res.message;
        if (r) *r = res;
        return p;
    }
};

// Values are rounded to three decimals on the way out; the advanced options are not in the file.
TEST_F(ProjectFile, WritesTheExactLayoutAndReadsItBack) {
    const std::string out = (dir / "out.kvs").string();
    ASSERT_TRUE(writeProject(out, loaded(kSmall)));
    EXPECT_EQ(slurp(out), kSmall);
    ASSERT_TRUE(writeProject(out, sample()));
    EXPECT_EQ(slurp(out), kSampleText);
    Project p;
    p.maxArcsToCut = 7;
    p.acceptableLoss = 0.35;
    LoadResult r = loadProject(out, p);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.testMode, 0);
    EXPECT_EQ(p.maxArcsToCut, 7);
    EXPECT_EQ(p.acceptableLoss, 0.35);
    EXPECT_EQ(p.criteria[1].weight, 0.667);
    EXPECT_EQ(p.evaluations, (std::vector<double>{21500.0, 7.0, -0.0, 8.123}));
    EXPECT_EQ(p.evaluationTexts, (std::vector<std::string>{"21500", "7", "-0", "8.123"}));
    EXPECT_EQ(p.alternativeNameWidth, 80);  // "estate_car"
    EXPECT_EQ(p.columnFormats, std::vector<TSheetColumn>(2, TSheetColumn{100, 2, 0}));
    ASSERT_TRUE(writeProject(out, p));  // a second save writes the same bytes
    EXPECT_EQ(slurp(out), kSampleText);
    std::string error;
    setWriteFailureForTesting(100);  // the disk fills: the file stays as it was
    EXPECT_FALSE(writeProject(out, loaded(kSmall), &error));
    EXPECT_EQ(error, "Cannot write '" + out + "': No space left on device");
    EXPECT_EQ(slurp(out), kSampleText);
    EXPECT_EQ(entries(), 2);  // no temporary left beside out.kvs and in.kvs
}

TEST_F(ProjectFile, NamesAreWrittenAsOneToken) {
    Project p = loaded(kSmall);
    p.criteria[0].name = " total cost\t";
    p.criteria[1].name = "";
    p.alternatives[0].name = "  ";
    p.alternatives[1].name = "a\r\nb";
    ASSERT_TRUE(writeProject((dir / "names.kvs").string(), p));
    EXPECT_EQ(p.criteria[0].name, " total cost\t");  // memory keeps the names
    std::string expected = kSmall;
    expected.replace(expected.find("price"), 5, "total_cost").replace(expected.find("quality"), 7, "_");
    expected.replace(expected.find("alter_1"), 7, "_").replace(expected.find("alter_2"), 7, "a__b");
    EXPECT_EQ(slurp(dir / "names.kvs"), expected);
}

TEST_F(ProjectFile, SectionsInAnyOrderWithExtraTextAndCrLfAndTestMode) {
    const std::string shuffled =
        "A project saved by hand.\r\n"
        "alternatives\r\nalter_1 100 3.0\r\nalter_2 1.2e2 4\r\n"
        "thres_v 0 50 0 0\r\nthres_q 0 5 0 0.5\r\nthres_p 0 10 0 1\r\n"
        "comment: weights: follow\r\n"  // "weights:" is not the keyword, a whole token must match
        "weights 1 2\r\ncriteria price 0 1 0 quality 1 0 0\r\n"
        "thres_s 0.66\r\nno_of_alternatives 2\r\nno_of_criteria 2\r\n-- end --\r\n";
    LoadResult r;
    EXPECT_EQ(dump(loaded(shuffled, &r)), dump(loaded(kSmall)));
    EXPECT_EQ(r.testMode, 0);
    loaded(std::string("test\n") + kSmall, &r);  // only a first token of exactly "test"
    EXPECT_EQ(r.testMode, 1);
    loaded(std::string("testing\n") + kSmall, &r);
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

// Numbers are read as numfmt reads them; here what the file adds: the flags,
// counts followed by other text, a row cut short.
TEST_F(ProjectFile, LenientTokens) {
    const std::string text =
        "no_of_criteria 2x no_of_alternatives +3 thres_s .5e criteria c1 1x 0 1 c2 abc 7 -1 weights 2.5kg 1 "
        "thres_p 1 2 3 4 thres_q 0 0 0 0 thres_v 0 0 0 0 alternatives " + std::string(200, 'n') + " 1 2 short 3 -.5 ";
    Project p = loaded(text);
    ASSERT_EQ(std::tuple(p.m, p.n, p.levelOfConcordance, p.criteria[0].weight), std::tuple(2, 3, 0.5, 2.5));
    // "1x": the rest of the token is dropped; no leading integer reads 0, any other non-zero 1.
    auto flags = [](const Criterion& c) { return format("%d %d %d", c.direction, c.useVeto, c.inverseMode); };
    EXPECT_EQ(flags(p.criteria[0]) + " / " + flags(p.criteria[1]), "1 0 1 / 0 1 1");
    EXPECT_EQ(p.alternatives[0].name, std::string(200, 'n'));
    EXPECT_EQ(p.alternatives[2].name, "");
    EXPECT_EQ(p.evaluations, (std::vector<double>{1, 2, 3, -0.5, 0, 0}));
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
    auto with = [](const std::string& from, const std::string& to) {
        std::string t = std::string("\n") + kSmall;
        return t.replace(t.find(from), from.size(), to);
    };
    auto without = [&](const std::string& keyword) { return with("\n" + keyword + " ", "\nxx "); };
    const std::string first = "'no_of_criteria'\n or it is not a project file";
    const std::pair<std::string, std::string> cases[] = {
        {"", first}, {without("no_of_criteria"), first}, {with("no_of_criteria 2", "no_of_criteria 0"), first},
        {with("no_of_criteria 2", "no_of_criteria 100001"), first},
        {with("no_of_criteria 2\n", "no_of_criteria"), first},
        {without("no_of_alternatives"), "'no_of_alternatives'"},
        {with("no_of_alternatives 2", "no_of_alternatives -2"), "'no_of_alternatives'"},
        {with("no_of_alternatives 2", "no_of_alternatives 100001"), "'no_of_alternatives'"},
        // Both counts within bounds, but their product would not fit in memory.
        {with("no_of_criteria 2\nno_of_alternatives 2", "no_of_criteria 100000\nno_of_alternatives 101"),
         "'no_of_alternatives'"},
        {without("thres_s"), "'thres_s'"}, {with("thres_s 0.660", "thres_s 0"), "'thres_s'"},
        {with("thres_s 0.660", "thres_s -0.5"), "'thres_s'"},
        // Above 0, but saved as "0.000" it could not be opened again.
        {with("thres_s 0.660", "thres_s 0.0004999"), "'thres_s'"},
        {without("criteria"), "'criteria'"}, {without("weights"), "'weights'"}, {without("thres_p"), "'thres_p'"},
        {without("thres_q"), "'thres_q'"}, {without("thres_v"), "'thres_v'"},
        {with("alternatives\n", "alternative\n"), "'alternatives'"},
    };
    Project current = sample();
    current.maxArcsToCut = 5;
    const std::string before = dump(current);
    for (const auto& [text, message] : cases) {
        LoadResult r = loadProject(file("bad.kvs", text), current);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_FALSE(r.cannotOpen);
        EXPECT_EQ(r.message, message) << text;
        EXPECT_EQ(dump(current), before);
    }
    LoadResult r = loadProject(file("w.kvs", without("weights")), current);
    EXPECT_EQ(loadFailureText(r), "Missing section: 'weights'.\nDo you want to run editor ?");
    EXPECT_EQ(loadFailureCaption("/tmp/a.kvs"), "Error opening project '/tmp/a.kvs'");
    for (const fs::path& path : {dir / "absent.kvs", dir}) {  // cannot be opened
        r = loadProject(path.string(), current);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.cannotOpen);
        EXPECT_EQ(r.message, "Cannot open file '" + path.string() + "'");
        EXPECT_EQ(loadFailureText(r), r.message);
        EXPECT_EQ(dump(current), before);
    }
}

// The smallest level that loads is the one that saves as "0.001".
TEST_F(ProjectFile, SmallestLevelSavesAsOneThousandth) {
    std::string text = kSmall;
    text.replace(text.find("0.660"), 5, "0.0005");
    const std::string out = (dir / "out.kvs").string();
    ASSERT_TRUE(writeProject(out, loaded(text)));
    EXPECT_EQ(slurp(out).substr(0, 52), "no_of_criteria 2\nno_of_alternatives 2\nthres_s 0.001\n");
}

// Whatever the file is, reading it is bounded: more than 1 GiB, or a token of
// more than 1 MiB, is not a project file.
TEST_F(ProjectFile, OversizedInputsAreNotProjectFiles) {
    const std::string first = "'no_of_criteria'\n or it is not a project file";
    const std::string sparse = file("sparse.kvs", "");
    fs::resize_file(sparse, (std::uintmax_t{1} << 30) + 1);  // no disk used, no byte read
    const std::string longName(std::size_t{1} << 20, 'n');
    const std::pair<std::string, std::string> cases[] = {
        {sparse, first},
        {"/dev/zero", first},  // never ends, and has no white space
        {file("token.kvs", std::string(kSmall) + longName + "x"), first},
    };
    Project current = sample();
    const std::string before = dump(current);
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        LoadResult r = loadProject(path, current);
        EXPECT_EQ(std::tuple(r.ok, r.cannotOpen, r.message), std::tuple(false, false, message));
        EXPECT_EQ(dump(current), before);
    }
    std::string text = kSmall;  // a name of exactly 1 MiB is a token like any other
    text.replace(text.find("alter_1"), 7, longName);
    EXPECT_EQ(loaded(text).alternatives[0].name, longName);
}

// A comma-decimal process locale changes no written byte, no read value and no formatted number.
TEST_F(ProjectFile, CommaLocaleChangesNoByte) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const std::string written = writeProject((dir / "de.kvs").string(), sample()) ? slurp(dir / "de.kvs") : "";
    Project back;
    const bool read = loadProject(file("c.kvs", kSampleText), back).ok;
    const std::string formatted = format("%.3lf %g %5.2f %e %d", 1.5, 0.25, -2.0, 1e6, -3);
    const double values[] = {readDouble("1.5"), readDouble("1,5"), static_cast<double>(readInt("1.234"))};
    std::setlocale(LC_ALL, "C");
    EXPECT_STREQ(probe, "1,5");  // the locale really uses a decimal comma
    EXPECT_EQ(written, kSampleText);
    ASSERT_TRUE(read);
    EXPECT_EQ(dump(back), dump(loaded(kSampleText)));
    EXPECT_EQ(formatted, "1.500 0.25 -2.00 1.000000e+06 -3");
    EXPECT_EQ(values[0], 1.5);
    EXPECT_EQ(values[1], 1.0);
    EXPECT_EQ(values[2], 1.0);
}

// The sample projects are kept in exactly the written form.
TEST_F(ProjectFile, ExamplesLoadAndWriteBackUnchanged) {
    for (const char* name : {"car.kvs", "plant_site.kvs", "supplier.kvs"}) {
        const fs::path path = fs::path(KVIS_SOURCE_DIR) / "examples" / name;
        Project p;
        LoadResult r = loadProject(path.string(), p);
        ASSERT_TRUE(r.ok) << name << ": " << r.message;
        ASSERT_TRUE(writeProject((dir / name).string(), p));
        EXPECT_EQ(slurp(dir / name), slurp(path)) << name;
    }
}

}  // namespace
}  // namespace kvis::test
