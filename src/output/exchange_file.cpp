#include "output/exchange_file.h"

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

bool writeExchangeFile(const std::string& path, const Project& p, const ResultsSet& r, std::string* error) {
    if (writeFileAtomically(path, withCrLf(exchangeText(p, r)))) return true;
    if (error) *error = "Cannot create file '" + path + "'";
    return false;
}

}  // namespace kvis
