#pragma once
// The Computations command without its user interface: validation, then the
// engine. The shell shows what this returns.
#include <cstdint>
#include <string>
#include "engine/progress.h"
#include "engine/results.h"
#include "engine/validate.h"
#include "model/project.h"

namespace kvis {

enum class ComputeStatus {
    AlreadyValid,  // resultsValid was 1: nothing done, nothing shown
    Computed,
    Refused,       // a check failed (`refused` says which); nothing released
    EngineFailed,
    OutOfMemory,   // the results do not fit in memory; nothing is kept
    Cancelled,     // stopped through `progress`; nothing is kept, nothing shown
};

struct ComputeOutcome {
    ComputeStatus status = ComputeStatus::AlreadyValid;
    Check refused = Check::Passed;
    std::string text;     // message box text ("" when nothing is shown)
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;  // always with the stop icon
};

// The refusal when memory is short, also for a std::bad_alloc caught at the
// boundary of any command.
inline constexpr const char* kNotEnoughMemoryText = "Not enough memory to compute the results";
inline constexpr const char* kComputationsImpossibleCaption = "Computations impossible";

// Validates; on success releases and refills `r`, runs the engine, sets
// vertexCount and resultsValid. Whatever shows `r` in place lets go of it
// before a call that passes validation. The computation is refused as out of
// memory when it and `outputBytes` (what the caller's outputs will take) need
// more than is available. `progress` (may be null) hears the stages and may
// cancel; a cancelled computation leaves resultsValid 0 and no results.
ComputeOutcome computeResults(const Project& p, DocumentState& d, ResultsSet& r, std::uint64_t outputBytes = 0,
                              ComputeProgress* progress = nullptr);

}  // namespace kvis
