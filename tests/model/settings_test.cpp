#include "model/settings.h"

#include "model_test_util.h"

namespace kvis::test {
namespace {

class Settings : public InTempDir {
protected:
    std::string ini() const { return (dir / "kvis.ini").string(); }
};

using Recent = std::array<std::string, 4>;

TEST_F(Settings, MissingFileGetsTheDefaultsWrittenAndTheHistoryAtTheEnd) {
    Recent recent{"x", "x", "x", "x"};
    Parameters p = readSettings(dir.string(), recent);
    EXPECT_EQ(p.levelOfConcordance, 0.66);
    EXPECT_EQ(p.maxArcsToCut, 2);
    EXPECT_EQ(p.acceptableLoss, 0.1);
    EXPECT_EQ(recent, Recent{});
    const std::string defaults =
        "[parameters]\nLevelOfConcordance=0.66\n[extended]\nArcs2check4cut=2\nAcceptLoss4cut=0.1\n";
    EXPECT_EQ(slurp(ini()), defaults);
    ASSERT_TRUE(writeRecent(dir.string() + "/", {"/a/p1.kvs", "", "", ""}));
    EXPECT_EQ(slurp(ini()), defaults + "[history]\n1=/a/p1.kvs\n2=\n3=\n4=\n");
    readSettings(dir.string(), recent);  // nothing is rewritten once the values are there
    EXPECT_EQ(slurp(ini()), defaults + "[history]\n1=/a/p1.kvs\n2=\n3=\n4=\n");
    EXPECT_EQ(recent, (Recent{"/a/p1.kvs", "", "", ""}));
}

TEST_F(Settings, ValuesThatReadAsZeroAreReplacedOthersKeptWithoutRangeCheck) {
    spit(ini(), "; comment\r\n[Parameters]\r\n  levelofconcordance =  abc  \r\n\r\n[EXTENDED]\r\n"
                "Arcs2check4cut=17\r\nAcceptLoss4cut=0.25xyz\r\n[other]\r\nkeep=me\r\n");
    Recent recent;
    const std::string before = slurp(ini());
    for (bool write : {false, true}) {
        SCOPED_TRACE(write);
        const Parameters p = readSettings(dir.string(), recent, write);
        EXPECT_EQ(std::tuple(p.levelOfConcordance, p.maxArcsToCut, p.acceptableLoss), std::tuple(0.66, 17, 0.25));
        if (!write) {
            EXPECT_EQ(slurp(ini()), before);  // a reader that writes nothing
        }
    }
    Parameters p = readSettings(dir.string(), recent);
    EXPECT_EQ(p.levelOfConcordance, 0.66);
    EXPECT_EQ(p.maxArcsToCut, 17);
    EXPECT_EQ(p.acceptableLoss, 0.25);
    // Only the one key changed; CR LF kept for the file's own lines.
    EXPECT_EQ(slurp(ini()), "; comment\r\n[Parameters]\r\nlevelofconcordance=0.66\r\n\r\n[EXTENDED]\r\n"
                            "Arcs2check4cut=17\r\nAcceptLoss4cut=0.25xyz\r\n[other]\r\nkeep=me\r\n");
}

TEST_F(Settings, ProfilePrimitives) {
    spit(ini(), "[a]\nk1 = v1 \nk2=\n[b]\nk1=other\nn=-12x\n\n[c]\nlast=1");
    EXPECT_EQ(getProfileString("A", "K1", " ", ini()), "v1");
    EXPECT_EQ(getProfileString("a", "k2", "dflt", ini()), "");
    EXPECT_EQ(getProfileString("a", "none", " ", ini()), "");
    EXPECT_EQ(getProfileString("a", "none", "dflt  ", ini()), "dflt");
    EXPECT_EQ(getProfileString("nosection", "k1", "d", ini()), "d");
    EXPECT_EQ(getProfileInt("b", "n", 5, ini()), -12);
    EXPECT_EQ(getProfileInt("a", "k2", 5, ini()), 5);  // empty value: the default
    EXPECT_EQ(getProfileInt("a", "k1", 5, ini()), 0);  // not a number

    ASSERT_TRUE(writeProfileString("B", "new", "x", ini()));   // after the section's last line
    ASSERT_TRUE(writeProfileString("c", "more", "2", ini()));  // after an unterminated last line
    ASSERT_TRUE(writeProfileString("d", "k", "a long value with / and = signs", ini()));
    EXPECT_EQ(slurp(ini()), "[a]\nk1 = v1 \nk2=\n[b]\nk1=other\nn=-12x\nnew=x\n\n[c]\nlast=1\nmore=2\n"
                            "[d]\nk=a long value with / and = signs\n");
    EXPECT_EQ(getProfileString("d", "k", " ", ini()), "a long value with / and = signs");
    EXPECT_FALSE(writeProfileString("a", "k", "v", (dir / "missing" / "kvis.ini").string()));
}

TEST_F(Settings, RecentListSwapsWithTheFirstEntry) {
    Recent r;
    for (const char* p : {"p1", "p2", "p3", "p4", "p5"}) insertRecent(r, p);
    EXPECT_EQ(r, (Recent{"p5", "p4", "p3", "p2"}));
    insertRecent(r, "p3");
    EXPECT_EQ(r, (Recent{"p3", "p4", "p5", "p2"}));
    insertRecent(r, "p3");
    EXPECT_EQ(r, (Recent{"p3", "p4", "p5", "p2"}));
    insertRecent(r, "P3");  // case-sensitive
    EXPECT_EQ(r, (Recent{"P3", "p3", "p4", "p5"}));
    Recent dup{"a", "x", "b", "x"};
    insertRecent(dup, "x");  // the last match counts
    EXPECT_EQ(dup, (Recent{"x", "x", "b", "a"}));
}

TEST_F(Settings, LongPathsSurviveWholeAndMenuTexts) {
    const std::string longPath = "/home/user/" + std::string(200, 'd') + "/project with blanks.kvs";
    ASSERT_TRUE(writeRecent(dir.string(), {longPath, "", "", ""}));
    Recent back;
    readSettings(dir.string(), back);
    EXPECT_EQ(back[0], longPath);
    EXPECT_EQ(recentMenuText(1, "/a/b.kvs"), "&1  /a/b.kvs");
    EXPECT_EQ(recentMenuText(4, ""), "&4  ");
    EXPECT_EQ(settingsFilePath(""), "kvis.ini");
    EXPECT_EQ(settingsFilePath("/x/") + settingsFilePath("/x"), "/x/kvis.ini/x/kvis.ini");
}

}  // namespace
}  // namespace kvis::test
