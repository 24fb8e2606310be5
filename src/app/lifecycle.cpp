#include "app/lifecycle.h"

#include <QtGlobal>

#include "model/project_ops.h"
#include "model/settings.h"

// The resources of a static library are registered by hand.
static void initIconsResource() { Q_INIT_RESOURCE(icons); }

namespace kvis {

void initResources() {
    static bool done = false;
    if (done) return;
    done = true;
    initIconsResource();
}

void startUp(Workspace& w, const std::string& directory) {
    w.startDirectory = directory;
    w.doc.recentProjects = {};
    w.results.release();
    const Parameters params = readSettings(directory, w.doc.recentProjects);
    resetProject(w.project, w.doc, params);
    w.doc.untitled = 0;
    w.doc.projectPath.clear();
    w.doc.projectTitle.clear();
}

void shutDown(Workspace& w) {
    const auto recent = w.doc.recentProjects;
    const Parameters keep{w.project.levelOfConcordance, w.project.maxArcsToCut, w.project.acceptableLoss};
    w.results.release();
    resetProject(w.project, w.doc, keep);
    w.doc.recentProjects = recent;
    writeRecent(w.startDirectory, recent);
}

}  // namespace kvis
