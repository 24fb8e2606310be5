// The desktop program.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "app/kavorin_app.h"
#include "app/lifecycle.h"

int main(int argc, char** argv) {
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!display) {
        std::fprintf(stderr, "kvis: no display found (set DISPLAY, or run it under xvfb-run)\n");
        return 1;
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVIS"));
    // The command line is not used.
    const std::string startDirectory = QDir::currentPath().toStdString();
    int rc = 0;
    {
        kvis::TKavorinApp app;
        kvis::startUp(app.document(), startDirectory);
        app.initMainWindow();
        app.showMainWindow();
        rc = QApplication::exec();
        kvis::shutDown(app.document(), startDirectory);
    }
    return rc;
}
