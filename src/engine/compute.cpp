#include "engine/compute.h"

#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include "engine/graph.h"
#include "engine/matrices.h"
#include "engine/memory.h"

namespace kvis {

namespace {

// Cells are indexed a * n + b in an int; beyond this the index would overflow
// (and the arrays would need hundreds of gigabytes anyway).
constexpr int kMaxAlternatives = 46340;

ComputeOutcome stop(ComputeStatus status, std::string text) {
    return ComputeOutcome{status, Check::Passed, std::move(text), kComputationsImpossibleCaption};
}

}  // namespace

void checkCancel(ComputeProgress* progress) {
    if (progress && progress->cancelRequested()) throw ComputationCancelled{};
}

ComputeOutcome computeResults(const Project& p, DocumentState& d, ResultsSet& r, std::uint64_t outputBytes,
                              ComputeProgress* progress) {
    if (d.resultsValid == 1) return ComputeOutcome{};

    if (Validation v = validate(p); !v.passed())
        return ComputeOutcome{ComputeStatus::Refused, v.failed, std::move(v.text), std::move(v.caption), v.buttons};

    const ComputeOutcome noMemory = stop(ComputeStatus::OutOfMemory, kNotEnoughMemoryText);
    r.release();
    if (p.n > kMaxAlternatives) return noMemory;
    // Refused before the first allocation: the system would rather kill the
    // process than fail an allocation once memory runs out.
    const std::uint64_t needed = computationBytes(p.n);
    if (outputBytes > std::numeric_limits<std::uint64_t>::max() - needed || needed + outputBytes > availableMemory())
        return noMemory;
    bool engineDone = false;
    try {
        if (progress) progress->stage(ComputeStage::Matrices);
        checkCancel(progress);
        fillMatrices(p, r, progress);
        checkCancel(progress);
        if (progress) progress->stage(ComputeStage::Merging);
        engineDone = runEngine(p, r, progress);
    } catch (const ComputationCancelled&) {
        r.release();
        return ComputeOutcome{ComputeStatus::Cancelled, Check::Passed, {}, {}, MessageButtons::Ok};
    } catch (const std::bad_alloc&) {
        r.release();
        return noMemory;
    } catch (const std::length_error&) {
        r.release();
        return noMemory;
    }
    if (!engineDone)
        return stop(ComputeStatus::EngineFailed,
                    "To cut a cycle, the algorithm must cut more arcs\n"
                    "    than allowed in the Edit-Advanced options.   ");

    int k = 0;
    while (k < r.n && r.vertexMembers[r.at(k, 0)] != -1) ++k;
    r.vertexCount = k;
    d.resultsValid = 1;
    ComputeOutcome done;
    done.status = ComputeStatus::Computed;
    return done;
}

}  // namespace kvis
