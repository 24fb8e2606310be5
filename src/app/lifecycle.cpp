#include "app/lifecycle.h"

#include <QtGlobal>

#include "document/document.h"
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

void startUp(Document& doc, const std::string& directory) {
    std::array<std::string, 4> recent;
    const Parameters params = readSettings(directory, recent);
    doc.start(params, recent);
}

void shutDown(const Document& doc, const std::string& startDirectory) {
    writeRecent(startDirectory, doc.state().recentProjects);
}

}  // namespace kvis
