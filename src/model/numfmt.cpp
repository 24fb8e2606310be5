#include "model/numfmt.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

namespace kvis {

namespace {

// White space as the "C" locale's isspace sees it; never the process locale.
bool isBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

size_t skipBlanks(std::string_view t, size_t i) {
    while (i < t.size() && isBlank(t[i])) ++i;
    return i;
}

}  // namespace

double readDouble(std::string_view text) {
    size_t i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t start = i;
    size_t intDigits = 0, fracDigits = 0;
    while (i < text.size() && isDigit(text[i])) { ++i; ++intDigits; }
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        while (j < text.size() && isDigit(text[j])) { ++j; ++fracDigits; }
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return 0.0;
    // The exponent counts only when it has at least one digit: "1e" and "2.5e+" stop before it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    const char* first = text.data() + start;
    const char* last = text.data() + i;
    double value = 0.0;
    auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Decide between overflow and underflow from the decimal exponent, as strtod would.
        long exponent = 0;
        bool seenPoint = false, seenNonZero = false;
        long position = 0;  // decimal exponent of the first non-zero digit
        const char* p = first;
        for (; p < last && *p != 'e' && *p != 'E'; ++p) {
            if (*p == '.') { seenPoint = true; continue; }
            if (!seenPoint) {
                if (seenNonZero) ++position;
                else if (*p != '0') seenNonZero = true;
            } else if (!seenNonZero) {
                --position;
                if (*p != '0') seenNonZero = true;
            }
        }
        if (p < last) {
            ++p;
            bool expNeg = false;
            if (*p == '+' || *p == '-') { expNeg = *p == '-'; ++p; }
            for (; p < last; ++p) {
                if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
            }
            if (expNeg) exponent = -exponent;
        }
        // Too large for a double: the largest finite one, so that no inf (or a
        // NaN made from it) ever reaches a project.
        value = (seenNonZero && exponent + position > 0) ? DBL_MAX : 0.0;
    }
    return negative ? -value : value;
}

int readInt(std::string_view text) {
    size_t i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long v = 0;
    while (i < text.size() && isDigit(text[i])) {
        if (v <= static_cast<long long>(INT_MAX) + 1) v = v * 10 + (text[i] - '0');
        ++i;
    }
    if (negative) v = -v;
    // Out-of-range values saturate rather than wrap.
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

bool startsWithInt(std::string_view text) {
    size_t i = skipBlanks(text, 0);
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    return i < text.size() && isDigit(text[i]);
}

namespace {

struct Conversion {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;  // -1: none given
    char conv = 0;
};

void pad(std::string& out, int count, char ch) {
    if (count > 0) out.append(static_cast<size_t>(count), ch);
}

// Lays out sign/prefix, zero padding and body within the field width.
void emit(std::string& out, const Conversion& s, const std::string& prefix, const std::string& body,
          bool zeroPadAllowed) {
    const int len = static_cast<int>(prefix.size() + body.size());
    const int fill = s.width - len;
    if (s.left) {
        out += prefix;
        out += body;
        pad(out, fill, ' ');
    } else if (s.zero && zeroPadAllowed) {
        out += prefix;
        pad(out, fill, '0');
        out += body;
    } else {
        pad(out, fill, ' ');
        out += prefix;
        out += body;
    }
}

void formatInteger(std::string& out, const Conversion& s, unsigned long long magnitude, bool negative,
                   bool isSigned) {
    int base = 10;
    if (s.conv == 'o') base = 8;
    if (s.conv == 'x' || s.conv == 'X') base = 16;
    char buf[72];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, base);
    std::string digits(buf, res.ptr);
    if (s.conv == 'X')
        for (auto& ch : digits)
            if (ch >= 'a' && ch <= 'f') ch = static_cast<char>(ch - 'a' + 'A');
    if (s.precision == 0 && magnitude == 0) digits.clear();
    if (s.precision > static_cast<int>(digits.size()))
        digits.insert(0, static_cast<size_t>(s.precision) - digits.size(), '0');
    std::string prefix;
    if (isSigned) {
        if (negative) prefix = "-";
        else if (s.plus) prefix = "+";
        else if (s.space) prefix = " ";
    }
    if (s.alt) {
        if (base == 8 && (digits.empty() || digits[0] != '0')) digits.insert(0, "0");
        if (base == 16 && magnitude != 0) prefix += (s.conv == 'X') ? "0X" : "0x";
    }
    emit(out, s, prefix, digits, s.precision < 0);
}

template <typename F>
std::string toChars(F v, std::chars_format fmt, int precision) {
    std::string buf(128, '\0');
    for (;;) {
        auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v, fmt, precision);
        if (res.ec == std::errc()) {
            buf.resize(static_cast<size_t>(res.ptr - buf.data()));
            return buf;
        }
        buf.resize(buf.size() * 4);  // large fixed values or precisions
    }
}

template <typename F>
void formatFloat(std::string& out, Conversion s, F value) {
    const char lower = static_cast<char>(s.conv | 0x20);
    const bool upper = s.conv != lower;
    const bool negative = std::signbit(value);
    const F magnitude = negative ? -value : value;
    std::string prefix = negative ? "-" : s.plus ? "+" : s.space ? " " : "";
    if (!std::isfinite(magnitude)) {
        std::string body = std::isnan(magnitude) ? "nan" : "inf";
        if (upper) body = std::isnan(magnitude) ? "NAN" : "INF";
        emit(out, s, prefix, body, false);
        return;
    }
    int precision = s.precision < 0 ? 6 : s.precision;
    std::string body;
    if (lower == 'f') {
        body = toChars(magnitude, std::chars_format::fixed, precision);
        if (s.alt && precision == 0) body += '.';
    } else if (lower == 'e') {
        body = toChars(magnitude, std::chars_format::scientific, precision);
        if (s.alt && precision == 0) body.insert(1, ".");
    } else {  // g
        if (precision == 0) precision = 1;
        if (!s.alt) {
            body = toChars(magnitude, std::chars_format::general, precision);
        } else {
            // '#' keeps trailing zeros: choose the style from the rounded exponent.
            std::string sci = toChars(magnitude, std::chars_format::scientific, precision - 1);
            int exponent = 0;
            size_t epos = sci.find('e');
            if (epos != std::string::npos) {
                std::from_chars(sci.data() + epos + (sci[epos + 1] == '+' ? 2 : 1),
                                sci.data() + sci.size(), exponent);
            }
            if (precision > exponent && exponent >= -4)
                body = toChars(magnitude, std::chars_format::fixed, precision - 1 - exponent);
            else
                body = sci;
            if (body.find('.') == std::string::npos) {
                size_t at = body.find('e');
                if (at == std::string::npos) body += '.';
                else body.insert(at, ".");
            }
        }
    }
    if (upper)
        for (auto& ch : body)
            if (ch == 'e') ch = 'E';
    emit(out, s, prefix, body, true);
}

enum class Len { none, hh, h, l, ll, j, z, t, L };

}  // namespace

std::string format(const char* fmt, ...) {
    std::string out;
    va_list ap;
    va_start(ap, fmt);
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const char* specStart = p;
        ++p;
        Conversion s;
        for (;; ++p) {
            if (*p == '-') s.left = true;
            else if (*p == '+') s.plus = true;
            else if (*p == ' ') s.space = true;
            else if (*p == '#') s.alt = true;
            else if (*p == '0') s.zero = true;
            else break;
        }
        if (*p == '*') {
            s.width = va_arg(ap, int);
            if (s.width < 0) {
                s.left = true;
                s.width = -s.width;
            }
            ++p;
        } else {
            while (isDigit(*p)) s.width = s.width * 10 + (*p++ - '0');
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                s.precision = va_arg(ap, int);
                if (s.precision < 0) s.precision = -1;
                ++p;
            } else {
                s.precision = 0;
                while (isDigit(*p)) s.precision = s.precision * 10 + (*p++ - '0');
            }
        }
        Len len = Len::none;
        switch (*p) {
            case 'h':
                if (p[1] == 'h') { len = Len::hh; p += 2; } else { len = Len::h; ++p; }
                break;
            case 'l':
                if (p[1] == 'l') { len = Len::ll; p += 2; } else { len = Len::l; ++p; }
                break;
            case 'j': len = Len::j; ++p; break;
            case 'z': len = Len::z; ++p; break;
            case 't': len = Len::t; ++p; break;
            case 'L': len = Len::L; ++p; break;
            default: break;
        }
        s.conv = *p;
        switch (s.conv) {
            case 'd':
            case 'i': {
                long long v;
                switch (len) {
                    case Len::hh: v = static_cast<signed char>(va_arg(ap, int)); break;
                    case Len::h: v = static_cast<short>(va_arg(ap, int)); break;
                    case Len::l: v = va_arg(ap, long); break;
                    case Len::ll: v = va_arg(ap, long long); break;
                    case Len::j: v = va_arg(ap, intmax_t); break;
                    case Len::z: v = va_arg(ap, ptrdiff_t); break;  // signed size_t
                    case Len::t: v = va_arg(ap, ptrdiff_t); break;
                    default: v = va_arg(ap, int); break;
                }
                const bool neg = v < 0;
                const unsigned long long mag =
                    neg ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
                formatInteger(out, s, mag, neg, true);
                break;
            }
            case 'u':
            case 'o':
            case 'x':
            case 'X': {
                unsigned long long v;
                switch (len) {
                    case Len::hh: v = static_cast<unsigned char>(va_arg(ap, unsigned)); break;
                    case Len::h: v = static_cast<unsigned short>(va_arg(ap, unsigned)); break;
                    case Len::l: v = va_arg(ap, unsigned long); break;
                    case Len::ll: v = va_arg(ap, unsigned long long); break;
                    case Len::j: v = va_arg(ap, uintmax_t); break;
                    case Len::z: v = va_arg(ap, size_t); break;
                    case Len::t: v = static_cast<unsigned long long>(va_arg(ap, ptrdiff_t)); break;
                    default: v = va_arg(ap, unsigned); break;
                }
                formatInteger(out, s, v, false, false);
                break;
            }
            case 'c': {
                std::string body(1, static_cast<char>(va_arg(ap, int)));
                emit(out, s, "", body, false);
                break;
            }
            case 's': {
                const char* str = va_arg(ap, const char*);
                if (!str) str = "(null)";
                std::string body;
                if (s.precision >= 0) {
                    size_t n = 0;
                    while (n < static_cast<size_t>(s.precision) && str[n]) ++n;
                    body.assign(str, n);
                } else {
                    body = str;
                }
                emit(out, s, "", body, false);
                break;
            }
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
                if (len == Len::L) formatFloat(out, s, va_arg(ap, long double));
                else formatFloat(out, s, va_arg(ap, double));
                break;
            case '%':
                out += '%';
                break;
            default:
                // Unknown conversion: copy it through unchanged.
                out.append(specStart, static_cast<size_t>(p - specStart) + (*p ? 1 : 0));
                if (!*p) --p;
                break;
        }
    }
    va_end(ap);
    return out;
}

}  // namespace kvis
