#pragma once
// Platform services: starting programs, the text editor and the help viewer
// (the wait cursor of long work is background_work's).
#include <QString>
#include <QStringList>

class QWidget;

namespace kvis {

// Starts a program without waiting for it; false when it could not start.
bool startProgram(const QString& program, const QStringList& arguments,
                  const QString& workingDirectory = QString());

// Opens a file in the desktop's text editor without waiting: xdg-open under a
// desktop, else $VISUAL or $EDITOR in a terminal emulator. False when nothing
// could be started.
bool openInTextEditor(const QString& path);

// The help manual in a window of its own: its contents page or the page on
// using help.
enum class HelpPage { Contents, UsingHelp };
void showHelp(HelpPage page);

}  // namespace kvis
