#pragma once
// Every operation that changes the Project, with its effect on the document
// state (modified, resultsValid) and the re-sizing of the arrays.
#include <string>
#include "model/project.h"

namespace kvis {

// New project and program start: empties the project, takes the three
// parameters (read from the settings file by the caller), comparePair = 0,1,
// selectionMask = 0, modified = resultsValid = 0. Computed results are released
// by the caller (they live in the ResultsSet).
void resetProject(Project& p, DocumentState& d, const Parameters& fromSettings);

// Rebuilds every evaluation text as "%g" of its value.
void rebuildEvaluationTexts(Project& p);
// 8 x max(8, longest alternative name).
int computeNameWidth(const Project& p);
// Every column descriptor {100, 2, 0}.
void resetColumnFormats(Project& p);

void addAlternative(Project& p, DocumentState& d, const std::string& name);
void deleteAlternative(Project& p, DocumentState& d, int a);
void renameAlternative(Project& p, DocumentState& d, int a, const std::string& name);
// Stores the value and its text; modified only when value or text changed.
void setEvaluation(Project& p, DocumentState& d, int a, int c, double value, const std::string& text);

// A text typed into the grid of evaluations, or moved over there: "-" keeps
// the value; the value's own "%g" text keeps it exactly (moving over a cell
// must not round it to six digits); any other text is read as a number, 0
// when it is none. The cell's text becomes what is shown ("-", or the value's
// "%g"), which is returned. resultsValid = 0; modified only when the value
// changed.
std::string typeEvaluation(Project& p, DocumentState& d, int a, int c, const std::string& typed);

void addCriterion(Project& p, DocumentState& d, const Criterion& c);
void modifyCriterion(Project& p, DocumentState& d, int j, const Criterion& c);
void deleteCriterion(Project& p, DocumentState& d, int j);

// modified only when the level changes; resultsValid = 0 in every case (the
// dialog's OK stands for a new level even when it is the same).
void setLevelOfConcordance(Project& p, DocumentState& d, double s);
void setAdvancedOptions(Project& p, DocumentState& d, int maxArcsToCut, double acceptableLoss);

}  // namespace kvis
