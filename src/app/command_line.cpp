#include "app/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>
#include <cstdio>

#include "app/results_printout.h"
#include "document/document.h"
#include "engine/exit_status.h"
#include "model/project_file.h"
#include "model/settings.h"

namespace kvis {

namespace {

void say(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

CommandLine usageError(const QString& text) {
    CommandLine c;
    c.action = CommandLine::Action::UsageError;
    c.error = text;
    return c;
}

}  // namespace

QString usageText() {
    return QStringLiteral(
        "Usage: kvis [--print-pdf FILE.pdf [--select MASK] PROJECT.kvs]\n"
        "\n"
        "Without options the desktop program starts.\n"
        "\n"
        "Options:\n"
        "  --print-pdf FILE.pdf  load and compute the project and print the results\n"
        "                        into FILE.pdf on A4 portrait paper, without a window\n"
        "  --select MASK         items to print, 1 to 255 (default 255): 128 input data,\n"
        "                        64 concordance, 32 discordance, 16 robustness,\n"
        "                        8 outranking, 4 graph of outranking, 2 modified graph,\n"
        "                        1 kernel and final graph\n"
        "  --help                show this text\n"
        "\n"
        "Exit status of --print-pdf: 0 success, 1 the project cannot be loaded,\n"
        "2 validation refused the project, 3 the computation failed, 4 the PDF file\n"
        "cannot be created, 64 wrong usage.\n");
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption printPdf(QStringLiteral("print-pdf"), QString(), QStringLiteral("FILE.pdf"));
    const QCommandLineOption select(QStringLiteral("select"), QString(), QStringLiteral("MASK"));
    parser.addOptions({help, printPdf, select});
    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(help)) {
        CommandLine c;
        c.action = CommandLine::Action::Help;
        return c;
    }
    const QStringList positional = parser.positionalArguments();
    if (!parser.isSet(printPdf)) {
        if (parser.isSet(select)) return usageError(QStringLiteral("--select belongs to --print-pdf"));
        if (!positional.isEmpty()) return usageError(QStringLiteral("unexpected argument '%1'").arg(positional[0]));
        return {};
    }
    CommandLine c;
    c.action = CommandLine::Action::PrintPdf;
    if (parser.values(printPdf).size() > 1) return usageError(QStringLiteral("more than one PDF file"));
    c.pdfPath = parser.value(printPdf);
    if (c.pdfPath.isEmpty()) return usageError(QStringLiteral("empty PDF file name"));
    if (parser.isSet(select)) {
        const QString mask = parser.value(select);
        static const QRegularExpression number(QStringLiteral("^[0-9]{1,3}$"));
        if (!number.match(mask).hasMatch() || mask.toInt() < 1 || mask.toInt() > 255)
            return usageError(QStringLiteral("--select needs a number from 1 to 255, not '%1'").arg(mask));
        c.select = mask.toInt();
    }
    if (positional.isEmpty()) return usageError(QStringLiteral("no project file given"));
    if (positional.size() > 1) return usageError(QStringLiteral("unexpected argument '%1'").arg(positional[1]));
    c.project = positional[0];
    return c;
}

int printProjectToPdf(const CommandLine& c) {
    // The parameters come from the settings of the current folder, as for a
    // project opened in the desktop started there; nothing is written there.
    Document doc;
    std::array<std::string, 4> recent;
    doc.start(readSettings(QDir::currentPath().toStdString(), recent, false), recent);
    const std::string path = c.project.toStdString();
    Project loaded = doc.project();
    const LoadResult r = loadProject(path, loaded);
    if (!r.ok) {
        say(QString::fromStdString(loadFailureReport(path, r)));
        return kExitCannotLoad;
    }
    doc.open(std::move(loaded), path, r.testMode);
    const ComputeOutcome outcome = doc.compute();
    if (const int status = exitStatusFor(outcome.status)) {
        say(QString::fromStdString(outcome.text));
        return status;
    }
    TKavorinPrintout printout(doc, c.select);
    TPrinter printer;
    QString error;
    if (!printer.printToPdf(c.pdfPath, printout, &error)) {
        say(error);
        return kExitCannotWrite;
    }
    return kExitOk;
}

}  // namespace kvis
