// Golden scenarios: every folder of tests/golden holds input files, a
// `command` line (kvis-batch arguments, run inside a copy of the folder) and
// `expected/` with every file the run must leave behind, byte for byte, plus
// optionally `status`, `stdout` and `stderr`. A new case is a new folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

#include "batch_runner.h"
#include "model/numfmt.h"

namespace fs = std::filesystem;
using namespace kvis::test;

namespace {

std::vector<std::string> goldenCases() {
    std::vector<std::string> cases;
    for (const auto& e : fs::directory_iterator(fs::path(KVIS_SOURCE_DIR) / "tests" / "golden"))
        if (e.is_directory()) cases.push_back(e.path().filename().string());
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

bool isMeta(const std::string& name) {
    return name == "command" || name == "status" || name == "stdout" || name == "stderr";
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, OutputsMatch) {
    const fs::path source = fs::path(KVIS_SOURCE_DIR) / "tests" / "golden" / GetParam();
    const fs::path work = freshDir("golden_" + GetParam());
    std::set<std::string> inputs, wanted;
    for (const auto& e : fs::directory_iterator(source)) {
        const std::string name = e.path().filename().string();
        if (!e.is_regular_file() || isMeta(name)) continue;
        fs::copy_file(e.path(), work / name);
        inputs.insert(name);
    }
    BatchRun run = runBatch(work, words(readFile(source / "command")));

    const fs::path expected = source / "expected";
    const std::string status = readFile(expected / "status");
    EXPECT_EQ(run.status, status.empty() ? 0 : kvis::readInt(status)) << run.err;
    for (const auto& [stream, got] : {std::pair{"stdout", &run.out}, {"stderr", &run.err}}) {
        if (fs::exists(expected / stream)) {
            EXPECT_EQ(*got, readFile(expected / stream)) << stream;
        }
    }
    for (const auto& e : fs::directory_iterator(expected)) {
        const std::string name = e.path().filename().string();
        if (isMeta(name)) continue;
        wanted.insert(name);
        EXPECT_EQ(readFile(work / name), readFile(e.path())) << name;
    }
    for (const auto& e : fs::directory_iterator(work)) {
        const std::string name = e.path().filename().string();
        EXPECT_TRUE(inputs.count(name) || wanted.count(name)) << "unexpected file " << name;
    }
    fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(goldenCases()),
                         [](const ::testing::TestParamInfo<std::string>& i) { return i.param; });

}  // namespace
