// The desktop program's command line: what it accepts, what --help, --version
// and a usage error print, and `kvis --print-pdf` run as a program without a
// display, with its PDF and its exit statuses.
#include "app/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

using namespace kvis;

namespace {

const QString kSource = QStringLiteral(KVIS_SOURCE_DIR);

std::string readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

int pdfPages(const std::string& pdf) {
    int pages = 0;
    for (size_t at = 0; (at = pdf.find("/Type /Page", at)) != std::string::npos; at += 11)
        if (pdf.compare(at + 11, 1, "s") != 0) ++pages;
    return pages;
}

QString quoted(const QString& s) {
    QString q = s;
    return QLatin1Char('\'') + q.replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

struct KvisRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs kvis in `folder` with no display at all.
KvisRun runKvis(const QString& folder, const QStringList& args) {
    const QString runtime = folder + QStringLiteral("/.runtime");
    QDir().mkpath(runtime);
    ::chmod(runtime.toLocal8Bit().constData(), 0700);
    QString cmd = QStringLiteral("cd %1 && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=%2 %3")
                      .arg(quoted(folder), quoted(runtime), quoted(QStringLiteral(KVIS_PROGRAM)));
    for (const QString& a : args) cmd += QLatin1Char(' ') + quoted(a);
    cmd += QStringLiteral(" >%1 2>%2").arg(quoted(runtime + QStringLiteral("/out")), quoted(runtime + QStringLiteral("/err")));
    KvisRun r;
    const int raw = std::system(cmd.toLocal8Bit().constData());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(runtime + QStringLiteral("/out"));
    r.err = readFile(runtime + QStringLiteral("/err"));
    QDir(runtime).removeRecursively();
    return r;
}

}  // namespace

TEST(CommandLine, Parsing) {
    using A = CommandLine::Action;
    const QString here = QDir::currentPath();
    struct Case {
        QStringList args;
        A action;
        QString pdf;
        int select;
        QString project;
        QString error;
    };
    const Case cases[] = {
        {{}, A::Desktop, "", 255, "", ""},
        {{"--help"}, A::Help, "", 255, "", ""},
        {{"-h"}, A::Help, "", 255, "", ""},
        {{"--print-pdf", "out.pdf", "p.kvs"}, A::PrintPdf, "out.pdf", 255, "p.kvs", ""},
        {{"p.kvs", "--select", "4", "--print-pdf=o.pdf"}, A::PrintPdf, "o.pdf", 4, "p.kvs", ""},
        {{"--print-pdf", "o.pdf", "--select=128", "p.kvs"}, A::PrintPdf, "o.pdf", 128, "p.kvs", ""},
        {{"--print-pdf"}, A::UsageError, "", 255, "", "Missing value after '--print-pdf'."},
        {{"--print-pdf", "o.pdf"}, A::UsageError, "", 255, "", "no project file given"},
        {{"--print-pdf", "o.pdf", "a.kvs", "b.kvs"}, A::UsageError, "", 255, "", "unexpected argument 'b.kvs'"},
        {{"--print-pdf", "", "a.kvs"}, A::UsageError, "", 255, "", "empty PDF file name"},
        {{"--print-pdf", "o.pdf", "--print-pdf", "p.pdf", "a.kvs"}, A::UsageError, "", 255, "", "more than one PDF file"},
        {{"--print-pdf", "o.pdf", "--select", "0", "a.kvs"}, A::UsageError, "", 255, "",
         "--select needs a number from 1 to 255, not '0'"},
        {{"--print-pdf", "o.pdf", "--select", "256", "a.kvs"}, A::UsageError, "", 255, "",
         "--select needs a number from 1 to 255, not '256'"},
        {{"--print-pdf", "o.pdf", "--select", "0x4", "a.kvs"}, A::UsageError, "", 255, "",
         "--select needs a number from 1 to 255, not '0x4'"},
        {{"--select", "4"}, A::UsageError, "", 255, "", "--select belongs to --print-pdf"},
        {{"--version"}, A::Version, "", 255, "", ""},
        // The desktop with a project: absolute, as the open dialog gives it.
        {{"p.kvs"}, A::Desktop, "", 255, here + "/p.kvs", ""},
        {{"/data/my projects/p.kvs"}, A::Desktop, "", 255, "/data/my projects/p.kvs", ""},
        {{"--", "-p.kvs"}, A::Desktop, "", 255, here + "/-p.kvs", ""},
        {{"a.kvs", "b.kvs"}, A::UsageError, "", 255, "", "unexpected argument 'b.kvs'"},
        {{""}, A::UsageError, "", 255, "", "empty project file name"},
        // Unknown options as typed, the toolkit's own among them.
        {{"--colour"}, A::UsageError, "", 255, "", "unknown option '--colour'"},
        {{"--colour=red", "p.kvs"}, A::UsageError, "", 255, "", "unknown option '--colour=red'"},
        {{"-style", "fusion"}, A::UsageError, "", 255, "", "unknown option '-style'"},
        {{"--help", "--nope"}, A::UsageError, "", 255, "", "unknown option '--nope'"},
        {{"--version=2"}, A::UsageError, "", 255, "", "Unexpected value after '--version'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CommandLine got = parseCommandLine(QStringList{"kvis"} + c.args);
        EXPECT_EQ(got.action, c.action);
        EXPECT_EQ(got.error.toStdString(), c.error.toStdString());
        EXPECT_EQ(got.project.toStdString(), c.project.toStdString());
        if (c.action != A::PrintPdf) continue;
        EXPECT_EQ(got.pdfPath, c.pdf);
        EXPECT_EQ(got.select, c.select);
    }
}

TEST(CommandLine, HelpAndVersionAnswerWithoutADisplayAndAUsageErrorShowsTheSynopsis) {
    QTemporaryDir dir;
    const std::string usage =
        "Usage: kvis [PROJECT.kvs]\n"
        "       kvis --print-pdf FILE.pdf [--select MASK] PROJECT.kvs\n";
    KvisRun r = runKvis(dir.path(), {"--help"});
    EXPECT_EQ(std::tuple(r.status, r.err), std::tuple(0, std::string()));
    EXPECT_EQ(r.out, usage +
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
    r = runKvis(dir.path(), {"--version"});
    EXPECT_EQ(std::tuple(r.status, r.out, r.err), std::tuple(0, std::string("kvis 3.0\n"), std::string()));
    // What they print must arrive.
    for (const char* option : {"--help", "--version"}) {
        SCOPED_TRACE(option);
        const QString err = dir.filePath(QStringLiteral("err"));
        const int raw = std::system((quoted(QStringLiteral(KVIS_PROGRAM)) + QLatin1Char(' ') + QLatin1String(option) +
                                     QStringLiteral(" >/dev/full 2>") + quoted(err))
                                        .toLocal8Bit()
                                        .constData());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
        EXPECT_EQ(readFile(err), "kvis: cannot write to standard output: No space left on device\n");
    }
    r = runKvis(dir.path(), {"--frobnicate", "car.kvs"});
    EXPECT_EQ(std::tuple(r.status, r.out, r.err),
              std::tuple(64, std::string(),
                         "kvis: unknown option '--frobnicate'\n" + usage + "Try 'kvis --help' for more information.\n"));
}

// The whole printout of the example with its cycle, then the graph of
// outranking alone; a file already there is replaced and no temporary file
// is left behind.
TEST(PrintPdf, WritesThePagesWithoutADisplay) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("car.pdf"));
    QFile::copy(kSource + QStringLiteral("/examples/car.kvs"), dir.filePath(QStringLiteral("car.kvs")));
    KvisRun r = runKvis(dir.path(), {"--print-pdf", "car.pdf", "car.kvs"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(readFile(pdf).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pdfPages(readFile(pdf)), 8);
    r = runKvis(dir.path(), {"--print-pdf", "car.pdf", "--select", "4", "car.kvs"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pdfPages(readFile(pdf)), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"car.kvs", "car.pdf"}));
}

TEST(PrintPdf, FailuresAndTheirStatuses) {
    QTemporaryDir dir;
    const QString golden = kSource + QStringLiteral("/tests/golden/");
    QFile::copy(kSource + QStringLiteral("/examples/car.kvs"), dir.filePath(QStringLiteral("car.kvs")));
    struct Case {
        const char* name;
        QStringList args;
        int status;
        QString err;
    } cases[] = {
        {"no project", {"--print-pdf", "o.pdf", "none.kvs"}, 1, "Cannot open file 'none.kvs'\n"},
        {"validation", {"--print-pdf", "o.pdf", golden + "validation_level/project.kvs"}, 2,
         "Value of the level of concordance\n    must be between 0.5 and 0.8\n"},
        {"engine", {"--print-pdf", "o.pdf", golden + "engine_fails/project.kvs"}, 3,
         "To cut a cycle, the algorithm must cut more arcs\n    than allowed in the Edit-Advanced options.   \n"},
        {"no folder", {"--print-pdf", "no/such/o.pdf", "car.kvs"}, 4, "Cannot create file 'no/such/o.pdf'\n"},
        {"over the project", {"--print-pdf", "./car.kvs", "car.kvs"}, 4, "Cannot create file './car.kvs'\n"},
        {"usage", {"--print-pdf", "o.pdf"}, 64,
         "kvis: no project file given\nUsage: kvis [PROJECT.kvs]\n"
         "       kvis --print-pdf FILE.pdf [--select MASK] PROJECT.kvs\n"
         "Try 'kvis --help' for more information.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KvisRun r = runKvis(dir.path(), c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err.toStdString());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"car.kvs"});
    }
}
