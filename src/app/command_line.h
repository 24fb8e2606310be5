#pragma once
// The desktop program's command line:
//   kvis                                             the desktop
//   kvis --print-pdf FILE.pdf [--select MASK] PROJECT.kvs
//   kvis --help
#include <QString>
#include <QStringList>

namespace kvis {

struct CommandLine {
    enum class Action { Desktop, PrintPdf, Help, UsageError };
    Action action = Action::Desktop;
    QString pdfPath;
    int select = 255;
    QString project;
    QString error;  // what is wrong with a command line of UsageError
};

// `arguments` as the program got them, the program's name first.
CommandLine parseCommandLine(const QStringList& arguments);

// The text of --help.
QString usageText();

// Loads the project, computes it and prints the chosen items into the PDF
// file, reporting a failure on standard error. Returns the exit status.
int printProjectToPdf(const CommandLine& c);

}  // namespace kvis
