#pragma once
// The checks a project must pass before it is computed, in the order they
// run; only the first failure is reported. The computation and the desktop's
// Computations command both ask here.
#include <string>

#include "model/project.h"

namespace kvis {

enum class Check {
    Passed,
    Numbers,        // a number that is not finite, or beyond 1e15 either way
    Thresholds,     // of some criterion; the question offers Edit criteria
    Weights,        // a negative weight, or a sum that is not above 0
    Level,          // level of concordance outside 0.5 .. upper
    DivisionGuard,  // the level and the weights would divide by zero
};

enum class MessageButtons { Ok, YesNo };

// The first failed check with its message box (always with the stop icon).
struct Validation {
    Check failed = Check::Passed;
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    bool passed() const { return failed == Check::Passed; }
};

Validation validate(const Project& p);

// The caption of every validation message, and the level's message, which
// the Level of concordance dialog shows as well.
inline constexpr const char* kValidationCaption = "Validation error";
std::string levelMessage(double upper);

// The largest magnitude a number of a computed project may have: the engine's
// sums and differences of such numbers stay exact enough and finite.
inline constexpr double kLargestNumber = 1e15;
// True when every evaluation, weight, threshold coefficient (the veto line's
// too, used or not) and the level lie within +-kLargestNumber.
bool numbersInRange(const Project& p);

bool checkCriterionThresholds(const Project& p, int j);
// upper = 1 - wmin / W, returned in every case.
bool checkLevelOfConcordance(const Project& p, double s, double& upper);

}  // namespace kvis
