#pragma once
// Runs kvis-batch in a folder and collects what it printed and wrote.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kvis::test {

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the batch program with `args` in `workDir`; its output streams go to a
// folder beside it so that they never count as files the program wrote.
inline BatchRun runBatch(const std::filesystem::path& workDir, const std::vector<std::string>& args) {
    const std::filesystem::path streams = workDir.string() + ".streams";
    std::filesystem::create_directories(streams);
    std::string cmd = "cd " + shellQuote(workDir.string()) + " && " + shellQuote(KVIS_BATCH);
    for (const std::string& a : args) cmd += " " + shellQuote(a);
    cmd += " >" + shellQuote((streams / "out").string()) + " 2>" + shellQuote((streams / "err").string());
    BatchRun r;
    int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(streams / "out");
    r.err = readFile(streams / "err");
    std::filesystem::remove_all(streams);
    return r;
}

// A fresh empty folder for one test.
inline std::filesystem::path freshDir(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() / ("kvis_cli_" + std::to_string(::getpid()) + "_" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace kvis::test
