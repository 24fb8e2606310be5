#include "app/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

#include "app/results_printout.h"
#include "document/document.h"
#include "engine/exit_status.h"
#include "model/atomic_file.h"
#include "model/project_file.h"
#include "model/settings.h"

#ifndef KVIS_VERSION
#define KVIS_VERSION "unknown"
#endif

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

// The parser names an unknown option without its dashes; the message shows it
// as it was typed.
QString unknownOption(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    for (qsizetype i = 1; i < arguments.size() && !unknown.isEmpty(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--")) break;
        if (a.size() < 2 || a[0] != u'-') continue;
        const QString name = a.mid(a[1] == u'-' ? 2 : 1).section(u'=', 0, 0);
        if (unknown.contains(name)) return QStringLiteral("unknown option '%1'").arg(a);
    }
    return parser.errorText();
}

}  // namespace

// The manual page is made from this text: the synopsis, its paragraphs, the
// "Options:" list and the "Exit status:" line become sections of the page.
QString usageText() {
    return QStringLiteral(
        "Usage: kvis [PROJECT.kvs]\n"
        "       kvis --print-pdf FILE.pdf [--select MASK] PROJECT.kvs\n"
        "\n"
        "Starts the desktop program. With PROJECT.kvs it opens that project at\n"
        "start-up as the Open command does: it shows the numbers of alternatives\n"
        "and criteria, or why the file cannot be loaded.\n"
        "\n"
        "Options:\n"
        "  --print-pdf FILE.pdf  load and compute the project and print the results\n"
        "                        into FILE.pdf on A4 portrait paper, without a window\n"
        "  --select MASK         items to print, 1 to 255 (default 255): 128 input data,\n"
        "                        64 concordance, 32 discordance, 16 robustness,\n"
        "                        8 outranking, 4 graph of outranking, 2 modified graph,\n"
        "                        1 kernel and final graph\n"
        "  --help                show this text\n"
        "  --version             show the version\n"
        "\n"
        "Exit status: 0 success, 1 no display was found (the desktop), the project\n"
        "cannot be loaded (--print-pdf) or standard output cannot be written,\n"
        "2 validation refused the project, 3 the computation failed (also for too\n"
        "little memory), 4 the PDF file cannot be created (it is never the project),\n"
        "64 wrong usage.\n");
}

QString versionText() { return QStringLiteral("kvis " KVIS_VERSION "\n"); }

QString usageErrorText(const QString& error) {
    return QStringLiteral("kvis: %1\n%2\nTry 'kvis --help' for more information.\n")
        .arg(error, usageText().section(QStringLiteral("\n\n"), 0, 0));
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // "-platform" is one unknown option, not eight unknown letters; the
    // toolkit's own options are refused like any other.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption printPdf(QStringLiteral("print-pdf"), QString(), QStringLiteral("FILE.pdf"));
    const QCommandLineOption select(QStringLiteral("select"), QString(), QStringLiteral("MASK"));
    parser.addOptions({help, version, printPdf, select});
    if (!parser.parse(arguments)) return usageError(unknownOption(parser, arguments));
    CommandLine c;
    if (parser.isSet(help)) {
        c.action = CommandLine::Action::Help;
        return c;
    }
    if (parser.isSet(version)) {
        c.action = CommandLine::Action::Version;
        return c;
    }
    const QStringList positional = parser.positionalArguments();
    if (!parser.isSet(printPdf)) {
        if (parser.isSet(select)) return usageError(QStringLiteral("--select belongs to --print-pdf"));
        if (positional.size() > 1) return usageError(QStringLiteral("unexpected argument '%1'").arg(positional[1]));
        if (!positional.isEmpty()) {
            if (positional[0].isEmpty()) return usageError(QStringLiteral("empty project file name"));
            // As the open dialog gives it: the recent list and the caption then
            // name the file wherever the program runs next.
            c.project = QFileInfo(positional[0]).absoluteFilePath();
        }
        return c;
    }
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

namespace {

int printToPdf(const CommandLine& c) {
    const std::string path = c.project.toStdString();
    if (sameFile(c.pdfPath.toStdString(), path)) {  // never over the project
        say(QStringLiteral("Cannot create file '%1'").arg(c.pdfPath));
        return kExitCannotWrite;
    }
    // The parameters come from the settings of the current folder, as for a
    // project opened in the desktop started there; nothing is written there.
    Document doc;
    std::array<std::string, 4> recent;
    doc.start(readSettings(QDir::currentPath().toStdString(), recent, false), recent);
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

}  // namespace

int printProjectToPdf(const CommandLine& c) {
    try {
        return printToPdf(c);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    say(QString::fromLatin1(kNotEnoughMemoryText));
    return kExitEngine;
}

int finishStandardOutput(int status) {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    say(QStringLiteral("kvis: cannot write to standard output: ") +
        QString::fromLocal8Bit(std::strerror(errno ? errno : EIO)));
    return status == kExitOk ? kExitStandardOutput : status;
}

}  // namespace kvis
