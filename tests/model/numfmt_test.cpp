#include "model/numfmt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace kvis {
namespace {

// What the random comparison below seldom or never draws: signed zeros, ties that
// binary holds exactly, infinities and nan, flags it does not use.
TEST(Format, DoublesMatchCLiterals) {
    const std::tuple<const char*, double, const char*> cases[] = {
        {"%.3lf", 0.66, "0.660"}, {"%.3lf", -0.0, "-0.000"}, {"%.3lf", -0.0004, "-0.000"}, {"%g", -0.0, "-0"},
        {"%.2f", 0.125, "0.12"}, {"%.2f", 0.375, "0.38"}, {"%.0f", 2.5, "2"}, {"%.2f", 2.675, "2.67"},
        {"%.3lf", 1e20, "100000000000000000000.000"}, {"%g", 999999.5, "1e+06"}, {"%g", 0.00001234, "1.234e-05"},
        {"%f", HUGE_VAL, "inf"}, {"%F", -HUGE_VAL, "-INF"}, {"%06.1f", HUGE_VAL, "   inf"},
        {"%g", std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& [fmt, value, expected] : cases) {
        EXPECT_EQ(format(fmt, value), expected) << fmt << " of " << value;
        char buf[512];
        std::snprintf(buf, sizeof buf, fmt, value);
        EXPECT_EQ(format(fmt, value), buf) << "C disagrees for " << fmt;
    }
}

TEST(Format, IntegersTextsAndCharacters) {
    EXPECT_EQ(format("%s %d\n", "no_of_criteria", 3), "no_of_criteria 3\n");
    EXPECT_EQ(format("%d", -2147483647 - 1), "-2147483648");
    EXPECT_EQ(format("%5d|%-5d|%05d", 42, 42, -42), "   42|42   |-0042");
    EXPECT_EQ(format("%+d % d %.3d %.0d|", 7, 7, 7, 0), "+7  7 007 |");
    EXPECT_EQ(format("%lu %lld %zu %x %#o %c", 4000000000ul, -5000000000ll, size_t{12}, 255u, 8u, 'K'),
              "4000000000 -5000000000 12 ff 010 K");
    EXPECT_EQ(format("%12.12s|%12.12s|", "alternative_with_long_name", "car"), "alternative_|         car|");
    EXPECT_EQ(format("%-8s|%-8s|", "price", "very_long_name"), "price   |very_long_name|");
    EXPECT_EQ(format("%.*s|%*d|%-*d|", 3, "abcdef", 4, 1, 3, 2), "abc|   1|2  |");
    EXPECT_EQ(format("100%% %s%Lf", "", 1.5L), "100% 1.500000");
}

TEST(Format, RandomValuesAgreeWithC) {
    std::mt19937_64 rng(20261206);
    const char* fmts[] = {"%g", "%.3lf", "%5.2f", "%4.2f", "%.17g", "%#.4g", "%12.6G", "%-10g|", "%.0g", "%#g",
                          "%.1e", "%.2E", "%#.0e", "%-8.3f|", "%08.3f", "%+.1f", "% .1f", "%#.0f"};
    for (int i = 0; i < 20000; ++i) {
        double v = i / 3000.0 - 3.0;  // the fine steps a report shows
        if (i % 3 == 1) {
            const uint64_t bits = rng();
            std::memcpy(&v, &bits, sizeof v);
        } else if (i % 3 == 2) {  // decimal values with few digits: the halfway cases of rounding
            v = static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000) /
                std::pow(10.0, static_cast<double>(rng() % 8));
        }
        for (const char* f : fmts) {
            char buf[512];
            std::snprintf(buf, sizeof buf, f, v);
            ASSERT_EQ(format(f, v), buf) << f << " " << v;
        }
    }
    char big[512];  // a long fixed form
    std::snprintf(big, sizeof big, "%.300f", 1e-5);
    EXPECT_EQ(format("%.300f", 1e-5), big);
}

TEST(ReadDouble, LongestNumericPrefix) {
    // The random comparison below draws the other prefixes of digits, points, signs and exponents.
    const std::pair<const char*, double> cases[] = {
        {"1e", 1.0},      {"2.5e+", 2.5},   {" -.5x", -0.5},   {"0x10", 0.0},     {"abc", 0.0},
        {"\t\n 12.25", 12.25}, {"2e+3z", 2000.0}, {"1,5", 1.0}, {"inf", 0.0},     {"nan", 0.0},
        {"1e400", DBL_MAX}, {"-1e400", -DBL_MAX}, {"1e-400", 0.0}, {"0e999", 0.0},
        {"0.000123456789012345678901234567890", 0.000123456789012345678901234567890},
        {"12345678901234567890123", 12345678901234567890123.0},
        // Rounds up past the largest double: still the largest double, never inf.
        {"1.7976931348623159e308", DBL_MAX}, {"-1797693134862315900000e288", -DBL_MAX},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(readDouble(text), expected) << "'" << text << "'";
    EXPECT_TRUE(std::signbit(readDouble("-0")));
    EXPECT_EQ(readDouble(std::string_view("2.5", 2)), 2.0);  // stops at the view's end
}

// Without hexadecimal, infinity and nan spellings, strtod in the "C" locale reads
// the same prefix; where it overflows to inf, readDouble gives the largest double.
TEST(ReadDouble, AgreesWithStrtodOnRandomText) {
    std::mt19937 rng(7);
    const char alphabet[] = "0123456789.eE+- \t";
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        const int len = static_cast<int>(rng() % 12);
        for (int k = 0; k < len; ++k) text += alphabet[rng() % (sizeof alphabet - 1)];
        if (i % 10 == 0) text += "e" + std::to_string(static_cast<int>(rng() % 700) - 350);
        const double expected = std::clamp(std::strtod(text.c_str(), nullptr), -DBL_MAX, DBL_MAX);
        const double got = readDouble(text);
        ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << "'" << text << "' " << got << " " << expected;
    }
}

TEST(ReadInt, AsTheDConversion) {
    const std::tuple<const char*, int, bool> cases[] = {  // text, value, starts with an integer
        {"12", 12, true},    {"  -7x", -7, true},  {"+3", 3, true},       {"1.9", 1, true},
        {"x1", 0, false},    {"-", 0, false},      {"", 0, false},        {" + 1", 0, false},
        {"99999999999", 2147483647, true},          {"-99999999999", -2147483647 - 1, true},
    };
    for (const auto& [text, value, startsInt] : cases) {
        EXPECT_EQ(readInt(text), value) << "'" << text << "'";
        EXPECT_EQ(startsWithInt(text), startsInt) << "'" << text << "'";
    }
}

}  // namespace
}  // namespace kvis
