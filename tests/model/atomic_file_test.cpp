#include "model/atomic_file.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <regex>
#include <stdexcept>
#include <thread>

#include "model_test_util.h"

namespace kvis::test {
namespace {

using AtomicFile = InTempDir;

fs::perms permissions(const fs::path& p) { return fs::status(p).permissions() & fs::perms::all; }

TEST_F(AtomicFile, ReplacesKeepingPermissionsAndLinks) {
    const fs::path f = dir / "a.kvs";
    ASSERT_TRUE(writeFileAtomically(f.string(), "first\n"));
    EXPECT_EQ(slurp(f), "first\n");
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                                 fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read}) {
        fs::permissions(f, mode);  // read-only too: the folder is what is written
        ASSERT_TRUE(writeFileAtomically(f.string(), "second"));
        EXPECT_EQ(slurp(f), "second");
        EXPECT_EQ(permissions(f), mode);
    }
    EXPECT_EQ(entries(), 1);  // no temporary left behind

    // A link stays a link, its target gets the text; so through a relative
    // chain of links, and through a link to a file that does not exist yet.
    fs::create_directory(dir / "sub");
    fs::create_symlink("../a.kvs", dir / "sub" / "up.kvs");
    fs::create_symlink("sub/up.kvs", dir / "link.kvs");
    fs::create_symlink("sub/new.kvs", dir / "dangling.kvs");
    ASSERT_TRUE(writeFileAtomically((dir / "link.kvs").string(), "third"));
    ASSERT_TRUE(writeFileAtomically((dir / "dangling.kvs").string(), "fourth"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.kvs") && fs::is_symlink(dir / "sub" / "up.kvs"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.kvs"));
    EXPECT_EQ(slurp(f), "third");
    EXPECT_EQ(slurp(dir / "sub" / "new.kvs"), "fourth");
    EXPECT_EQ(entries(), 4);
}

// Run as root, a replaced file keeps its owner and group.
TEST_F(AtomicFile, ReplacedFileKeepsItsOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file away";
    const std::string f = file("owned.kvr", "old");
    ASSERT_EQ(::chown(f.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(writeFileAtomically(f, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(f.c_str(), &st), 0);
    EXPECT_EQ(std::pair(st.st_uid, st.st_gid), std::pair(uid_t{65534}, gid_t{65534}));
}

// A device or a FIFO gets the content itself and stays what it was.
TEST_F(AtomicFile, SpecialFilesAreWrittenNotReplaced) {
    ASSERT_TRUE(writeFileAtomically("/dev/null", "into the void"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    const fs::path fifo = dir / "pipe.kvr";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("pipe.kvr", dir / "to_pipe.kvr");
    std::string received;
    std::thread reader([&] { received = slurp(fifo); });
    ASSERT_TRUE(writeFileAtomically((dir / "to_pipe.kvr").string(), std::string(200000, 'x') + "end"));
    reader.join();
    EXPECT_EQ(received, std::string(200000, 'x') + "end");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(entries(), 2);

    // /dev/stdout into a pipe: a link of /proc that names no file of a folder.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_TRUE(writeFileAtomically("/proc/self/fd/" + std::to_string(ends[1]), "through the pipe"));
    ::close(ends[1]);
    char got[32] = {};
    EXPECT_EQ(::read(ends[0], got, sizeof got - 1), 16);
    EXPECT_STREQ(got, "through the pipe");
    ::close(ends[0]);
}

TEST_F(AtomicFile, FailuresLeaveTheTargetAndNoTemporary) {
    std::string error;
    EXPECT_FALSE(writeFileAtomically((dir / "missing" / "x.kvs").string(), "x", &error));
    EXPECT_EQ(error, "Cannot create a file in the folder of '" + (dir / "missing" / "x.kvs").string() +
                         "': No such file or directory");
    fs::create_directory(dir / "folder.kvs");
    EXPECT_FALSE(writeFileAtomically((dir / "folder.kvs").string(), "x", &error));
    EXPECT_EQ(error, "Cannot write '" + (dir / "folder.kvs").string() + "': Is a directory");
    EXPECT_TRUE(fs::is_directory(dir / "folder.kvs"));
    const std::string full = file("full.kvs", "old");
    setWriteFailureForTesting(70000);  // beyond the first buffer, within the text
    EXPECT_FALSE(writeFileAtomically(full, std::string(100000, 'y'), &error));
    EXPECT_EQ(error, "Cannot write '" + full + "': No space left on device");
    EXPECT_EQ(slurp(full), "old");
    EXPECT_EQ(entries(), 2);
}

// A writer that opens the file by name (the PDF printer) writes the temporary
// file, named for a person to recognise; the target changes only on commit.
TEST_F(AtomicFile, WriterByNameReplacesOnlyOnCommit) {
    const fs::path f = dir / "out.pdf";
    spit(f, "old");
    {
        kvis::AtomicFile file(f.string());
        ASSERT_TRUE(file.create());
        EXPECT_TRUE(std::regex_match(file.temporaryPath(), std::regex(".*/\\.out\\.pdf\\.kvis-tmp-[A-Za-z0-9]{6}")))
            << file.temporaryPath();
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
    // The longest file name a folder takes still has a temporary name that fits.
    const std::string longest = (dir / std::string(255, 'n')).string();
    ASSERT_TRUE(writeFileAtomically(longest, "long"));
    EXPECT_EQ(slurp(longest), "long");
}

TEST_F(AtomicFile, SameFileByInodeOrByPath) {
    const std::string a = file("a.kvs", "x");
    fs::create_hard_link(a, dir / "hard.kvs");
    fs::create_symlink("a.kvs", dir / "soft.kvs");
    const std::pair<std::string, bool> cases[] = {
        {a, true},
        {(dir / "." / "a.kvs").string(), true},
        {(dir / "hard.kvs").string(), true},
        {(dir / "soft.kvs").string(), true},
        {(dir / "b.kvs").string(), false},
    };
    for (const auto& [other, same] : cases) {
        SCOPED_TRACE(other);
        EXPECT_EQ(sameFile(other, a), same);
    }
    EXPECT_TRUE(sameFile((dir / "absent.kvr").string(), (dir / "." / "absent.kvr").string()));
    EXPECT_FALSE(sameFile((dir / "absent.kvr").string(), (dir / "absent.cvr").string()));
}

class AtomicSet : public InTempDir {
protected:
    std::string path(const char* name) const { return (dir / name).string(); }
    // The three files of a report: two side files, the main file last.
    bool writeReport(AtomicFileSet& set) {
        set.add(path("r.cvr"), true).write("side c\n");
        set.add(path("r.dvr"), true).write("side d\n");
        set.add(path("r.kvr"), true).write("main\nreport\n");
        return set.commit();
    }
};

TEST_F(AtomicSet, AllFilesOrNone) {
    for (const char* name : {"r.cvr", "r.dvr", "r.kvr"}) spit(dir / name, "old");
    {
        SCOPED_TRACE("the disk fills after the side files");
        setWriteFailureForTesting(16);
        AtomicFileSet set;
        EXPECT_FALSE(writeReport(set));
        EXPECT_EQ(set.error(), "Cannot create file '" + path("r.kvr") + "'");
        for (const char* name : {"r.cvr", "r.dvr", "r.kvr"}) EXPECT_EQ(slurp(dir / name), "old") << name;
        EXPECT_EQ(entries(), 3);
        setWriteFailureForTesting(-1);
    }
    {
        SCOPED_TRACE("the writer gives up half way");
        try {
            AtomicFileSet set;
            set.add(path("r.cvr"), true).write("partial");
            throw std::runtime_error("cancelled");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(slurp(dir / "r.cvr"), "old");
        EXPECT_EQ(entries(), 3);
    }
    AtomicFileSet set;
    ASSERT_TRUE(writeReport(set));
    EXPECT_EQ(slurp(dir / "r.cvr") + slurp(dir / "r.dvr") + slurp(dir / "r.kvr"),
              "side c\r\nside d\r\nmain\r\nreport\r\n");
    EXPECT_EQ(entries(), 3);
}

// The project being read is never an output: the refusal names the path and
// leaves every file as it was.
TEST_F(AtomicSet, ProtectedFileIsRefused) {
    spit(dir / "r.kvr", "old");
    spit(dir / "p.kvs", "project");
    fs::create_symlink("p.kvs", dir / "r.dvr");
    AtomicFileSet set;
    set.protect((dir / "." / "p.kvs").string());
    EXPECT_FALSE(writeReport(set));
    EXPECT_EQ(set.error(), "Cannot create file '" + path("r.dvr") + "'");
    EXPECT_EQ(slurp(dir / "p.kvs") + slurp(dir / "r.kvr"), "projectold");
    EXPECT_EQ(entries(), 3);
}

// SIGINT and SIGTERM remove the temporary files of an unfinished write, then
// end the process by the signal, or call the given function instead.
TEST_F(AtomicSet, SignalsRemoveTemporaryFiles) {
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        EXPECT_EXIT(
            {
                installTemporaryFileCleanup();
                AtomicFileSet set;
                set.add(path("r.cvr")).write("unfinished");
                set.add(path("r.kvr")).write("unfinished");
                std::raise(signal);
                std::_Exit(0);
            },
            ::testing::KilledBySignal(signal), "");
        EXPECT_EQ(entries(), 0);
    }
    EXPECT_EXIT(
        {
            installTemporaryFileCleanup([](int signal) { std::_Exit(100 + signal); });
            kvis::AtomicFile file(path("r.kvr"));
            file.create();
            std::raise(SIGTERM);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(100 + SIGTERM), "");
    EXPECT_EQ(entries(), 0);
}

}  // namespace
}  // namespace kvis::test
