#pragma once
// What the command lines (kvis-batch, kvis --print-pdf) exit with.
#include "engine/compute.h"

namespace kvis {

enum ExitStatus : int {
    kExitOk = 0,
    kExitCannotLoad = 1,
    kExitStandardOutput = 1,  // what a command prints cannot be written
    kExitValidation = 2,
    kExitEngine = 3,  // a cycle cannot be cut, or too little memory (also std::bad_alloc)
    kExitCannotWrite = 4,
    kExitUsage = 64,
};

// A command line stopped by SIGINT or SIGTERM exits as a shell reports a
// process ended by that signal: 130 or 143.
inline int exitStatusForSignal(int signal) { return 128 + signal; }

inline int exitStatusFor(ComputeStatus status) {
    switch (status) {
        case ComputeStatus::Computed:
        case ComputeStatus::AlreadyValid: return kExitOk;
        case ComputeStatus::EngineFailed:
        case ComputeStatus::OutOfMemory: return kExitEngine;
        default: return kExitValidation;
    }
}

}  // namespace kvis
