#include "model/numfmt.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <limits>
#include <string>

namespace kvis {
namespace {

struct DoubleCase {
    const char* fmt;
    double value;
    const char* expected;
};

TEST(Format, DoublesMatchCLiterals) {
    const DoubleCase cases[] = {
        {"%.3lf", 0.66, "0.660"},
        {"%.3lf", -0.0, "-0.000"},
        {"%.3lf", -0.0004, "-0.000"},
        {"%.2f", 0.125, "0.12"},   // exactly representable: ties to even
        {"%.2f", 0.375, "0.38"},
        {"%.2f", 2.675, "2.67"},   // 2.67499999... in binary
        {"%.3lf", 1.0005, "1.000"},  // 1.000499999...
        {"%.0f", 0.5, "0"},
        {"%.0f", 1.5, "2"},
        {"%.0f", 2.5, "2"},
        {"%5.2f", 3.14159, " 3.14"},
        {"%5.2f", -3.14159, "-3.14"},
        {"%4.2f", 0.999, "1.00"},
        {"%4.2f", 12.345, "12.35"},  // 12.3450000000000006...
        {"%8.3f", -1.5, "  -1.500"},
        {"%-8.3f|", 1.5, "1.500   |"},
        {"%08.3f", -1.5, "-001.500"},
        {"%+.1f", 2.25, "+2.2"},
        {"% .1f", 2.35, " 2.4"},  // 2.35000000000000008...
        {"%#.0f", 3.0, "3."},
        {"%.3lf", 1e20, "100000000000000000000.000"},
        {"%g", 0.0, "0"},
        {"%g", -0.0, "-0"},
        {"%g", 100000.0, "100000"},
        {"%g", 1000000.0, "1e+06"},
        {"%g", 123456789.0, "1.23457e+08"},
        {"%g", 0.0001, "0.0001"},
        {"%g", 0.00001234, "1.234e-05"},
        {"%g", 2.5, "2.5"},
        {"%g", 0.1 + 0.2, "0.3"},
        {"%g", 1e-300, "1e-300"},
        {"%g", 999999.5, "1e+06"},
        {"%g", -17.25, "-17.25"},
        {"%.3g", 0.0012345, "0.00123"},
        {"%.0g", 25.0, "2e+01"},
        {"%#g", 1.0, "1.00000"},
        {"%#g", 1e-5, "1.00000e-05"},
        {"%#.3g", 100.0, "100."},
        {"%G", 1e-10, "1E-10"},
        {"%10g|", 2.5, "       2.5|"},
        {"%-10g|", 2.5, "2.5       |"},
        {"%e", 12345.678, "1.234568e+04"},
        {"%.2E", 0.000123, "1.23E-04"},
        {"%.0e", 5.0, "5e+00"},
        {"%#.0e", 5.0, "5.e+00"},
        {"%e", 1e100, "1.000000e+100"},
        {"%f", HUGE_VAL, "inf"},
        {"%F", -HUGE_VAL, "-INF"},
        {"%06.1f", HUGE_VAL, "   inf"},
        {"%g", std::numeric_limits<double>::quiet_NaN(), "nan"},
        {"%.3lf", 0.0005, "0.001"},  // 0.000500000000000000010...
        {"%.3lf", 0.0015, "0.002"},  // 0.00150000000000000003...
        {"%.3lf", 0.0025, "0.003"},  // 0.00250000000000000005...
        {"%.3lf", 1.0015, "1.002"},  // 1.00150000000000005...
    };
    for (const auto& c : cases) {
        EXPECT_EQ(format(c.fmt, c.value), c.expected) << c.fmt << " of " << c.value;
        char buf[512];
        std::snprintf(buf, sizeof buf, c.fmt, c.value);
        EXPECT_EQ(format(c.fmt, c.value), buf) << "C disagrees for " << c.fmt;
    }
}

TEST(Format, IntegersTextsAndCharacters) {
    EXPECT_EQ(format("%s %d\n", "no_of_criteria", 3), "no_of_criteria 3\n");
    EXPECT_EQ(format("%d", -2147483647 - 1), "-2147483648");
    EXPECT_EQ(format("%5d|%-5d|%05d", 42, 42, -42), "   42|42   |-0042");
    EXPECT_EQ(format("%+d % d %.3d %.0d|", 7, 7, 7, 0), "+7  7 007 |");
    EXPECT_EQ(format("%x %X %#x %#o %o", 255u, 255u, 255u, 8u, 0u), "ff FF 0xff 010 0");
    EXPECT_EQ(format("%lu %lld %zu", 4000000000ul, -5000000000ll, size_t{12}), "4000000000 -5000000000 12");
    EXPECT_EQ(format("%hd %hhu", 70000, 300), "4464 44");
    EXPECT_EQ(format("%c%c", 'K', 'V'), "KV");
    EXPECT_EQ(format("%12.12s|", "alternative_with_long_name"), "alternative_|");
    EXPECT_EQ(format("%12.12s|", "car"), "         car|");
    EXPECT_EQ(format("%-8s|", "price"), "price   |");
    EXPECT_EQ(format("%-8s|", "very_long_name"), "very_long_name|");
    EXPECT_EQ(format("%.*s|%*d|%-*d|", 3, "abcdef", 4, 1, 3, 2), "abc|   1|2  |");
    EXPECT_EQ(format("100%% %s", ""), "100% ");
    EXPECT_EQ(format("%Lf", 1.5L), "1.500000");
}

TEST(Format, RandomValuesAgreeWithC) {
    std::mt19937_64 rng(20261206);
    const char* fmts[] = {"%g", "%.3lf", "%5.2f", "%4.2f", "%.1e", "%#.4g", "%12.6G", "%.17g"};
    for (int i = 0; i < 20000; ++i) {
        double v;
        if (i % 3 == 0) {
            v = i / 3000.0 - 3.0;  // the fine steps a report shows
        } else if (i % 3 == 1) {
            const uint64_t bits = rng();
            std::memcpy(&v, &bits, sizeof v);
        } else {
            // Decimal values with few digits: the halfway cases of rounding.
            v = static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000) /
                std::pow(10.0, static_cast<double>(rng() % 8));
        }
        for (const char* f : fmts) {
            char buf[512];
            std::snprintf(buf, sizeof buf, f, v);
            ASSERT_EQ(format(f, v), buf) << f << " " << v;
        }
    }
    char big[512];
    std::snprintf(big, sizeof big, "%.300f", 1e-5);
    EXPECT_EQ(format("%.300f", 1e-5), big);
}

struct ReadCase {
    const char* text;
    double expected;
};

TEST(ReadDouble, LongestNumericPrefix) {
    const ReadCase cases[] = {
        {"1e", 1.0},      {"2.5e+", 2.5},    {"3-", 3.0},       {"-", 0.0},
        {".", 0.0},       {" -.5x", -0.5},   {"1e5", 100000.0}, {"0x10", 0.0},
        {"", 0.0},        {"abc", 0.0},      {"+7", 7.0},       {"\t\n 12.25", 12.25},
        {"5.", 5.0},      {"-.e1", 0.0},     {"1.5E-2", 0.015}, {"2e+3z", 2000.0},
        {"0.1", 0.1},     {"1,5", 1.0},      {"inf", 0.0},      {"nan", 0.0},
        {"1e400", HUGE_VAL}, {"-1e400", -HUGE_VAL}, {"1e-400", 0.0}, {"0e999", 0.0},
        {"0.000123456789012345678901234567890", 0.000123456789012345678901234567890},
        {"12345678901234567890123", 12345678901234567890123.0},
    };
    for (const auto& c : cases) EXPECT_EQ(readDouble(c.text), c.expected) << "'" << c.text << "'";
    EXPECT_TRUE(std::signbit(readDouble("-0")));
    EXPECT_EQ(readDouble(std::string_view("2.5", 2)), 2.0);  // stops at the view's end
}

// Without hexadecimal, infinity and nan spellings, strtod in the "C" locale reads the same prefix.
TEST(ReadDouble, AgreesWithStrtodOnRandomText) {
    std::mt19937 rng(7);
    const char alphabet[] = "0123456789.eE+- \t";
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        const int len = static_cast<int>(rng() % 12);
        for (int k = 0; k < len; ++k) text += alphabet[rng() % (sizeof alphabet - 1)];
        if (i % 10 == 0) text += "e" + std::to_string(static_cast<int>(rng() % 700) - 350);
        const double expected = std::strtod(text.c_str(), nullptr);
        const double got = readDouble(text);
        ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << "'" << text << "' " << got << " " << expected;
    }
}

TEST(ReadInt, AsTheDConversion) {
    const struct {
        const char* text;
        int expected;
        bool startsInt;
    } cases[] = {
        {"12", 12, true},    {"  -7x", -7, true},  {"+3", 3, true},       {"1.9", 1, true},
        {"x1", 0, false},    {"-", 0, false},      {"", 0, false},        {" + 1", 0, false},
        {"99999999999", 2147483647, true},          {"-99999999999", -2147483647 - 1, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readInt(c.text), c.expected) << "'" << c.text << "'";
        EXPECT_EQ(startsWithInt(c.text), c.startsInt) << "'" << c.text << "'";
    }
}

TEST(NumbersUnderCommaLocale, SameBytes) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5");  // the locale really uses a decimal comma
    EXPECT_EQ(format("%.3lf %g %5.2f %e", 1.5, 0.25, -2.0, 1e6), "1.500 0.25 -2.00 1.000000e+06");
    EXPECT_EQ(readDouble("1.5"), 1.5);
    EXPECT_EQ(readDouble("1,5"), 1.0);
    EXPECT_EQ(readInt("1.234"), 1);
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace kvis
