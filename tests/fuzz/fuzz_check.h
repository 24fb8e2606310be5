#pragma once
// A property that must hold for every input: a failure stops the fuzzer with
// the input saved, like a crash.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

#include <string_view>

#include "model/project.h"

// Every array of a read project is as large as its counts say.
inline void checkProjectShape(const kvis::Project& p) {
    FUZZ_CHECK(p.m >= 1 && p.n >= 1);
    FUZZ_CHECK(p.criteria.size() == static_cast<size_t>(p.m));
    FUZZ_CHECK(p.alternatives.size() == static_cast<size_t>(p.n));
    FUZZ_CHECK(p.evaluations.size() == static_cast<size_t>(p.m) * static_cast<size_t>(p.n));
    FUZZ_CHECK(p.evaluationTexts.size() == p.evaluations.size());
    FUZZ_CHECK(p.columnFormats.size() == static_cast<size_t>(p.m));
    FUZZ_CHECK(p.alternativeNameWidth >= 64);
}

// The counts of a project text, found as the reader finds them (the first token
// equal to the keyword, then the next token), multiplied. A text that claims
// millions of cells is a valid project of zeros; it only slows the search.
inline long long claimedCells(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; };
    auto count = [&](std::string_view keyword) -> long long {
        size_t pos = 0;
        bool next = false;
        while (pos < text.size()) {
            while (pos < text.size() && blank(text[pos])) ++pos;
            const size_t start = pos;
            while (pos < text.size() && !blank(text[pos])) ++pos;
            std::string_view token = text.substr(start, pos - start);
            if (next) {
                long long v = 0;
                if (!token.empty() && token[0] == '+') token.remove_prefix(1);
                for (char c : token) {
                    if (c < '0' || c > '9' || v > 1000000) break;
                    v = v * 10 + (c - '0');
                }
                return v;
            }
            next = token == keyword;
        }
        return 0;
    };
    return count("no_of_criteria") * count("no_of_alternatives");
}
