#include "model/sibling.h"

#include "model_test_util.h"

namespace kvis::test {
namespace {

class Sibling : public InTempDir {
protected:
    std::string path() const { return (dir / "project.txt").string(); }
};

Project sample() {
    Project p;
    p.m = 2;
    p.n = 2;
    p.criteria = {Criterion{"price", 0, 1, 1, 0.5, {0.1, 10.125}, {0.05, 2}, {0, 100}},
                  Criterion{"ab", 1, 0, 0, 2, {0, 1.25}, {0, 0}, {7, 7}}};  // veto not used: written as "- -"
    p.alternatives = {{"alternative_1"}, {"b"}};
    p.evaluations = {100, -3.5, 0.1234567, 0};
    return p;
}

// The export of sample() with the given criterion and alternative names.
std::string exported(const std::string& c0, const std::string& c1, const std::string& a0, const std::string& a1) {
    auto q = [](const std::string& s) { return "\"" + s + "\"\n"; };
    return "\"Kavorin Is\"\n\"Project exported from Extended Kavorin Is\"\n3\n-0.15 0.3\n31\n1\n2\n2\n\n\n" + q(c0) +
           "\"pric\"\n0.5\n0\n0\n0.05 2\n0.1 10.125\n0 100\n\n" + q(c1) + "\"  ab\"\n2\n1\n1\n0 0\n0 1.25\n- -\n\n\n" +
           q(a0) + "\"alter\"\n100\n-3.5\n\n" + q(a1) + "\"    b\"\n0.123457\n0\n\n";
}

// The exported bytes below show the common cases.
TEST(SiblingNumbers, ExportNumberRule) {
    for (const auto& [v, text] : {std::pair{-0.0000001, "-0"}, {1e7, "10000000"}, {0.1234567, "0.123457"}})
        EXPECT_EQ(exportNumber(v), text) << v;
}

TEST_F(Sibling, ExportThenImportTakesTheShortCodesAsNames) {
    ASSERT_TRUE(exportProject(path(), sample()));
    EXPECT_EQ(slurp(path()), exported("price", "ab", "alternative_1", "b"));
    Project p;
    p.levelOfConcordance = 0.77;
    ImportResult counts = importProject(path(), true, p);
    ASSERT_TRUE(counts.ok);
    EXPECT_EQ(std::pair(counts.m, counts.n), std::pair(2, 2));
    EXPECT_EQ(p.m, 0);  // the counting pass touches nothing

    ASSERT_TRUE(importProject(path(), false, p).ok);
    EXPECT_EQ(p.levelOfConcordance, 0.77);
    EXPECT_EQ(p.criteria[1].veto.alpha + p.criteria[1].veto.beta, 0);
    EXPECT_EQ(p.evaluationTexts, (std::vector<std::string>{"100", "-3.5", "0.123457", "0"}));
    EXPECT_EQ(p.columnFormats, (std::vector<TSheetColumn>(2, TSheetColumn{100, 2, 0})));
    EXPECT_EQ(p.alternativeNameWidth, 64);
    // Exported again, every value comes back; the names are the padded codes, blanks kept.
    ASSERT_TRUE(exportProject(path(), p));
    EXPECT_EQ(slurp(path()), exported("pric", "  ab", "alter", "    b"));
}

TEST_F(Sibling, VersionTwoCrLfAndLenientTokens) {
    // Version 2 has no weights; CR LF lines; flags other than 0/1 are made 0/1;
    // a veto alpha with a minus sign means no veto.
    spit(path(), "\"x\"\r\n\"y\"\r\n2\r\nskipped line\r\n1 1\r\n\r\nfull name\r\n\"c1\"\r\n5 2\r\n0 1 0 2 -1 3\r\n"
                 "\r\nfull\r\n\"a_long_alternative_name_\xC5\xBC\xC3\xB3\xC5\x82w\"\r\n 4.5e1xyz \r\n");
    Project p;
    ImportResult r = importProject(path(), false, p);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(p.criteria[0].weight, 1);
    EXPECT_EQ(p.criteria[0].direction, 1);
    EXPECT_EQ(p.criteria[0].inverseMode, 1);  // 1 - 2 = -1, made 1
    EXPECT_EQ(p.criteria[0].useVeto, 0);
    EXPECT_EQ(p.criteria[0].preference.beta, 2);
    EXPECT_EQ(p.evaluations[0], 45);
    EXPECT_EQ(p.alternativeNameWidth, 8 * 28);  // characters, not the 31 bytes
}

TEST_F(Sibling, MalformedFilesAreRejectedWithTheOneMessage) {
    spit(path(), "\"a\"\n\"b\"\n1\nx\n1 1\nfull\n\"c\"\n1 1 1 0 0 1 1 - -\nfull\n\"alt\"\n3\n");
    Project p;
    ASSERT_TRUE(importProject(path(), false, p).ok);
    const std::string before = dump(p);
    const std::string bad[] = {
        "\"a\n\"b\"\n1\n",                                  // first line lacks its closing quote
        "\"a\"\n\"\n1\n",                                   // a lone quote
        "\"a\"\n\"b\"\n4\nx\n1 1\n",                        // version 4
        "\"a\"\n\"b\"\n0\nx\n1 1\n",                        // version 0
        "\"a\"\n\"b\"\n",                                   // no version
        "\"a\"\n\"b\"\n1\nx\n-1 1\n",                       // negative count
        "\"a\"\n\"b\"\n1\nx\n1 100001\n",                   // absurd count
        "\"a\"\n\"b\"\n1\nx\n0 1\n",                        // no criterion: a project file needs one
        "\"a\"\n\"b\"\n1\nx\n1 0\nfull\n\"c\"\n1 1 1 0 0 1 1 - -\n",  // no alternative
        "\"a\"\n\"b\"\n1\nx\n4000 2501\n",                 // more evaluations than a project file holds
        "\"a\"\n\"b\"\n1\nx\n1 1\nfull\nc\n",               // code not quoted
        "\"a\"\n\"b\"\n1\nx\n1 1\nfull\n\"c\"\n1 1 1 0 0 1 1 -",  // veto token missing at the end
        "\"a\"\n\"b\"\n1\nx\n1 1\nfull\n\"c\"\n1 1 1 0 0 1 1 - -\nfull\n\"alt\"\n",  // evaluation missing
    };
    for (const std::string& text : bad) {
        spit(path(), text);
        ImportResult r = importProject(path(), false, p);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_EQ(r.message, "It is not an Kavorin III/IV project file");
        EXPECT_EQ(dump(p), before);
    }
    EXPECT_FALSE(importProject((dir / "none.txt").string(), true, p).ok);
    EXPECT_FALSE(importProject("/dev/zero", true, p).ok);  // bounded like a project file
    std::string error;
    const std::string path = (dir / "no" / "such.txt").string();
    EXPECT_FALSE(exportProject(path, sample(), &error));
    EXPECT_EQ(error, "Cannot create file '" + path + "'");
}

// The inverse-mode token is read as an integer: its extremes must not overflow 1 - t.
TEST_F(Sibling, ExtremeModeTokens) {
    for (const auto& [token, inverse] : {std::pair{"-2147483648", 1}, {"2147483647", 1}, {"1", 0}, {"0", 1}}) {
        SCOPED_TRACE(token);
        spit(path(), std::string("\"a\"\n\"b\"\n1\nx\n1 1\nfull\n\"c\"\n1 1 ") + token + " 0 0 1 1 - -\nfull\n\"alt\"\n3\n");
        Project p;
        ASSERT_TRUE(importProject(path(), false, p).ok);
        EXPECT_EQ(p.criteria[0].inverseMode, inverse);
    }
}

// Large counts cost nothing until their values are read: a short file that
// claims ten million evaluations fails within a tight address-space limit.
TEST_F(Sibling, CountsAloneAllocateNothing) {
    if (kSanitized) GTEST_SKIP() << "address-space limits and the sanitizers do not mix";
    spit(path(), "\"a\"\n\"b\"\n1\nx\n100 100000\n");
    EXPECT_EXIT(
        {
            limitAddressSpaceGrowth(std::size_t{48} << 20);  // the evaluations alone would take 80 MB
            Project p;
            const bool counted = importProject(path(), true, p).ok;
            const bool read = importProject(path(), false, p).ok;
            std::_Exit(!counted && !read && p.m == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace kvis::test
