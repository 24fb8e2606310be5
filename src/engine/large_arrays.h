#pragma once
// The n x n arrays of a computation on huge pages. Their first touch is most
// of what filling fresh results costs: one page fault for every 4 KiB, dear
// on a virtual machine. Where the system makes huge pages only on request
// (Linux's transparent huge pages in "madvise" mode, the usual default), an
// array asks for them before it is first written, and the same fill costs one
// fault per 2 MiB. Elsewhere the request does nothing and the arrays are
// plain vectors as before.
#include <cstddef>
#include <vector>

namespace kvis {

// Blocks smaller than this gain nothing from huge pages and are left alone.
inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// Asks for huge pages under the whole 2 MiB-aligned pages inside
// [data, data + bytes); memory the range does not fill up to such a page keeps
// its small pages. Returns whether the system took the request (false for a
// block too small to hold one, off Linux, or when the system refuses).
bool adviseHugePages(const void* data, std::size_t bytes);

// v becomes `count` copies of `value` in a block of its own, asked onto huge
// pages before the copies touch it. The former block is freed first, so the
// two never add up.
template <class T>
void assignLarge(std::vector<T>& v, std::size_t count, const T& value) {
    std::vector<T>().swap(v);
    v.reserve(count);
    adviseHugePages(v.data(), count * sizeof(T));
    v.assign(count, value);
}

}  // namespace kvis
