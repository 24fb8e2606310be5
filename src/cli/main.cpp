// kvis-batch: the project, results and exchange files without the desktop.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <regex>
#include <unistd.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/compute.h"
#include "engine/exit_status.h"
#include "engine/results.h"
#include "model/atomic_file.h"
#include "model/numfmt.h"
#include "model/project.h"
#include "model/project_file.h"
#include "model/project_ops.h"
#include "model/sibling.h"
#include "output/exchange_file.h"
#include "output/results_file.h"

#ifndef KVIS_VERSION
#define KVIS_VERSION "unknown"
#endif

namespace {

using namespace kvis;

const char* const kUsageText =
    "Usage: kvis-batch COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  compute PROJECT.kvs -o RESULTS.kvr [--select MASK] [--arcs K] [--loss X]\n"
    "      compute the results and write the results file (with its side files\n"
    "      when the concordance or discordance matrix is selected)\n"
    "  exchange PROJECT.kvs -o FILE.kvr [--arcs K] [--loss X]\n"
    "      compute the results and write the exchange file of the cycle-removal tool\n"
    "  import FILE.txt -o PROJECT.kvs\n"
    "      convert a Kavorin III/IV project into a project file\n"
    "  export PROJECT.kvs -o FILE.txt\n"
    "      convert a project file into a Kavorin III/IV project\n"
    "  check PROJECT.kvs\n"
    "      load a project and print its counts\n"
    "\n"
    "Options:\n"
    "  --select MASK  sections of the results file, 0 to 255 (default 255): 128 input\n"
    "                 data, 64 concordance, 32 discordance, 16 robustness,\n"
    "                 8 outranking, 2 modified graph, 1 kernel and final graph\n"
    "  --arcs K       maximum number of arcs checked for cutting a cycle (default 2)\n"
    "  --loss X       acceptable loss for cutting a smaller number of arcs (default 0.1)\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "Exit status: 0 success, 1 the project cannot be loaded or imported, or\n"
    "standard output cannot be written, 2 validation refused the project,\n"
    "3 the computation failed (a cycle cannot be cut, or too little memory),\n"
    "4 an output file cannot be created (the input file never is one),\n"
    "64 wrong usage.\n";

void say(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fputc('\n', stderr);
}

int usageError(const std::string& text) {
    say("kvis-batch: " + text);
    say("Try 'kvis-batch --help' for more information.");
    return kExitUsage;
}

// The signal that asked the command to stop (SIGINT or SIGTERM), 0 for none.
volatile std::sig_atomic_t gStopSignal = 0;

extern "C" void onStopSignal(int signal) { gStopSignal = signal; }

// The stages on standard error when a person watches it; the signal handler
// (after removing the temporary files) only asks the work to stop, which it
// does at its next check point.
class BatchProgress : public ComputeProgress {
public:
    BatchProgress() : shown_(::isatty(STDERR_FILENO) == 1) {}
    void stage(ComputeStage s) override {
        if (!shown_) return;
        static const char* const names[] = {"matrices", "merging of cycles", "cutting cycles", "kernel", "writing"};
        say(std::string("kvis-batch: ") + names[static_cast<int>(s)]);
    }
    bool cancelRequested() override { return gStopSignal != 0; }

private:
    bool shown_;
};

struct Options {
    std::string command;
    std::string input;
    std::string output;
    bool hasOutput = false;
    bool hasSelect = false, hasArcs = false, hasLoss = false;
    int select = 255;
    int arcs = 2;
    double loss = 0.1;
};

bool isInteger(const std::string& s) { return std::regex_match(s, std::regex("[+-]?[0-9]{1,9}")); }
bool isReal(const std::string& s) {
    return std::regex_match(s, std::regex("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?"));
}

// Returns kExitOk, or the exit status of a usage error (already reported).
int parse(const std::vector<std::string>& args, Options& o) {
    o.command = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool inlineValue = false;
        if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            value = arg.substr(arg.find('=') + 1);
            arg = arg.substr(0, arg.find('='));
            inlineValue = true;
        }
        const bool takesValue = arg == "-o" || arg == "--output" || arg == "--select" || arg == "--arcs" ||
                                arg == "--loss";
        if (takesValue && !inlineValue) {
            if (i + 1 >= args.size()) return usageError("option '" + arg + "' needs a value");
            value = args[++i];
        }
        if (arg == "-o" || arg == "--output") {
            if (o.hasOutput) return usageError("more than one output file");
            o.output = value;
            o.hasOutput = true;
        } else if (arg == "--select") {
            if (!isInteger(value) || readInt(value) < 0 || readInt(value) > 255)
                return usageError("--select needs a number from 0 to 255, not '" + value + "'");
            o.select = readInt(value);
            o.hasSelect = true;
        } else if (arg == "--arcs") {
            if (!isInteger(value) || readInt(value) < 0)
                return usageError("--arcs needs a whole number of at least 0, not '" + value + "'");
            o.arcs = readInt(value);
            o.hasArcs = true;
        } else if (arg == "--loss") {
            if (!isReal(value)) return usageError("--loss needs a number, not '" + value + "'");
            o.loss = readDouble(value);
            o.hasLoss = true;
        } else if (inlineValue || (arg.size() > 1 && arg[0] == '-')) {
            return usageError("unknown option '" + args[i] + "'");
        } else if (o.input.empty()) {
            o.input = arg;
        } else {
            return usageError("unexpected argument '" + arg + "'");
        }
    }
    const bool computes = o.command == "compute" || o.command == "exchange";
    if (o.command != "compute" && o.command != "exchange" && o.command != "import" && o.command != "export" &&
        o.command != "check")
        return usageError("unknown command '" + o.command + "'");
    if (o.input.empty()) return usageError("no input file given");
    if (o.command == "check" && o.hasOutput) return usageError("check writes no file");
    if (o.command != "check" && !o.hasOutput) return usageError("no output file given (-o FILE)");
    if (o.hasOutput && o.output.empty()) return usageError("empty output file name");
    if (o.hasSelect && o.command != "compute") return usageError("--select belongs to compute");
    if ((o.hasArcs || o.hasLoss) && !computes) return usageError("--arcs and --loss belong to compute and exchange");
    return kExitOk;
}

int load(const std::string& path, Project& p) {
    LoadResult r = loadProject(path, p);
    if (r.ok) return kExitOk;
    say(loadFailureReport(path, r));
    return kExitCannotLoad;
}

// The files a command writes; none may be the file it reads.
std::vector<std::string> outputPaths(const Options& o) {
    if (o.command == "compute") return resultsFilePaths(o.output, o.select);
    if (o.command == "check") return {};
    return {o.output};
}

// The Computations command with the advanced options of the command line.
int compute(const Options& o, Project& p, DocumentState& d, ResultsSet& r, BatchProgress& progress) {
    if (int status = load(o.input, p)) return status;
    setAdvancedOptions(p, d, o.arcs, o.loss);
    const std::uint64_t outputs = o.command == "compute" ? resultsOutputBytes(p, o.select) : exchangeOutputBytes(p);
    ComputeOutcome outcome = computeResults(p, d, r, outputs, &progress);
    if (outcome.status == ComputeStatus::Cancelled) return exitStatusForSignal(gStopSignal);
    const int status = exitStatusFor(outcome.status);
    if (status != kExitOk) say(outcome.text);
    return status;
}

// A write that failed because a signal removed its temporary file is the
// signal's, not the disk's: no message then.
int failedWrite(const std::string& error) {
    if (gStopSignal) return kExitOk;
    say(error);
    return kExitCannotWrite;
}

int run(const Options& o) {
    Project p;
    DocumentState d;
    ResultsSet r;
    std::string error;
    bool overInput = false;
    for (const std::string& path : outputPaths(o)) {
        if (!sameFile(path, o.input)) continue;
        say("Cannot create file '" + path + "'");
        overInput = true;
    }
    if (overInput) return kExitCannotWrite;
    if (o.command == "check") {
        if (int status = load(o.input, p)) return status;
        std::printf("Number of alternatives:  %s\nNumber of criteria:  %s\n", format("%d", p.n).c_str(),
                    format("%d", p.m).c_str());
        return kExitOk;
    }
    BatchProgress progress;
    if (o.command == "compute") {
        if (int status = compute(o, p, d, r, progress)) return status;
        checkCancel(&progress);
        progress.stage(ComputeStage::Writing);
        if (!saveResultsFile(o.output, p, d, r, o.select, &error, {}, &progress)) return failedWrite(error);
        return kExitOk;
    }
    if (o.command == "exchange") {
        if (int status = compute(o, p, d, r, progress)) return status;
        checkCancel(&progress);
        progress.stage(ComputeStage::Writing);
        if (!writeExchangeFile(o.output, p, r, &error)) return failedWrite(error);
        return kExitOk;
    }
    if (o.command == "import") {
        ImportResult counts = importProject(o.input, true, p);
        ImportResult full = counts.ok ? importProject(o.input, false, p) : counts;
        if (!full.ok) {
            say(loadFailureCaption(o.input) + "\n" + full.message);
            return kExitCannotLoad;
        }
        // The parameters an import takes from the settings file, at their defaults.
        const Parameters defaults;
        p.levelOfConcordance = defaults.levelOfConcordance;
        p.maxArcsToCut = defaults.maxArcsToCut;
        p.acceptableLoss = defaults.acceptableLoss;
        if (!writeProject(o.output, p)) return say("Cannot create file '" + o.output + "'"), kExitCannotWrite;
        return kExitOk;
    }
    // export
    if (int status = load(o.input, p)) return status;
    if (!exportProject(o.output, p, &error)) return say(error), kExitCannotWrite;
    return kExitOk;
}

int command(const std::vector<std::string>& args) {
    if (args.empty()) return usageError("no command given");
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            std::fputs(kUsageText, stdout);
            return kExitOk;
        }
        if (a == "--version") {
            std::printf("kvis-batch %s\n", KVIS_VERSION);
            return kExitOk;
        }
    }
    Options o;
    if (int status = parse(args, o)) return status;
    return run(o);
}

// What was printed must have arrived: a full device or a closed pipe is a
// failure of the command, not a success.
int checkStandardOutput(int status) {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    say(std::string("kvis-batch: cannot write to standard output: ") + std::strerror(errno ? errno : EIO));
    return status == kExitOk ? kExitStandardOutput : status;
}

}  // namespace

int main(int argc, char** argv) {
    // A closed pipe is reported as a failed write, not by a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    installTemporaryFileCleanup(onStopSignal);
    int status = kExitOk;
    try {
        status = command(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ComputationCancelled&) {
        status = kExitOk;  // the signal's status below
    } catch (const std::bad_alloc&) {
        say(kNotEnoughMemoryText);
        status = kExitEngine;
    } catch (const std::length_error&) {
        say(kNotEnoughMemoryText);
        status = kExitEngine;
    }
    // Whatever was under way when the signal came has stopped, its
    // temporary files removed; any message it left about them is moot.
    if (gStopSignal) return exitStatusForSignal(gStopSignal);
    return checkStandardOutput(status);
}
