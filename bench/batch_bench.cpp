// `kvis-batch compute` end to end on the projects of make_projects.py: CPU
// seconds (user + system) and peak resident memory of the child, per input.
//
// usage: batch_bench KVIS_BATCH DIR [--timeout SECONDS] [--keep OUTDIR] [NAME ...]
//
// DIR holds the manifest that make_projects.py writes. With --keep the
// results files stay in OUTDIR (to compare two builds byte for byte);
// otherwise they go to a temporary folder that is removed. An input that runs
// past the timeout is killed and reported as such.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Input {
    std::string name, file;
    std::vector<std::string> options;
};

struct Run {
    bool timedOut = false;
    int status = -1;
    double cpu = 0;
    double wall = 0;
    double peakMiB = 0;
};

Run runOne(const std::string& batch, const std::string& dir, const Input& in, const std::string& out,
           double timeout) {
    std::vector<std::string> args = {batch, "compute", dir + "/" + in.file, "-o", out + "/" + in.name + ".kvr"};
    args.insert(args.end(), in.options.begin(), in.options.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    Run run;
    rusage usage{};
    int status = 0;
    for (;;) {
        const pid_t done = wait4(child, &status, WNOHANG, &usage);
        if (done == child) break;
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed > timeout && !run.timedOut) {
            run.timedOut = true;
            kill(child, SIGKILL);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
              static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: batch_bench KVIS_BATCH DIR [--timeout SECONDS] [--keep OUTDIR] [NAME ...]\n");
        return 64;
    }
    const std::string batch = argv[1];
    const std::string dir = argv[2];
    double timeout = 1200;
    std::string keep;
    std::vector<std::string> only;
    for (int i = 3; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--timeout" && i + 1 < argc)
            timeout = std::atof(argv[++i]);
        else if (a == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else
            only.push_back(a);
    }
    std::vector<Input> inputs;
    std::ifstream manifest(dir + "/manifest");
    for (std::string line; std::getline(manifest, line);) {
        std::istringstream words(line);
        Input in;
        words >> in.name >> in.file;
        for (std::string w; words >> w;) in.options.push_back(w);
        if (in.name.empty()) continue;
        if (only.empty() || std::find(only.begin(), only.end(), in.name) != only.end()) inputs.push_back(in);
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "batch_bench: no input in %s/manifest\n", dir.c_str());
        return 1;
    }
    std::string out = keep;
    if (out.empty()) {
        char pattern[] = "/tmp/kvis-batch-bench-XXXXXX";
        if (!mkdtemp(pattern)) return 1;
        out = pattern;
    } else {
        std::filesystem::create_directories(out);
    }
    std::printf("%-14s %6s %10s %10s %10s  %s\n", "input", "exit", "cpu_s", "wall_s", "peak_MiB", "");
    for (const Input& in : inputs) {
        const Run r = runOne(batch, dir, in, out, timeout);
        std::printf("%-14s %6d %10.2f %10.2f %10.1f  %s\n", in.name.c_str(), r.status, r.cpu, r.wall, r.peakMiB,
                    r.timedOut ? "killed at the timeout" : "");
        std::fflush(stdout);
    }
    if (keep.empty()) std::filesystem::remove_all(out);
    return 0;
}
