#include "output/exchange_file.h"

#include <algorithm>
#include <vector>

#include "model/atomic_file.h"
#include "output/results_file.h"

namespace kvis {

std::string exchangeText(const Project& p, const ResultsSet& r) {
    std::vector<std::string> names;
    for (const Alternative& a : p.alternatives) names.push_back(a.name);
    std::string out;
    writeMatrixSection(out, "[Matrix of robustness]", names, names, r.robustnessTexts);
    writeMatrixSection(out, "[Matrix of outranking]", names, names, r.outrankingTexts);
    writeModifiedGraphSection(out, p, r);
    writeKernelLines(out, p, r);
    out += "\n\n";
    return out;
}

std::uint64_t exchangeOutputBytes(const Project& p) {
    const std::uint64_t n = static_cast<std::uint64_t>(std::max(p.n, 0));
    return 3 * (n * n * 9) + n * 64;  // two tables, the arcs, a line per kernel vertex
}

bool writeExchangeFile(const std::string& path, const Project& p, const ResultsSet& r, std::string* error,
                       const std::string& projectFile) {
    AtomicFileSet file;
    if (!projectFile.empty()) file.protect(projectFile);
    file.add(path, true).write(exchangeText(p, r));
    if (file.commit()) return true;
    if (error) *error = file.error();
    return false;
}

}  // namespace kvis
