#pragma once
// What a computation needs in memory, and what the process can still have,
// so that a project too large for the machine is refused with a message
// instead of being killed by the system half way.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kvis {

// The results of n alternatives and the engine's working arrays, in bytes.
std::uint64_t computationBytes(int n);

// What the search for arcs to cut may keep in snapshots of its merging:
// 8 bytes a pair, at least 4 MiB (small projects try the most sets) and at
// most 64 MiB.
std::size_t trialSnapshotBytes(int n);

// What may still be allocated: the system's available memory (MemAvailable),
// or what is left of the process's address-space limit when that is lower.
std::uint64_t availableMemory();

// Tests only: availableMemory() returns this while it is set.
void setAvailableMemoryForTesting(std::optional<std::uint64_t> bytes);

}  // namespace kvis
