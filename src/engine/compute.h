#pragma once
// The Computations command without its user interface: validation, then the
// engine. The shell shows what this returns.
#include <string>
#include "engine/results.h"
#include "model/project.h"

namespace kvis {

enum class ComputeStatus {
    AlreadyValid,       // resultsValid was 1: nothing done, nothing shown
    Computed,
    InvalidThresholds,  // Yes opens Edit criteria
    InvalidWeights,
    InvalidLevel,
    DivisionGuard,
    EngineFailed,
    OutOfMemory,        // the results do not fit in memory; nothing is kept
};

enum class MessageButtons { Ok, YesNo };

struct ComputeOutcome {
    ComputeStatus status = ComputeStatus::AlreadyValid;
    std::string text;     // message box text ("" when nothing is shown)
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;  // always with the stop icon
    bool yesEditsCriteria = false;
};

bool checkCriterionThresholds(const Project& p, int j);
// upper = 1 - wmin / W, returned in every case.
bool checkLevelOfConcordance(const Project& p, double s, double& upper);

// Validates; on success releases and refills `r`, runs the engine, sets
// vertexCount and resultsValid. The caller closes the result views first.
ComputeOutcome computeResults(const Project& p, DocumentState& d, ResultsSet& r);

}  // namespace kvis
