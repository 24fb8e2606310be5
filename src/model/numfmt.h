#pragma once
// Numbers in and out, independent of the process locale: files, reports and
// parsed values must not change when the user's locale uses a decimal comma.
#include <string>
#include <string_view>

namespace kvis {

// The longest leading part that forms a decimal number (leading blanks skipped,
// optional sign, digits, optional point, optional exponent); 0 when there is none.
// Never inf or NaN: a number too large for a double reads as the largest finite
// double of its sign.
double readDouble(std::string_view text);

// As C's "%d" conversion reads: blanks, optional sign, digits; 0 when there is none.
int readInt(std::string_view text);

// True when the text starts (after blanks) with an optional sign and at least one digit.
bool startsWithInt(std::string_view text);

// printf-style formatting with exactly C's output in the "C" locale.
// Supports flags "-+ #0", width, precision (also "*"), length modifiers
// h hh l ll z j t L, and conversions d i u o x X c s f F e E g G %.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kvis
