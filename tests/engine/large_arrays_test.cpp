#include "engine/large_arrays.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvis {
namespace {

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
}

}  // namespace
}  // namespace kvis
