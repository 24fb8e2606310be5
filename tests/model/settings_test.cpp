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
    const Parameters p = readSettings(dir.string(), recent);
    EXPECT_EQ(std::tuple(p.levelOfConcordance, p.maxArcsToCut, p.acceptableLoss), std::tuple(0.66, 2, 0.1));
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

// A line break in an entry would add lines, even a section, to kvis.ini.
TEST_F(Settings, PathsWithLineBreaksOrNulNeverEnterTheList) {
    Recent r{"p1", "p2", "", ""};
    for (const std::string& bad : {std::string("/a\n[parameters]\nLevelOfConcordance=0.9"), std::string("/a\rb"),
                                   std::string("/a\0b", 4)}) {
        insertRecent(r, bad);
        EXPECT_EQ(r, (Recent{"p1", "p2", "", ""}));
    }
    // Nor does one that another program left in the file (a lone CR, a NUL).
    spit(ini(), std::string("[history]\n1=/a\rb\n2=/ok\n3=/c\0d\n4=\n", 33));
    readSettings(dir.string(), r, false);
    EXPECT_EQ(r, (Recent{"", "/ok", "", ""}));
}

// A settings file that cannot be read whole is never replaced by a write.
TEST_F(Settings, UnreadableFileIsLeftAlone) {
    spit(ini(), "");
    fs::resize_file(ini(), (std::uintmax_t{1} << 30) + 1);
    Recent r;
    const Parameters p = readSettings(dir.string(), r);
    EXPECT_EQ(std::tuple(p.levelOfConcordance, p.maxArcsToCut, p.acceptableLoss), std::tuple(0.66, 2, 0.1));
    EXPECT_FALSE(writeRecent(dir.string(), {"/a.kvs", "", "", ""}));
    EXPECT_EQ(fs::file_size(ini()), (std::uintmax_t{1} << 30) + 1);
}

TEST_F(Settings, LongPathsSurviveWholeAndMenuTexts) {
    const std::string longPath = "/home/user/" + std::string(200, 'd') + "/project with blanks.kvs";
    ASSERT_TRUE(writeRecent(dir.string(), {longPath, "", "", ""}));
    Recent back;
    readSettings(dir.string(), back);
    EXPECT_EQ(back[0], longPath);
    EXPECT_EQ(recentMenuText(1, "/a/b.kvs"), "&1  /a/b.kvs");
    EXPECT_EQ(recentMenuText(4, ""), "&4  ");
}

}  // namespace
}  // namespace kvis::test
