#include "engine/memory.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <string>

#include "engine/results.h"

namespace kvis {

namespace {

std::optional<std::uint64_t> gAvailableForTesting;

// "MemAvailable:  123456 kB" of /proc/meminfo.
std::optional<std::uint64_t> systemAvailable() {
    std::ifstream in("/proc/meminfo");
    std::string key, unit;
    std::uint64_t kib = 0;
    while (in >> key >> kib >> unit)
        if (key == "MemAvailable:") return kib * 1024;
    return std::nullopt;
}

// The address-space limit less what the process has mapped already.
std::optional<std::uint64_t> addressSpaceLeft() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
    std::ifstream in("/proc/self/statm");
    std::uint64_t pages = 0;
    if (!(in >> pages)) return std::nullopt;
    const std::uint64_t used = pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

}  // namespace

std::uint64_t computationBytes(int n) {
    if (n <= 0) return 0;
    const std::uint64_t cells = static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n);
    // Per cell: the four matrices of texts (a code each), five integer
    // matrices, the robustness values, the engine's bit rows and marks, and
    // what the search for arcs to cut keeps of each inner arc of a group
    // (a group may hold every pair).
    // Per row: the lists and column formats, and the engine's lists.
    const std::uint64_t perCell = 4 * sizeof(TextMatrix::Code) + 5 * sizeof(int) + sizeof(double) + 16 + 12;
    return cells * perCell + static_cast<std::uint64_t>(n) * 256 + trialSnapshotBytes(n);
}

std::size_t trialSnapshotBytes(int n) {
    const std::uint64_t cells = n > 0 ? static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n) : 0;
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(cells * 8, std::uint64_t{4} << 20, std::uint64_t{64} << 20));
}

std::uint64_t availableMemory() {
    if (gAvailableForTesting) return *gAvailableForTesting;
    std::uint64_t available = std::numeric_limits<std::uint64_t>::max();
    if (auto m = systemAvailable()) available = std::min(available, *m);
    if (auto a = addressSpaceLeft()) available = std::min(available, *a);
    return available;
}

void setAvailableMemoryForTesting(std::optional<std::uint64_t> bytes) { gAvailableForTesting = bytes; }

}  // namespace kvis
