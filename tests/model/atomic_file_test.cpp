#include "model/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kvis {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kvis_atomic_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        setWriteFailureForTesting(-1);
        fs::remove_all(dir);
    }
    size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }
    fs::path dir;
};

TEST_F(AtomicFile, CreatesAndReplaces) {
    const fs::path f = dir / "a.kvs";
    ASSERT_TRUE(writeFileAtomically(f.string(), "first\n"));
    EXPECT_EQ(slurp(f), "first\n");
    ::chmod(f.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(f.string(), "second"));
    EXPECT_EQ(slurp(f), "second");
    EXPECT_EQ(fs::status(f).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), 1u);  // no temporary left behind
}

TEST_F(AtomicFile, FailuresLeaveTheTargetAndNoTemporary) {
    const fs::path f = dir / "keep.kvs";
    ASSERT_TRUE(writeFileAtomically(f.string(), "original content\n"));
    std::string error;

    setWriteFailureForTesting(5);  // disk full after 5 bytes
    EXPECT_FALSE(writeFileAtomically(f.string(), "a much longer replacement\n", &error));
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    setWriteFailureForTesting(-1);
    EXPECT_EQ(slurp(f), "original content\n");
    EXPECT_EQ(entries(), 1u);

    error.clear();
    EXPECT_FALSE(writeFileAtomically((dir / "missing" / "x.kvs").string(), "x", &error));
    EXPECT_FALSE(error.empty());

    fs::create_directory(dir / "folder.kvs");
    EXPECT_FALSE(writeFileAtomically((dir / "folder.kvs").string(), "x", &error));
    EXPECT_TRUE(fs::is_directory(dir / "folder.kvs"));
    EXPECT_EQ(entries(), 2u);
}

TEST_F(AtomicFile, WritesThroughASymbolicLink) {
    const fs::path real = dir / "real.kvs";
    const fs::path link = dir / "link.kvs";
    ASSERT_TRUE(writeFileAtomically(real.string(), "old"));
    fs::create_symlink(real, link);
    ASSERT_TRUE(writeFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(real), "new");
}

}  // namespace
}  // namespace kvis
