#include "engine/large_arrays.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kvis {
namespace {

// The "THPeligible:" of the mapping that holds `address` in /proc/self/smaps:
// 1 when the system may back it with huge pages; -1 when not found.
int hugePageEligible(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        std::uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream head(line);
        if (head >> std::hex >> from >> dash >> to && dash == '-') {
            inside = from <= at && at < to;
        } else if (inside && line.rfind("THPeligible:", 0) == 0) {
            return std::stoi(line.substr(12));
        }
    }
    return -1;
}

std::string hugePageMode() {
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string all, word;
    while (in >> word) all += word + " ";
    return all;
}

// Whatever the system does with the request, the array is an ordinary vector
// of the copies asked for, and the former contents are gone.
TEST(LargeArrays, AssignGivesCopiesOfTheValue) {
    std::vector<int> v(10, 7);
    for (std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{1000}, (kHugePageBytes * 3) / sizeof(int) + 5}) {
        SCOPED_TRACE(count);
        assignLarge(v, count, -1);
        ASSERT_EQ(v.size(), count);
        EXPECT_EQ(v, std::vector<int>(count, -1));
        v.push_back(3);  // still grows as a vector does
        EXPECT_EQ(v.back(), 3);
    }
    std::vector<double> d;
    assignLarge(d, 3, 0.25);
    EXPECT_EQ(d, (std::vector<double>{0.25, 0.25, 0.25}));
}

TEST(LargeArrays, AdviceCoversWholeHugePagesOnly) {
    EXPECT_FALSE(adviseHugePages(nullptr, kHugePageBytes * 4));
    std::vector<char> small(kHugePageBytes);  // can never hold an aligned huge page whole
    EXPECT_FALSE(adviseHugePages(small.data() + 1, kHugePageBytes - 1));
#if defined(__linux__)
    const std::string mode = hugePageMode();
    if (KVIS_SANITIZED || mode.empty() || mode.find("[never]") != std::string::npos)
        GTEST_SKIP() << "no transparent huge pages here";
    std::vector<int> v;
    assignLarge(v, 4 * kHugePageBytes / sizeof(int), 1);
    const auto begin = reinterpret_cast<std::uintptr_t>(v.data());
    const std::uintptr_t aligned = (begin + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    EXPECT_EQ(hugePageEligible(reinterpret_cast<const void*>(aligned)), 1);
    EXPECT_EQ(hugePageEligible(reinterpret_cast<const void*>(aligned + 2 * kHugePageBytes - 1)), 1);
#endif
}

}  // namespace
}  // namespace kvis
