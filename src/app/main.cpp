// The desktop program.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "app/command_line.h"
#include "app/kavorin_app.h"
#include "app/lifecycle.h"
#include "engine/exit_status.h"
#include "model/atomic_file.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const kvis::CommandLine command = kvis::parseCommandLine(arguments);
    // Every argument is read here: the toolkit gets none of them.
    int toolkitArgc = 1;
    switch (command.action) {
        case kvis::CommandLine::Action::Help:
            std::fputs(kvis::usageText().toLocal8Bit().constData(), stdout);
            return kvis::finishStandardOutput(kvis::kExitOk);
        case kvis::CommandLine::Action::Version:
            std::fputs(kvis::versionText().toLocal8Bit().constData(), stdout);
            return kvis::finishStandardOutput(kvis::kExitOk);
        case kvis::CommandLine::Action::UsageError:
            std::fputs(kvis::usageErrorText(command.error).toLocal8Bit().constData(), stderr);
            return kvis::kExitUsage;
        case kvis::CommandLine::Action::PrintPdf: {
            // No window is shown, so no display is needed.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            kvis::installTemporaryFileCleanup();
            QApplication qapp(toolkitArgc, argv);
            return kvis::printProjectToPdf(command);
        }
        case kvis::CommandLine::Action::Desktop:
            break;
    }
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!display) {
        std::fprintf(stderr, "kvis: no display found (set DISPLAY, or run it under xvfb-run)\n");
        return 1;
    }
    kvis::installTemporaryFileCleanup();
    kvis::TKavorinQApplication qapp(toolkitArgc, argv);
    kvis::identifyApplication();
    const std::string startDirectory = QDir::currentPath().toStdString();
    int rc = 0;
    {
        kvis::TKavorinApp app;
        kvis::startUp(app.document(), startDirectory);
        app.initMainWindow();
        app.showMainWindow();
        if (!command.project.isEmpty()) app.openProject(command.project.toStdString());
        rc = QApplication::exec();
        kvis::shutDown(app.document(), startDirectory);
    }
    return rc;
}
