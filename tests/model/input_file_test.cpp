#include "model/input_file.h"

#include <sys/stat.h>

#include <thread>

#include "model_test_util.h"

namespace kvis::test {
namespace {

using InputFile = InTempDir;

// The limits hold at their edges, for a file that says its size and for a
// pipe that does not.
TEST_F(InputFile, LimitsOfSizeAndTokenAtTheirEdges) {
    const InputLimits limits{12, 4};
    const std::pair<std::string, InputRead> cases[] = {
        {"abcd efgh ij", InputRead::Ok},         // 12 bytes, tokens of 4
        {"abcd efgh ij ", InputRead::TooLarge},  // 13 bytes
        {"a\nabcde", InputRead::TooLarge},       // a token of 5
        {"\tabcd\r\nabcd", InputRead::Ok},       // CR and LF end a token
    };
    for (const auto& [content, expected] : cases) {
        const std::string text = content;  // a lambda below takes it; Clang 14 cannot capture a binding
        SCOPED_TRACE(text);
        std::string got = "stale";
        EXPECT_EQ(readInputFile(file("f", text), got, limits), expected);
        EXPECT_EQ(got, expected == InputRead::Ok ? text : "");

        const std::string fifo = (dir / "fifo").string();
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::thread writer([&] { spit(fifo, text); });
        EXPECT_EQ(readInputFile(fifo, got, limits), expected);
        writer.join();
        fs::remove(fifo);
    }
    std::string got;
    EXPECT_EQ(readInputFile((dir / "absent").string(), got), InputRead::CannotOpen);
    EXPECT_EQ(readInputFile(dir.string(), got), InputRead::CannotOpen);
}

}  // namespace
}  // namespace kvis::test
