#include "engine/text_matrix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/numfmt.h"

namespace kvis {
namespace {

TEST(TextMatrix, SharedTableHoldsEveryTextTheFillWrites) {
    for (int k = -TextMatrix::kRoundedIndexLimit; k <= TextMatrix::kRoundedIndexLimit; ++k)
        ASSERT_EQ(TextMatrix::sharedText(TextMatrix::roundedIndexCode(k)), format("%5.2f", k * 0.01)) << k;
    EXPECT_EQ(std::vector<std::string>({TextMatrix::sharedText(TextMatrix::kStar),
                                        TextMatrix::sharedText(TextMatrix::kOne),
                                        TextMatrix::sharedText(TextMatrix::kZero),
                                        TextMatrix::sharedText(TextMatrix::kEmpty)}),
              (std::vector<std::string>{"*", "1", "0", ""}));
}

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

TEST(TextCells, ReadsPlainAndCodedTexts) {
    const std::vector<std::string> plain{"x", "yy"};
    TextMatrix coded;
    coded.assign(2);
    coded.set(0, "*");
    coded.set(1, "long text");
    const TextCells a(plain.data()), b(coded);
    EXPECT_EQ(std::vector<std::string>({a[0], a[1], b[0], b[1]}), (std::vector<std::string>{"x", "yy", "*", "long text"}));
    EXPECT_TRUE(a == TextCells(plain.data()));
    EXPECT_FALSE(a == b);
}

}  // namespace
}  // namespace kvis
