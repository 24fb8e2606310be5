#pragma once
// The desktop program's command line, read before any window exists so that
// --help, --version and --print-pdf need no display:
//   kvis [PROJECT.kvs]                               the desktop
//   kvis --print-pdf FILE.pdf [--select MASK] PROJECT.kvs
//   kvis --help | --version
#include <QString>
#include <QStringList>

namespace kvis {

struct CommandLine {
    enum class Action { Desktop, PrintPdf, Help, Version, UsageError };
    Action action = Action::Desktop;
    QString pdfPath;
    int select = 255;
    // PrintPdf: the project to print; Desktop: the project to open at
    // start-up, absolute, or empty for none.
    QString project;
    QString error;  // what is wrong with a command line of UsageError
};

// `arguments` as the program got them, the program's name first.
CommandLine parseCommandLine(const QStringList& arguments);

// The text of --help; its first paragraph is the synopsis.
QString usageText();
// The text of --version.
QString versionText();
// What a usage error prints: the error, the synopsis, where to read more.
QString usageErrorText(const QString& error);

// Loads the project, computes it and prints the chosen items into the PDF
// file, reporting a failure on standard error (memory that runs out too).
// Returns the exit status.
int printProjectToPdf(const CommandLine& c);

// `status`, unless what was printed on standard output could not be written:
// then a message on standard error and kExitStandardOutput.
int finishStandardOutput(int status);

}  // namespace kvis
