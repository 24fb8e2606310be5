#include "model/atomic_file.h"

#include <sys/stat.h>

#include "model_test_util.h"

namespace kvis::test {
namespace {

using AtomicFile = InTempDir;

TEST_F(AtomicFile, ReplacesKeepingPermissionsAndLinks) {
    const fs::path f = dir / "a.kvs";
    ASSERT_TRUE(writeFileAtomically(f.string(), "first\n"));
    EXPECT_EQ(slurp(f), "first\n");
    ::chmod(f.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(f.string(), "second"));
    EXPECT_EQ(slurp(f), "second");
    EXPECT_EQ(fs::status(f).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), 1);  // no temporary left behind

    fs::create_symlink(f, dir / "link.kvs");  // the link stays a link, its target gets the text
    ASSERT_TRUE(writeFileAtomically((dir / "link.kvs").string(), "third"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.kvs"));
    EXPECT_EQ(slurp(f), "third");
}

// A full disk is injected through the project writer's test.
TEST_F(AtomicFile, FailuresLeaveTheTargetAndNoTemporary) {
    std::string error;
    EXPECT_FALSE(writeFileAtomically((dir / "missing" / "x.kvs").string(), "x", &error));
    EXPECT_FALSE(error.empty());
    fs::create_directory(dir / "folder.kvs");
    EXPECT_FALSE(writeFileAtomically((dir / "folder.kvs").string(), "x", &error));
    EXPECT_TRUE(fs::is_directory(dir / "folder.kvs"));
    EXPECT_EQ(entries(), 1);
}

// A writer that opens the file by name (the PDF printer) writes the temporary
// file; the target changes only on commit.
TEST_F(AtomicFile, WriterByNameReplacesOnlyOnCommit) {
    const fs::path f = dir / "out.pdf";
    spit(f, "old");
    {
        kvis::AtomicFile file(f.string());
        ASSERT_TRUE(file.create());
        spit(file.temporaryPath(), "abandoned");
        EXPECT_EQ(slurp(f), "old");
    }
    EXPECT_EQ(slurp(f), "old");
    EXPECT_EQ(entries(), 1);
    kvis::AtomicFile file(f.string());
    ASSERT_TRUE(file.create());
    EXPECT_EQ(fs::path(file.temporaryPath()).parent_path(), dir);
    spit(file.temporaryPath(), "new");
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(slurp(f), "new");
    EXPECT_EQ(entries(), 1);
    std::string error;
    kvis::AtomicFile nowhere((dir / "missing" / "x.pdf").string());
    EXPECT_FALSE(nowhere.create(&error));
    EXPECT_EQ(error.rfind("Cannot create a file in the folder of '" + (dir / "missing" / "x.pdf").string() + "': ", 0), 0u);
}

}  // namespace
}  // namespace kvis::test
