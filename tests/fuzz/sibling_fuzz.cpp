// The sibling import on any text: the counting pass and the full pass agree;
// a project it imports exports and imports again, and from the second export
// on the text no longer changes (the first keeps the full names).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "model/sibling.h"

namespace {

using namespace kvis;

void checkShape(const Project& p, const ImportResult& r) {
    FUZZ_CHECK(p.m == r.m && p.n == r.n);
    FUZZ_CHECK(static_cast<long long>(p.m) * p.n <= 10000000);
    checkProjectShape(p);
    for (const Criterion& c : p.criteria)
        FUZZ_CHECK(c.direction >= 0 && c.direction <= 1 && c.inverseMode >= 0 && c.inverseMode <= 1 &&
                   c.useVeto >= 0 && c.useVeto <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Project counted;
    const ImportResult counts = importProjectText(text, true, counted);
    FUZZ_CHECK(counted.m == 0 && counted.n == 0);  // the counting pass touches nothing
    Project full;
    const ImportResult read = importProjectText(text, false, full);
    FUZZ_CHECK(counts.ok == read.ok);
    if (!read.ok) {
        FUZZ_CHECK(full.m == 0 && full.n == 0 && full.criteria.empty());
        return 0;
    }
    FUZZ_CHECK(counts.m == read.m && counts.n == read.n);
    checkShape(full, read);

    std::string exported = exportText(full);
    for (int round = 0; round < 2; ++round) {
        Project back;
        const ImportResult again = importProjectText(exported, false, back);
        FUZZ_CHECK(again.ok);
        checkShape(back, again);
        FUZZ_CHECK(back.m == full.m && back.n == full.n);
        const std::string next = exportText(back);
        if (round == 1) FUZZ_CHECK(next == exported);
        exported = next;
    }
    return 0;
}
