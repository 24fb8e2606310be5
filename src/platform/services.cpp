#include "platform/services.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBrowser>

#include "platform/icons.h"
#include "platform/test_hooks.h"

namespace kvis {

bool startProgram(const QString& program, const QStringList& arguments, const QString& workingDirectory) {
    if (auto* h = TestHooks::active()) {
        h->programs.push_back({program, arguments});
        return h->startSucceeds;
    }
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    if (!workingDirectory.isEmpty()) p.setWorkingDirectory(workingDirectory);
    return p.startDetached();
}

bool openInTextEditor(const QString& path) {
    const QString file = QFileInfo(path).absoluteFilePath();
    const bool desktop = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (desktop && (TestHooks::active() || !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())) {
        if (startProgram(QStringLiteral("xdg-open"), {file})) return true;
    }
    QString editor = qEnvironmentVariable("VISUAL");
    if (editor.isEmpty()) editor = qEnvironmentVariable("EDITOR");
    if (editor.isEmpty()) return false;
    QStringList command = QProcess::splitCommand(editor);
    if (command.isEmpty()) return false;
    command << file;
    const QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (!terminal.isEmpty()) return startProgram(terminal, QStringList{QStringLiteral("-e")} + command);
    const QString program = command.takeFirst();
    return startProgram(program, command);
}

void showHelp(HelpPage page) {
    const QString name = page == HelpPage::Contents ? QStringLiteral("index.html") : QStringLiteral("using_help.html");
    if (auto* h = TestHooks::active()) {
        h->helpPages.push_back(name);
        return;
    }
    static QPointer<QTextBrowser> viewer;
    if (!viewer) {
        viewer = new QTextBrowser;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setAttribute(Qt::WA_QuitOnClose, false);  // closing the main window ends the program
        viewer->setWindowTitle(QStringLiteral("KVIS Help"));
        viewer->setWindowIcon(resourceIcon(QStringLiteral("ICN_KVIS")));
        viewer->setOpenExternalLinks(true);
        viewer->resize(760, 620);
    }
    viewer->setSource(QUrl(QStringLiteral("qrc:/help/") + name));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

}  // namespace kvis
