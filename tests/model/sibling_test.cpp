#include "model/sibling.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace kvis;

namespace {

class SiblingTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kvis_sibling_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "project.txt").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void put(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string get() const {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir;
    std::string file;
};

Project sample() {
    Project p;
    p.m = 2;
    p.n = 2;
    Criterion price;
    price.name = "price";
    price.direction = 0;
    price.useVeto = 1;
    price.inverseMode = 1;
    price.weight = 0.5;
    price.indifference = {0.05, 2};
    price.preference = {0.1, 10.125};
    price.veto = {0, 100};
    Criterion ab;
    ab.name = "ab";
    ab.direction = 1;
    ab.weight = 2;
    ab.indifference = {0, 0};
    ab.preference = {0, 1.25};
    ab.veto = {7, 7};  // not used: written as "- -"
    p.criteria = {price, ab};
    p.alternatives = {{"alternative_1"}, {"b"}};
    p.evaluations = {100, -3.5, 0.1234567, 0};
    return p;
}

TEST(SiblingNumbers, ExportNumberRule) {
    const std::pair<double, const char*> cases[] = {
        {0.5, "0.5"}, {2, "2"}, {100, "100"}, {0, "0"}, {1.25, "1.25"}, {-0.15, "-0.15"},
        {0.1234567, "0.123457"}, {-0.0000001, "-0"}, {1e7, "10000000"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(exportNumber(v), text) << v;
}

TEST_F(SiblingTest, ExportWritesTheExactFormat) {
    ASSERT_TRUE(exportProject(file, sample()));
    EXPECT_EQ(get(),
              "\"Kavorin Is\"\n"
              "\"Project exported from Extended Kavorin Is\"\n"
              "3\n-0.15 0.3\n31\n1\n2\n2\n\n\n"
              "\"price\"\n\"pric\"\n0.5\n0\n0\n0.05 2\n0.1 10.125\n0 100\n\n"
              "\"ab\"\n\"  ab\"\n2\n1\n1\n0 0\n0 1.25\n- -\n\n"
              "\n"
              "\"alternative_1\"\n\"alter\"\n100\n-3.5\n\n"
              "\"b\"\n\"    b\"\n0.123457\n0\n\n");
}

TEST_F(SiblingTest, RoundTripTakesTheShortCodesAsNames) {
    ASSERT_TRUE(exportProject(file, sample()));
    Project p;
    p.levelOfConcordance = 0.77;
    ImportResult counts = importProject(file, true, p);
    ASSERT_TRUE(counts.ok);
    EXPECT_EQ(counts.m, 2);
    EXPECT_EQ(counts.n, 2);
    EXPECT_EQ(p.m, 0);  // the counting pass touches nothing

    ASSERT_TRUE(importProject(file, false, p).ok);
    ASSERT_EQ(p.m, 2);
    ASSERT_EQ(p.n, 2);
    EXPECT_EQ(p.levelOfConcordance, 0.77);
    const Criterion& c0 = p.criteria[0];
    EXPECT_EQ(c0.name, "pric");
    EXPECT_EQ(c0.weight, 0.5);
    EXPECT_EQ(c0.direction, 0);
    EXPECT_EQ(c0.inverseMode, 1);
    EXPECT_EQ(c0.useVeto, 1);
    EXPECT_EQ(c0.indifference.alpha, 0.05);
    EXPECT_EQ(c0.preference.beta, 10.125);
    EXPECT_EQ(c0.veto.beta, 100);
    const Criterion& c1 = p.criteria[1];
    EXPECT_EQ(c1.name, "  ab");
    EXPECT_EQ(c1.weight, 2);
    EXPECT_EQ(c1.direction, 1);
    EXPECT_EQ(c1.inverseMode, 0);
    EXPECT_EQ(c1.useVeto, 0);
    EXPECT_EQ(c1.veto.alpha, 0);
    EXPECT_EQ(c1.veto.beta, 0);
    EXPECT_EQ(p.alternatives[0].name, "alter");
    EXPECT_EQ(p.alternatives[1].name, "    b");
    EXPECT_EQ(p.evaluations, (std::vector<double>{100, -3.5, 0.123457, 0}));
    EXPECT_EQ(p.evaluationTexts, (std::vector<std::string>{"100", "-3.5", "0.123457", "0"}));
    EXPECT_EQ(p.columnFormats, (std::vector<TSheetColumn>(2, TSheetColumn{100, 2, 0})));
    EXPECT_EQ(p.alternativeNameWidth, 64);
}

TEST_F(SiblingTest, VersionTwoCrLfAndLenientTokens) {
    // Version 2 has no weights; CR LF lines; flags other than 0/1 are made 0/1;
    // a veto alpha with a minus sign means no veto.
    put("\"x\"\r\n\"y\"\r\n2\r\nskipped line\r\n1 1\r\n\r\nfull name\r\n\"c1\"\r\n5 2\r\n0 1 0 2 -1 3\r\n"
        "\r\nfull\r\n\"a_long_alternative_name\"\r\n 4.5e1xyz \r\n");
    Project p;
    ImportResult r = importProject(file, false, p);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(p.criteria[0].weight, 1);
    EXPECT_EQ(p.criteria[0].direction, 1);
    EXPECT_EQ(p.criteria[0].inverseMode, 1);  // 1 - 2 = -1, made 1
    EXPECT_EQ(p.criteria[0].useVeto, 0);
    EXPECT_EQ(p.criteria[0].preference.beta, 2);
    EXPECT_EQ(p.evaluations[0], 45);
    EXPECT_EQ(p.alternativeNameWidth, 8 * 23);
}

TEST_F(SiblingTest, MalformedFilesAreRejectedWithTheOneMessage) {
    const std::string good = "\"a\"\n\"b\"\n1\nx\n1 1\nfull\n\"c\"\n1 1 1 0 0 1 1 - -\nfull\n\"alt\"\n3\n";
    put(good);
    Project p;
    ASSERT_TRUE(importProject(file, false, p).ok);
    const std::string bad[] = {
        "\"a\n\"b\"\n1\n",                                  // first line lacks its closing quote
        "\"a\"\n\"\n1\n",                                   // a lone quote
        "\"a\"\n\"b\"\n4\nx\n1 1\n",                        // version 4
        "\"a\"\n\"b\"\n0\nx\n1 1\n",                        // version 0
        "\"a\"\n\"b\"\n",                                   // no version
        "\"a\"\n\"b\"\n1\nx\n-1 1\n",                       // negative count
        "\"a\"\n\"b\"\n1\nx\n1 100001\n",                   // absurd count
        "\"a\"\n\"b\"\n1\nx\n1 1\nfull\nc\n",               // code not quoted
        "\"a\"\n\"b\"\n1\nx\n1 1\nfull\n\"c\"\n1 1 1 0 0 1 1 -",  // veto token missing at the end
        "\"a\"\n\"b\"\n1\nx\n1 1\nfull\n\"c\"\n1 1 1 0 0 1 1 - -\nfull\n\"alt\"\n",  // evaluation missing
    };
    for (const std::string& text : bad) {
        put(text);
        Project q = p;
        ImportResult r = importProject(file, false, q);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_EQ(r.message, "It is not an Kavorin III/IV project file");
        EXPECT_EQ(q.alternatives[0].name, "alt");  // unchanged
        EXPECT_EQ(q.m, 1);
    }
    EXPECT_FALSE(importProject((dir / "none.txt").string(), true, p).ok);
}

TEST_F(SiblingTest, ExportFailureNamesThePath) {
    std::string error;
    const std::string path = (dir / "no" / "such.txt").string();
    EXPECT_FALSE(exportProject(path, sample(), &error));
    EXPECT_EQ(error, "Cannot create file '" + path + "'");
}

}  // namespace
