#include "output/exchange_file.h"

#include <algorithm>
#include <vector>

#include "model/atomic_file.h"
#include "output/results_file.h"

namespace kvis {

namespace {

void exchange(TextSink& out, const Project& p, const ResultsSet& r) {
    std::vector<std::string> names;
    for (const Alternative& a : p.alternatives) names.push_back(a.name);
    writeMatrixSection(out, "[Matrix of robustness]", names, names, r.robustnessTexts);
    writeMatrixSection(out, "[Matrix of outranking]", names, names, r.outrankingTexts);
    writeModifiedGraphSection(out.text, p, r);
    out.drain();
    writeKernelLines(out.text, p, r);
    out.text += "\n\n";
}

}  // namespace

std::string exchangeText(const Project& p, const ResultsSet& r) {
    TextSink out;
    exchange(out, p, r);
    return out.text;
}

std::uint64_t exchangeOutputBytes(const Project& p) {
    // Streamed as the report is (a chunk and the row being made), and a line
    // per kernel vertex.
    const std::uint64_t n = static_cast<std::uint64_t>(std::max(p.n, 0));
    return resultsOutputBytes(p, 0) + n * 64;
}

bool writeExchangeFile(const std::string& path, const Project& p, const ResultsSet& r, std::string* error,
                       const std::string& projectFile) {
    AtomicFileSet file;
    if (!projectFile.empty()) file.protect(projectFile);
    TextSink out;
    out.file = &file.add(path, true);
    exchange(out, p, r);
    out.finish();
    if (file.commit()) return true;
    if (error) *error = file.error();
    return false;
}

}  // namespace kvis
