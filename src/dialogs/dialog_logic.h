#pragma once
// What the editing and inspection dialogs show and decide, without any window:
// list lines, messages, proposals and bounds. The dialog classes only move these
// between the Project and their controls, so all of it is testable alone.
#include <string>
#include <vector>

#include "engine/results.h"
#include "model/project.h"

namespace kvis::dlg {

// ---- Messages (text, caption) -------------------------------------------------
inline constexpr const char* kDeleteAlternativeCaption = "Delete alternative";
inline constexpr const char* kDeleteCriterionCaption = "Delete criterion";
inline constexpr const char* kErrorAddingCriteria = "Error adding criteria";
inline constexpr const char* kErrorModifyingCriteria = "Error modifying criteria";
inline constexpr const char* kInvalidThresholdsCaption = "Invalid values of thresholds";
inline constexpr const char* kInvalidValueCaption = "Invalid value";
inline constexpr const char* kInvalidChoiceCaption = "Invalid choice";
inline constexpr const char* kArcsMessage =
    "Max number of arcs checked for cutting a cycle\n       must be between 2 and 9.";
inline constexpr const char* kSameAlternativeMessage = "An alternative cannot be compared\n        to itself.";

std::string deleteAlternativeQuestion(const std::string& name);
std::string deleteCriterionQuestion(const std::string& name);
std::string invalidThresholdsMessage(const std::string& criterionName);

// ---- Edits --------------------------------------------------------------------
// "%g" of a value.
std::string gText(double v);

// ---- Alternatives -------------------------------------------------------------
// " %-14.14s  %12.3lf " of a criterion's name and a value.
std::string alternativeValueLine(const std::string& criterionName, double value);
// Lines of Modify alternative for alternative i (every criterion in order).
std::vector<std::string> alternativeValueLines(const Project& p, int i);
// Lines of Add alternative for the pending values.
std::vector<std::string> pendingValueLines(const Project& p, const std::vector<double>& pending);
// "alter_%d" with n + 1.
std::string proposedAlternativeName(const Project& p);

// ---- Criteria -----------------------------------------------------------------
// At least one alternative's evaluation on j is not 0.
bool criterionHasValues(const Project& p, int j);
// The values Add criterion proposes: name "crit_%d" with m + 1, weight 1,
// Minimize, every threshold 0, both boxes clear.
Criterion proposedCriterion(const Project& p);
// Tests candidate values for criterion j without changing the Project:
// j < m tests them against j's evaluations, j == m as a new criterion whose
// evaluations are all 0 (with no alternative only the coefficients of growth count).
bool candidatePasses(const Project& p, int j, const Criterion& candidate);
// Index of the first criterion failing the threshold test, -1 when all pass.
int firstFailingCriterion(const Project& p);
// Lines of the Evaluation dialog: the evaluations g on criterion j and the
// lines alpha*g + beta of `shown` (the thresholds as typed).
std::vector<std::string> evaluationLines(const Project& p, int j, const Criterion& shown);
// The columns of those lines as character ranges [first, end): the name, then
// g, q, p and v, each number right-aligned in its twelve characters.
struct ColumnSpan {
    int first, end;
};
inline constexpr ColumnSpan kEvaluationColumns[5] = {{0, 16}, {17, 29}, {30, 42}, {43, 55}, {56, 68}};

// ---- Parameters ---------------------------------------------------------------
// Level check of the dialog: the engine's bound, or 1 when there is no criterion.
bool levelPasses(const Project& p, double s, double& upper);

// Check boxes of "Select ..." from bit 128 down to bit 1.
struct SelectBox {
    int id;
    int bit;
};
extern const SelectBox kSelectBoxes[8];

// ---- Pair comparison ----------------------------------------------------------
struct CompareLists {
    std::vector<std::string> qMinus, i, q, p, pv;
};
CompareLists compareLists(const Project& p, int a, int b);

// ---- Kernel -------------------------------------------------------------------
struct KernelLine {
    int vertex;
    std::string text;
};
// One line per kernel vertex in vertex order.
std::vector<KernelLine> kernelLines(const Project& p, const ResultsSet& r);
// Structure of kernel for vertex v: the code ("%3d"), the type and the member lines.
struct KernelStructure {
    std::string code;
    std::string type;
    std::vector<std::string> members;
};
KernelStructure kernelStructure(const Project& p, const ResultsSet& r, int v);

}  // namespace kvis::dlg
