#pragma once
// Start and end of a run, around the application's message loop.
#include <string>

#include "app/workspace.h"

namespace kvis {

// Records the start directory, empties the recent list and puts the Project
// in its start state with the settings read from `directory`.
void startUp(Workspace& w, const std::string& directory);
// Releases the Project and the results and writes the recent list into
// kvis.ini in the start directory.
void shutDown(Workspace& w);

// Registers the Qt resources of the program (icons, help).
void initResources();

}  // namespace kvis
