#pragma once
// The process-wide state of the program: the one Project, its document state,
// the results of the last computation and the indices that one dialog hands to
// the next. The application object resets it at start and releases it at the
// end; dialogs and views read and write it in place.
#include <functional>
#include <string>

#include "engine/results.h"
#include "model/project.h"

namespace kvis {

struct Workspace {
    Project project;
    DocumentState doc;
    ResultsSet results;
    int selectedAlternative = 0;
    int selectedCriterion = 0;
    int selectedKernelVertex = 0;
    std::string startDirectory;

    // The close-all step: every result view closes, openViewsMask = 0. The
    // main window installs the view closing; without one only the mask clears.
    std::function<void()> closeAllHook;
    void closeAllViews();
};

Workspace& workspace();

}  // namespace kvis
