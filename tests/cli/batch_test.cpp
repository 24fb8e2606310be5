#include <gtest/gtest.h>

#include <algorithm>

#include <csignal>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include "batch_runner.h"

namespace fs = std::filesystem;
using namespace kvis::test;

namespace {

const char* const kProject =
    "no_of_criteria 2\nno_of_alternatives 3\nthres_s 0.660\ncriteria price 0 1 0 quality 1 0 0 \n"
    "weights 0.500 2.000 \nthres_p 0.100 5.000 0.000 1.500 \nthres_q 0.000 5.000 0.000 0.500 \n"
    "thres_v 0.000 25.000 0.000 0.000 \nalternatives\na1 100.000 3.000 \nb 110.000 5.000 \nc 130.000 4.000 \n";

const std::string kHint = "Try 'kvis-batch --help' for more information.\n";

std::string manyAlternatives(int n) {  // results grow as n squared
    std::string text = "no_of_criteria 2 no_of_alternatives " + std::to_string(n) + " thres_s 0.6 criteria a 1 0 0 "
                       "b 1 0 0 weights 1 2 thres_p 0 1 0 1 thres_q 0 0 0 0 thres_v 0 0 0 0 alternatives\n";
    for (int i = 0; i < n; ++i) text += "x 1 1\n";
    return text;
}

TEST(Batch, HelpAndVersion) {
    const fs::path dir = freshDir("help");
    BatchRun help = runBatch(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: kvis-batch COMMAND ...\n", 0), 0u);
    EXPECT_NE(help.out.find("  compute PROJECT.kvs -o RESULTS.kvr [--select MASK] [--arcs K] [--loss X]\n"),
              std::string::npos);
    EXPECT_EQ(help.err, "");
    BatchRun version = runBatch(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("kvis-batch ", 0), 0u);
    fs::remove_all(dir);
}

TEST(Batch, UsageErrors) {
    const fs::path dir = freshDir("usage");
    writeFile(dir / "p.kvs", kProject);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "no command given"},
        {{"frobnicate", "p.kvs"}, "unknown command 'frobnicate'"},
        {{"compute", "-o", "r.kvr"}, "no input file given"},
        {{"compute", "p.kvs", "-o"}, "option '-o' needs a value"},
        {{"compute", "p.kvs", "-o", "r.kvr", "--select", "256"}, "--select needs a number from 0 to 255, not '256'"},
        {{"compute", "p.kvs", "-o", "r.kvr", "--select=12x"}, "--select needs a number from 0 to 255, not '12x'"},
        {{"compute", "p.kvs", "-o", "r.kvr", "--arcs", "-1"}, "--arcs needs a whole number of at least 0, not '-1'"},
        {{"compute", "p.kvs", "-o", "r.kvr", "--loss", "0,1"}, "--loss needs a number, not '0,1'"},
        {{"exchange", "p.kvs", "-o", "r.kvr", "--select", "1"}, "--select belongs to compute"},
        {{"import", "p.txt", "-o", "r.kvs", "--arcs", "3"}, "--arcs and --loss belong to compute and exchange"},
        {{"check", "p.kvs", "-o", "x"}, "check writes no file"},
        {{"export", "p.kvs", "q.kvs", "-o", "x"}, "unexpected argument 'q.kvs'"},
        {{"export", "p.kvs", "-o", "x", "-o", "y"}, "more than one output file"},
        {{"export", "p.kvs", "-x"}, "unknown option '-x'"},
    };
    for (const auto& [args, message] : cases) {
        BatchRun run = runBatch(dir, args);
        EXPECT_EQ(run.status, 64) << message;
        EXPECT_EQ(run.err, "kvis-batch: " + message + "\n" + kHint);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // nothing written
    fs::remove_all(dir);
}

// Validation refusals and the messages of the project loader are checked by the golden scenarios.
TEST(Batch, FailedRunsLeaveExistingOutputsAlone) {
    const fs::path dir = freshDir("keep");
    writeFile(dir / "bad.kvs", std::string(kProject).replace(std::string(kProject).find("0.660"), 5, "0.300"));
    writeFile(dir / "bad.txt", "\"x\"\n\"y\"\n4\n");
    writeFile(dir / "out.kvr", "old");
    EXPECT_EQ(runBatch(dir, {"compute", "bad.kvs", "-o", "out.kvr"}).status, 2);
    // Too many alternatives for the results to fit: the computation fails (3), not the validation.
    writeFile(dir / "huge.kvs", manyAlternatives(46341));
    BatchRun big = runBatch(dir, {"compute", "huge.kvs", "-o", "out.kvr"});
    EXPECT_EQ(big.status, 3);
    EXPECT_EQ(big.err, "Not enough memory to compute the results\n");
    fs::remove(dir / "huge.kvs");
    BatchRun run = runBatch(dir, {"import", "bad.txt", "-o", "out.kvr"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error opening project 'bad.txt'\nIt is not an Kavorin III/IV project file\n");
    run = runBatch(dir, {"export", "missing.kvs", "-o", "out.kvr"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot open file 'missing.kvs'\n");
    EXPECT_EQ(readFile(dir / "out.kvr"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
    fs::remove_all(dir);
}

// The advanced options reach the report's input data.
TEST(Batch, ComputeOptions) {
    const fs::path dir = freshDir("options");
    writeFile(dir / "p.kvs", kProject);
    BatchRun run = runBatch(dir, {"compute", "p.kvs", "--arcs=5", "--loss", "0.25", "--select", "128", "-o", "r.kvr"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(readFile(dir / "r.kvr").find("Max. number of arcs checked for cutting a cycle =  5\r\n"
                                           "Acceptable loss for cutting a smaller number of arcs = 0.25\r\n"),
              std::string::npos);
    fs::remove_all(dir);
}

// No output may be the input, by any name: refused before anything is read
// or written.
TEST(Batch, OutputsNeverOverwriteTheInput) {
    const fs::path dir = freshDir("same");
    writeFile(dir / "p.kvs", kProject);
    writeFile(dir / "a.cvs", kProject);
    writeFile(dir / "s.txt", "\"x\"\n\"y\"\n1\n");
    fs::create_hard_link(dir / "p.kvs", dir / "hard.kvr");
    fs::create_symlink("p.kvs", dir / "soft.kvr");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"compute", "a.cvs", "-o", "a.kvs", "--select", "64"}, "a.cvs"},  // the side file
        {{"exchange", "p.kvs", "-o", "hard.kvr"}, "hard.kvr"},
        {{"export", "p.kvs", "-o", "./soft.kvr"}, "./soft.kvr"},
        {{"import", "s.txt", "-o", "s.txt"}, "s.txt"},
    };
    for (const auto& [args, path] : cases) {
        SCOPED_TRACE(path);
        BatchRun run = runBatch(dir, args);
        EXPECT_EQ(run.status, 4);
        EXPECT_EQ(run.err, "Cannot create file '" + path + "'\n");
    }
    EXPECT_EQ(readFile(dir / "p.kvs") + readFile(dir / "a.cvs"), std::string(kProject) + kProject);
    EXPECT_EQ(readFile(dir / "s.txt"), "\"x\"\n\"y\"\n1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 5);
    fs::remove_all(dir);
}

// Runs kvis-batch with its standard output on `fd`; returns the status and
// what it wrote on standard error.
std::pair<int, std::string> runWithStdout(const fs::path& dir, int fd, const std::vector<std::string>& args) {
    const fs::path err = dir / "stderr";
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(fd, 1);
        FILE* e = std::freopen(err.c_str(), "w", stderr);
        if (!e || ::chdir(dir.c_str()) != 0) std::_Exit(99);
        std::vector<char*> argv{const_cast<char*>(KVIS_BATCH)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(KVIS_BATCH, argv.data());
        std::_Exit(98);
    }
    int raw = 0;
    ::waitpid(child, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(err)};
}

// What a command prints must arrive: a full device or a closed pipe fails it.
TEST(Batch, StandardOutputFailures) {
    const fs::path dir = freshDir("stdout");
    writeFile(dir / "p.kvs", kProject);
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);  // nobody will read
    const std::pair<int, std::string> outputs[] = {{full, "No space left on device"}, {ends[1], "Broken pipe"}};
    for (const auto& [fd, reason] : outputs) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"check", "p.kvs"}, {"--help"}, {"--version"}}) {
            SCOPED_TRACE(reason + " " + args[0]);
            EXPECT_EQ(runWithStdout(dir, fd, args),
                      std::pair(1, "kvis-batch: cannot write to standard output: " + reason + "\n"));
        }
    }
    ::close(full);
    ::close(ends[1]);
    fs::remove_all(dir);
}

// Memory: a computation larger than the address space left is refused before
// it allocates; a std::bad_alloc anywhere else ends the command the same way.
TEST(Batch, OutOfMemory) {
    if (KVIS_SANITIZED) GTEST_SKIP() << "address-space limits and the sanitizers do not mix";
    const fs::path dir = freshDir("memory");
    writeFile(dir / "large.kvs", manyAlternatives(3000));  // its results need 470 MB
    writeFile(dir / "cells.kvs", "no_of_criteria 100000 no_of_alternatives 100 thres_s 1 criteria weights thres_p "
                                 "thres_q thres_v alternatives");  // ten million evaluations of 0
    for (const auto& [args, what] : {std::pair{std::vector<std::string>{"compute", "large.kvs", "-o", "r.kvr"},
                                               "estimate"},
                                     {{"check", "cells.kvs"}, "bad_alloc"}}) {
        SCOPED_TRACE(what);
        std::string cmd = "cd " + shellQuote(dir.string()) + " && ulimit -v 300000 && " + shellQuote(KVIS_BATCH);
        for (const std::string& a : args) cmd += " " + shellQuote(a);
        cmd += " >/dev/null 2>" + shellQuote((dir / "err").string());
        const int raw = std::system(cmd.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 3);
        EXPECT_EQ(readFile(dir / "err"), "Not enough memory to compute the results\n");
    }
    EXPECT_FALSE(fs::exists(dir / "r.kvr"));
    fs::remove_all(dir);
}

// SIGINT or SIGTERM while a large project computes or writes: the command
// stops at its next check point with 128 + the signal, leaves the report it
// would have replaced as it was and no temporary file behind, and says
// nothing when standard error is not a terminal.
TEST(Batch, SignalCancelsCleanly) {
    if (KVIS_SANITIZED) GTEST_SKIP() << "too slow under the sanitizers to be interrupted in time";
    const fs::path dir = freshDir("signal");
    std::string large = "no_of_criteria 10\nno_of_alternatives 2000\nthres_s 0.800\ncriteria";
    for (int j = 0; j < 10; ++j) large += " c" + std::to_string(j) + " 1 1 0";
    large += "\nweights";
    for (int j = 0; j < 10; ++j) large += " " + std::to_string(1 + j % 3);
    for (const char* line : {"thres_p", "thres_q", "thres_v"}) {
        large += std::string("\n") + line;
        for (int j = 0; j < 10; ++j) large += line[6] == 'p' ? " 0 3" : line[6] == 'q' ? " 0 1" : " 0 50";
    }
    large += "\nalternatives\n";
    for (int i = 0; i < 2000; ++i) {
        large += "a" + std::to_string(i);
        for (int j = 0; j < 10; ++j) large += " " + std::to_string((i * 7919) % 2000 * 10 + j % 4);
        large += "\n";
    }
    writeFile(dir / "large.kvs", large);
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        writeFile(dir / "res.kvr", "old\n");
        const pid_t child = ::fork();
        if (child == 0) {
            FILE* e = std::freopen((dir / "stderr").c_str(), "w", stderr);
            if (!e || ::chdir(dir.c_str()) != 0) std::_Exit(99);
            ::execl(KVIS_BATCH, KVIS_BATCH, "compute", "large.kvs", "-o", "res.kvr", static_cast<char*>(nullptr));
            std::_Exit(98);
        }
        ::usleep(300000);
        ::kill(child, signal);
        int raw = 0;
        ::waitpid(child, &raw, 0);
        ASSERT_TRUE(WIFEXITED(raw)) << "ended by signal " << WTERMSIG(raw);
        EXPECT_EQ(WEXITSTATUS(raw), 128 + signal);
        EXPECT_EQ(readFile(dir / "res.kvr"), "old\n");
        EXPECT_EQ(readFile(dir / "stderr"), "");
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(dir)) left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"large.kvs", "res.kvr", "stderr"}));
    }
    fs::remove_all(dir);
}

// On a terminal the stages go to standard error in order, cutting included
// for a project whose three alternatives beat each other round.
TEST(Batch, StagesOnATerminal) {
    const fs::path dir = freshDir("stages");
    writeFile(dir / "round.kvs",
              "no_of_criteria 3\nno_of_alternatives 3\nthres_s 0.600\ncriteria a 1 0 0 b 1 0 0 c 1 0 0\n"
              "weights 1 1 1\nthres_p 0 1 0 1 0 1\nthres_q 0 0 0 0 0 0\nthres_v 0 0 0 0 0 0\nalternatives\n"
              "x 30 20 10\ny 10 30 20\nz 20 10 30\n");
    int terminal = -1;
    int side = -1;
    ASSERT_EQ(::openpty(&terminal, &side, nullptr, nullptr, nullptr), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(side, 2);
        if (::chdir(dir.c_str()) != 0) std::_Exit(99);
        ::execl(KVIS_BATCH, KVIS_BATCH, "compute", "round.kvs", "-o", "r.kvr", static_cast<char*>(nullptr));
        std::_Exit(98);
    }
    ::close(side);
    int raw = 0;
    ::waitpid(child, &raw, 0);
    std::string shown;
    char buffer[256];
    for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<size_t>(got));
    ::close(terminal);
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 0);
    EXPECT_EQ(shown,
              "kvis-batch: matrices\r\nkvis-batch: merging of cycles\r\nkvis-batch: cutting cycles\r\n"
              "kvis-batch: kernel\r\nkvis-batch: writing\r\n");
    fs::remove_all(dir);
}

}  // namespace
