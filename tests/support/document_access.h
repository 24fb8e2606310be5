#pragma once
// Tests set a document up directly: a project in any state, hand-made results,
// flags as a case needs them.
#include "document/document.h"

namespace kvis {

struct DocumentAccess {
    static Project& project(Document& d) { return d.project_; }
    static DocumentState& state(Document& d) { return d.state_; }
    static ResultsSet& results(Document& d) { return d.results_; }
};

}  // namespace kvis
