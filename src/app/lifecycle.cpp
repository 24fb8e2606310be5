#include "app/lifecycle.h"

#include <QApplication>
#include <QtGlobal>
#include <new>
#include <stdexcept>

#include "document/document.h"
#include "engine/compute.h"
#include "model/settings.h"
#include "platform/icons.h"
#include "platform/message_box.h"

#ifndef KVIS_VERSION
#define KVIS_VERSION "unknown"
#endif
#ifndef KVIS_APP_ID
#define KVIS_APP_ID "kvis"
#endif

// The resources of a static library are registered by hand.
static void initIconsResource() { Q_INIT_RESOURCE(icons); }

namespace kvis {

bool TKavorinQApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    messageBox(activeWindow(), QString::fromLatin1(kNotEnoughMemoryText),
               QString::fromLatin1(kComputationsImpossibleCaption), MB_OK | MB_ICONSTOP);
    return false;
}

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
