#include "engine/text_matrix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvis {
namespace {

// Every cell reads back the text it was given, whether the shared table has
// it or it is kept aside, and whichever way it is replaced.
TEST(TextMatrix, CellsReadBackWhatTheyWereGiven) {
    TextMatrix m;
    m.assign(6);
    EXPECT_EQ(m.texts(), std::vector<std::string>(6, ""));
    m.setCode(0, TextMatrix::roundedIndexCode(75));
    m.set(1, " 0.75");          // found in the table
    m.set(2, " 3.50");          // beyond it: kept aside
    m.set(3, std::string("a\0b", 3));  // a NUL inside is kept too
    m.set(4, "-0.00");
    m.set(5, "r11c11");
    EXPECT_EQ(m.texts(), (std::vector<std::string>{" 0.75", " 0.75", " 3.50", std::string("a\0b", 3), "-0.00", "r11c11"}));
    // Replaced by a shared text, by a code, by another text aside.
    m.set(2, "*");
    m.setCode(3, TextMatrix::kOne);
    m.set(4, " 9.99");
    m.set(5, "r11c11");
    EXPECT_EQ(m.texts(), (std::vector<std::string>{" 0.75", " 0.75", "*", "1", " 9.99", "r11c11"}));

    // Equal texts, equal matrices, however they were written.
    TextMatrix same;
    same.assign(6);
    for (size_t k = 0; k < 6; ++k) same.set(k, m[k]);
    EXPECT_TRUE(same == m);
    same.set(4, " 9.98");
    EXPECT_FALSE(same == m);

    // A fresh assignment forgets every text; release leaves nothing.
    m.assign(2);
    EXPECT_EQ(m.texts(), std::vector<std::string>(2, ""));
    m.release();
    EXPECT_TRUE(m.empty());
}

}  // namespace
}  // namespace kvis
