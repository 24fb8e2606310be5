#include "app/lifecycle.h"

#include <QApplication>
#include <QtGlobal>

#include "document/document.h"
#include "model/settings.h"
#include "platform/icons.h"

#ifndef KVIS_VERSION
#define KVIS_VERSION "unknown"
#endif
#ifndef KVIS_APP_ID
#define KVIS_APP_ID "kvis"
#endif

// The resources of a static library are registered by hand.
static void initIconsResource() { Q_INIT_RESOURCE(icons); }

namespace kvis {

void initResources() {
    static bool done = false;
    if (done) return;
    done = true;
    initIconsResource();
}

void identifyApplication() {
    initResources();
    QApplication::setApplicationName(QStringLiteral("KVIS"));
    QApplication::setApplicationVersion(QStringLiteral(KVIS_VERSION));
    // Matches the windows to the launcher under Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral(KVIS_APP_ID));
    QApplication::setWindowIcon(resourceIcon(QStringLiteral("ICN_KVIS")));
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
