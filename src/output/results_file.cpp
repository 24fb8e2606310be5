#include "output/results_file.h"

#include <algorithm>

#include "engine/final_graph.h"
#include "engine/matrices.h"
#include "model/atomic_file.h"
#include "model/numfmt.h"

namespace kvis {

namespace {

std::vector<std::string> alternativeNames(const Project& p) {
    std::vector<std::string> names;
    names.reserve(p.alternatives.size());
    for (const Alternative& a : p.alternatives) names.push_back(a.name);
    return names;
}

std::vector<std::string> criterionNames(const Project& p) {
    std::vector<std::string> names;
    names.reserve(p.criteria.size());
    for (const Criterion& c : p.criteria) names.push_back(c.name);
    return names;
}

std::string cell(const std::string& text) { return format("%-8s\t", text.c_str()); }

// A number of the criteria table: "%.2f", trimmed, then cut to its field.
std::string tableNumber(double v, const char* field) {
    return format(field, trimZeros(format("%.2f", v)).c_str());
}

// The representative's name, then ", name" for each further member.
std::string memberNames(const Project& p, const ResultsSet& r, int v) {
    std::string s;
    bool first = true;
    for (int a : vertexMemberList(r, v)) {
        const std::string& name = p.alternatives[a].name;
        s += first ? format("%s", name.c_str()) : format(", %s", name.c_str());
        first = false;
    }
    return s;
}

std::string sideFile(const Project& p, const char* title,
                     const std::vector<std::string>& texts, bool concordance) {
    const std::vector<std::string> names = alternativeNames(p);
    std::string out;
    writeMatrixSection(out, title, names, names, texts);
    std::vector<double> index;  // C(a, b) of every pair, for the veto tests
    if (!concordance) {
        index.resize(static_cast<size_t>(p.n) * p.n);
        for (int a = 0; a < p.n; ++a)
            for (int b = 0; b < p.n; ++b) index[static_cast<size_t>(a) * p.n + b] = concordanceIndex(p, a, b);
    }
    for (int j = 0; j < p.m; ++j) {
        out += format("[%s]\n", p.criteria[j].name.c_str());
        std::string line = cell(" ");
        for (const std::string& b : names) line += cell(b);
        out += line + "\n";
        for (int a = 0; a < p.n; ++a) {
            line = cell(names[a]);
            for (int b = 0; b < p.n; ++b) {
                std::string number = concordance
                    ? format("%6.3f", roundToStep(partialConcordance(p, j, a, b), 0.01))
                    : format("%d", vetoTest(p, j, a, b, index[static_cast<size_t>(a) * p.n + b]));
                line += cell(number);
            }
            out += line + "\n";
        }
        out += "\n";
    }
    return out;
}

}  // namespace

std::string trimZeros(std::string text) {
    while (text.size() > 1 && text.back() == '0') text.pop_back();
    if (text.size() > 1 && (text.back() == '.' || text.back() == ',')) text.pop_back();
    return text;
}

void writeMatrixSection(std::string& out, const std::string& title,
                        const std::vector<std::string>& rowNames,
                        const std::vector<std::string>& columnNames,
                        const std::vector<std::string>& cells) {
    out += title + "\n";
    out += cell(" ");
    for (const std::string& c : columnNames) out += cell(c);
    out += "\n";
    const size_t cols = columnNames.size();
    for (size_t row = 0; row < rowNames.size(); ++row) {
        out += cell(rowNames[row]);
        for (size_t col = 0; col < cols; ++col) out += cell(cells[row * cols + col]);
        out += "\n";
    }
    out += "\n";
}

void writeParameters(std::string& out, const Project& p) {
    out += format("Level of concordance = %4.2f\n", p.levelOfConcordance);
    out += format("Max. number of arcs checked for cutting a cycle = %2d\n", p.maxArcsToCut);
    out += format("Acceptable loss for cutting a smaller number of arcs = %4.2f\n", p.acceptableLoss);
}

void writeCriteriaTable(std::string& out, const Project& p) {
    out += format("%69.69s\n", "T h r e s h o l d s");
    out += format("%25.25s%18.18s%21.21s%19.19s%14.14s\n", "Pref.", "Indiference", "Preference", "Veto", "Comp.");
    out += format("%12.12s %6.6s %5.5s %6.6s %14.14s %6.6s %14.14s %6.6s %14.14s %5.5s\n", "Criterion",
                  "Weight", "dir.", "alfa", "beta", "alfa", "beta", "alfa", "beta", "mode");
    for (const Criterion& c : p.criteria) {
        std::string line = format("%12.12s ", c.name.c_str());
        line += tableNumber(c.weight, "%6.6s ");
        line += format("%5.5s ", c.direction == 1 ? "asc." : "desc.");
        line += tableNumber(c.indifference.alpha, "%6.6s ");
        line += tableNumber(c.indifference.beta, "%14.14s ");
        line += tableNumber(c.preference.alpha, "%6.6s ");
        line += tableNumber(c.preference.beta, "%14.14s ");
        if (c.useVeto == 1) {
            line += tableNumber(c.veto.alpha, "%6.6s ");
            line += tableNumber(c.veto.beta, "%14.14s ");
        } else {
            line += format("%6.6s ", "N/A");
            line += format("%14.14s ", "N/A");
        }
        line += format("%5.5s\n", c.inverseMode == 1 ? "inv." : "dir.");
        out += line;
    }
}

void writeInputData(std::string& out, const Project& p) {
    out += "[Input Data]\n";
    writeParameters(out, p);
    out += "\n";
    out += "[Criteria]\n";
    writeCriteriaTable(out, p);
    out += "\n";
    writeMatrixSection(out, "[Alternatives]", alternativeNames(p), criterionNames(p), p.evaluationTexts);
}

void writeModifiedGraphSection(std::string& out, const Project& p, const ResultsSet& r) {
    out += "[Modified graph]\n";
    for (const ModifiedArc& arc : modifiedArcs(r)) {
        const char* fmt = arc.change < 0 ? "\tRemoved %s -> %s (Coef. of rob. = %.3f)"
                                         : "\tAdded   %s -> %s (Coef. of rob. = %.3f)";
        out += format(fmt, p.alternatives[arc.from].name.c_str(), p.alternatives[arc.to].name.c_str(),
                      arc.robustness);
        out += "\n";
    }
    out += "\n";
}

void writeKernelLines(std::string& out, const Project& p, const ResultsSet& r) {
    out += "[Kernel]\n";
    for (int v = 0; v < r.vertexCount; ++v) {
        if (!inKernel(r, v)) continue;
        const VertexKind kind = vertexKind(r, v);
        out += format("\t%-10s: ", memberKindText(kind.members));
        out += memberNames(p, r, v);
        out += " - ";
        out += arcKindText(kind.arcs);
        out += "\n";
    }
}

void writeFinalGraphSection(std::string& out, const Project& p, const ResultsSet& r) {
    out += "[Final graph]\n";
    const int k = r.vertexCount;
    for (int v = 0; v < k; ++v) {
        out += format("%d - %-10s: ", reportVertexNumber(r, v), memberKindText(vertexKind(r, v).members));
        out += memberNames(p, r, v) + "\n";
        std::string line = "\tOutranks: ";
        bool first = true;
        for (int w = 0; w < k; ++w) {
            if (w == v || r.vertexGraph[r.at(v, w)] == 0) continue;
            if (!first) line += " ,";
            line += memberNames(p, r, w);
            first = false;
        }
        out += line + "\n";
        line = "\tIs outranked by: ";
        first = true;
        for (int w = 0; w < k; ++w) {
            if (w == v || r.vertexGraph[r.at(w, v)] == 0) continue;
            if (!first) line += " ,";
            line += memberNames(p, r, w);
            first = false;
        }
        out += line + "\n";
    }
    out += "\n";
}

std::string concordanceSideFile(const Project& p, const ResultsSet& r) {
    return sideFile(p, "[Matrix of concordance]", r.concordanceTexts, true);
}

std::string discordanceSideFile(const Project& p, const ResultsSet& r) {
    return sideFile(p, "[Matrix of discordance]", r.discordanceTexts, false);
}

std::string sideFilePath(const std::string& path, char letter) {
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find('.', nameStart);
    if (dot == std::string::npos) return path + "." + letter;
    if (dot + 1 == path.size()) return path + letter;
    std::string side = path;
    side[dot + 1] = letter;
    return side;
}

int effectiveSelection(const DocumentState& d, int mask) {
    return d.resultsValid == 1 ? mask : mask & kBitAlternatives;
}

std::string resultsReport(const Project& p, const DocumentState& d, const ResultsSet& r, int mask) {
    mask = effectiveSelection(d, mask);
    std::string out;
    if (mask & kBitAlternatives) writeInputData(out, p);
    const std::vector<std::string> names = alternativeNames(p);
    if (mask & kBitConcordance) writeMatrixSection(out, "[Matrix of concordance]", names, names, r.concordanceTexts);
    if (mask & kBitDiscordance) writeMatrixSection(out, "[Matrix of discordance]", names, names, r.discordanceTexts);
    if (mask & kBitRobustness) writeMatrixSection(out, "[Matrix of robustness]", names, names, r.robustnessTexts);
    if (mask & kBitOutranking) writeMatrixSection(out, "[Matrix of outranking]", names, names, r.outrankingTexts);
    if (mask & kBitModifiedGraph) writeModifiedGraphSection(out, p, r);
    if (mask & kBitFinalGraph) {
        writeKernelLines(out, p, r);
        out += "\n";
        writeFinalGraphSection(out, p, r);
    }
    return out;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::vector<std::string> resultsFilePaths(const std::string& path, int mask) {
    std::vector<std::string> paths;
    if (mask & kBitConcordance) paths.push_back(sideFilePath(path, 'c'));
    if (mask & kBitDiscordance) paths.push_back(sideFilePath(path, 'd'));
    paths.push_back(path);
    return paths;
}

std::uint64_t resultsOutputBytes(const Project& p, int mask) {
    // Each file is made whole as text before it is written: the largest counts.
    // A cell is at least "%-8s\t"; names may be longer.
    size_t longest = 8;
    for (const Alternative& a : p.alternatives) longest = std::max(longest, a.name.size());
    const std::uint64_t n = static_cast<std::uint64_t>(std::max(p.n, 0));
    const std::uint64_t m = static_cast<std::uint64_t>(std::max(p.m, 0));
    const std::uint64_t table = n * n * 9 + 2 * n * (longest + 2);
    std::uint64_t main = (mask & kBitAlternatives) ? n * m * 9 + n * (longest + 2) : 0;
    for (int bit : {kBitConcordance, kBitDiscordance, kBitRobustness, kBitOutranking})
        if (mask & bit) main += table;
    if (mask & (kBitModifiedGraph | kBitFinalGraph)) main += table;  // at most a line per arc
    std::uint64_t side = 0;
    if (mask & (kBitConcordance | kBitDiscordance)) side = (m + 1) * table + n * n * sizeof(double);
    return std::max(main, side);
}

bool saveResultsFile(const std::string& path, const Project& p, const DocumentState& d,
                     const ResultsSet& r, int mask, std::string* error, const std::string& projectFile) {
    // One unit: the side files and the main file are renamed into place only
    // when all are written, the main file last, so that it wins over a side
    // file of the same name.
    AtomicFileSet files;
    if (!projectFile.empty()) files.protect(projectFile);
    const int chosen = effectiveSelection(d, mask);
    if (chosen & kBitConcordance) files.add(sideFilePath(path, 'c'), true).write(concordanceSideFile(p, r));
    if (chosen & kBitDiscordance) files.add(sideFilePath(path, 'd'), true).write(discordanceSideFile(p, r));
    files.add(path, true).write(resultsReport(p, d, r, mask));
    const bool written = files.commit();
    if (error) *error = files.error();
    return written;
}

}  // namespace kvis
