#pragma once
// Helpers of the model tests: a fresh folder per test, whole files, a full dump of a Project.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/atomic_file.h"
#include "model/numfmt.h"
#include "model/project.h"

namespace kvis::test {

namespace fs = std::filesystem;

// Built with the sanitizers, which reserve far more address space than any
// limit a test sets.
inline constexpr bool kSanitized = KVIS_SANITIZED;

// Lets the process map only `bytes` more than it has mapped now (for a child
// of a death test: an allocation beyond it fails).
inline void limitAddressSpaceGrowth(std::size_t bytes) {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    const rlim_t limit = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + bytes;
    const struct rlimit r {limit, limit};
    ::setrlimit(RLIMIT_AS, &r);
}

inline std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void spit(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

// Each test gets an empty folder of its own; injected write failures end with the test.
class InTempDir : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("kvis_model_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        setWriteFailureForTesting(-1);
        fs::remove_all(dir);
    }
    long entries() const { return static_cast<long>(std::distance(fs::directory_iterator(dir), {})); }
    std::string file(const std::string& name, const std::string& text) {
        spit(dir / name, text);
        return (dir / name).string();
    }
    fs::path dir;
};

// Every field of a Project, numbers with enough digits that no bit goes unnoticed.
inline std::string dump(const Project& p) {
    std::string s = format("m %d n %d s %.17g arcs %d loss %.17g width %d\n", p.m, p.n, p.levelOfConcordance,
                           p.maxArcsToCut, p.acceptableLoss, p.alternativeNameWidth);
    for (const Criterion& c : p.criteria) {
        s += format("[%s] %d %d %d w %.17g", c.name.c_str(), c.direction, c.useVeto, c.inverseMode, c.weight);
        for (const ThresholdLine& t : {c.preference, c.indifference, c.veto})
            s += format(" %.17g %.17g", t.alpha, t.beta);
        s += "\n";
    }
    for (const Alternative& a : p.alternatives) s += "[" + a.name + "]";
    for (double v : p.evaluations) s += format(" %.17g", v);
    for (const std::string& t : p.evaluationTexts) s += " [" + t + "]";
    for (const TSheetColumn& f : p.columnFormats) s += format(" {%d %d %d}", f.Width, f.Align, f.ReadOnly);
    return s;
}

}  // namespace kvis::test
