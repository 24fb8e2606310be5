#pragma once
// What a long computation tells its caller and asks it. Both calls come from
// the thread that computes; the desktop program shows them in a progress
// dialog, kvis-batch on a terminal.

namespace kvis {

enum class ComputeStage { Matrices, Merging, Cutting, Kernel, Writing };

// Told each stage as a long computation enters it and asked, from the
// computing thread, whether to stop.
class ComputeProgress {
public:
    virtual ~ComputeProgress() = default;
    virtual void stage(ComputeStage) {}
    // Polled at least every tenth of a second of computing.
    virtual bool cancelRequested() { return false; }
};

// Thrown inside the engine at a check point when cancelRequested() says so;
// computeResults catches it, releases the results and returns
// ComputeStatus::Cancelled with an empty text (nothing to show).
struct ComputationCancelled {};

// Polls `progress` (may be null) and throws ComputationCancelled.
void checkCancel(ComputeProgress* progress);

}  // namespace kvis
