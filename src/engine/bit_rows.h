#pragma once
// Rows and columns of a graph as bit sets, 64 vertices a word: the merging
// and the trial of arc sets run on these instead of the n x n int arrays.
#include <bit>
#include <cstddef>
#include <cstdint>

namespace kvis::bits {

using Word = std::uint64_t;

inline int wordsFor(int n) { return (n + 63) / 64; }

// Without a target option the compiler calls a library routine for popcount.
inline int bitCount(Word x) {
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

inline bool testBit(const Word* b, int i) { return (b[i >> 6] >> (i & 63)) & 1; }
inline void setBit(Word* b, int i) { b[i >> 6] |= Word(1) << (i & 63); }
inline void clearBit(Word* b, int i) { b[i >> 6] &= ~(Word(1) << (i & 63)); }

// Calls f for every set bit in increasing order; f may change other sets.
template <class F>
void forEachBit(const Word* b, int words, F f) {
    for (int w = 0; w < words; ++w) {
        Word x = b[w];
        while (x) {
            f(w * 64 + std::countr_zero(x));
            x &= x - 1;
        }
    }
}

}  // namespace kvis::bits
