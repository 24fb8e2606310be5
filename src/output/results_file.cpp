#include "output/results_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/final_graph.h"
#include "engine/large_arrays.h"
#include "engine/matrices.h"
#include "model/atomic_file.h"
#include "model/numfmt.h"
#include "output/text_sink.h"

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

// What cell() gives, appended in place: "%-8s" stops at a NUL as printf does.
void appendCell(std::string& out, const std::string& text) {
    const char* d = text.c_str();
    size_t len = 0;
    while (d[len] != '\0') ++len;
    if (len < 8) {
        char cell[9];
        std::memcpy(cell, d, len);
        std::memset(cell + len, ' ', 8 - len);
        cell[8] = '\t';
        out.append(cell, 9);
    } else {
        out.append(d, len);
        out += '\t';
    }
}

void matrixSection(TextSink& out, const std::string& title, const std::vector<std::string>& rowNames,
                   const std::vector<std::string>& columnNames, TextCells cells) {
    out.text += title + "\n";
    appendCell(out.text, " ");
    for (const std::string& c : columnNames) appendCell(out.text, c);
    out.text += "\n";
    const size_t cols = columnNames.size();
    for (size_t row = 0; row < rowNames.size(); ++row) {
        appendCell(out.text, rowNames[row]);
        for (size_t col = 0; col < cols; ++col) appendCell(out.text, cells[row * cols + col]);
        out.text += "\n";
        out.drain();
    }
    out.text += "\n";
}

// The side file's cells of rounded partial concordance, "%6.3f" of index *
// 0.01, each made once as appendCell writes it; nullptr beyond the table.
const char* partialConcordanceCell(double index) {
    static const std::vector<std::string> cells = [] {
        std::vector<std::string> t;
        for (int k = -kRoundedIndexLimit; k <= kRoundedIndexLimit; ++k) {
            std::string cell;
            appendCell(cell, format("%6.3f", static_cast<double>(k) * 0.01));
            t.push_back(cell);
        }
        return t;
    }();
    if (index >= -kRoundedIndexLimit && index <= kRoundedIndexLimit && !std::signbit(index))
        return cells[static_cast<size_t>(static_cast<int>(index) + kRoundedIndexLimit)].data();
    return nullptr;
}

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

void sideFile(TextSink& out, const Project& p, const char* title, const TextMatrix& texts, bool concordance) {
    const std::vector<std::string> names = alternativeNames(p);
    matrixSection(out, title, names, names, texts);
    const size_t n = static_cast<size_t>(std::max(p.n, 0));
    std::vector<CriterionThresholds> criteria;
    for (int j = 0; j < p.m; ++j) criteria.push_back(criterionThresholds(p, j));
    std::vector<double> index;  // C(a, b) of every pair, for the veto tests
    if (!concordance) {
        assignLarge(index, n * n, 0.0);
        for (int a = 0; a < p.n; ++a) concordanceIndexRow(p, criteria, a, index.data() + a * n);
    }
    const double W = weightSum(p);
    std::vector<double> partial(n);
    std::vector<char> veto(n);
    std::string oneCell, zeroCell;
    appendCell(oneCell, "1");
    appendCell(zeroCell, "0");
    for (int j = 0; j < p.m; ++j) {
        const double wHat = p.criteria[j].weight / W;
        out.text += format("[%s]\n", p.criteria[j].name.c_str());
        appendCell(out.text, " ");
        for (const std::string& b : names) appendCell(out.text, b);
        out.text += "\n";
        for (int a = 0; a < p.n; ++a) {
            appendCell(out.text, names[a]);
            if (concordance) {
                partialConcordanceRow(criteria[j], a, partial.data());
                for (size_t b = 0; b < n; ++b) {
                    const double k = hundredthsIndex(partial[b]);
                    if (const char* cell = partialConcordanceCell(k))
                        out.text.append(cell, 9);
                    else
                        appendCell(out.text, format("%6.3f", k * 0.01));
                }
            } else {
                vetoTestRow(criteria[j], p.levelOfConcordance, wHat, a, index.data() + a * n, veto.data());
                for (size_t b = 0; b < n; ++b) out.text += veto[b] ? oneCell : zeroCell;
            }
            out.text += "\n";
            out.drain();
        }
        out.text += "\n";
    }
}

void finalGraphSection(TextSink& out, const Project& p, const ResultsSet& r);

void report(TextSink& out, const Project& p, const DocumentState& d, const ResultsSet& r, int mask) {
    mask = effectiveSelection(d, mask);
    if (mask & kBitAlternatives) writeInputData(out.text, p);
    const std::vector<std::string> names = alternativeNames(p);
    if (mask & kBitConcordance) matrixSection(out, "[Matrix of concordance]", names, names, r.concordanceTexts);
    if (mask & kBitDiscordance) matrixSection(out, "[Matrix of discordance]", names, names, r.discordanceTexts);
    if (mask & kBitRobustness) matrixSection(out, "[Matrix of robustness]", names, names, r.robustnessTexts);
    if (mask & kBitOutranking) matrixSection(out, "[Matrix of outranking]", names, names, r.outrankingTexts);
    if (mask & kBitModifiedGraph) writeModifiedGraphSection(out.text, p, r);
    out.drain();
    if (mask & kBitFinalGraph) {
        writeKernelLines(out.text, p, r);
        out.text += "\n";
        finalGraphSection(out, p, r);
    }
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
    TextSink sink;
    sink.text.swap(out);
    matrixSection(sink, title, rowNames, columnNames, cells.data());
    out.swap(sink.text);
}

void writeMatrixSection(TextSink& out, const std::string& title, const std::vector<std::string>& rowNames,
                        const std::vector<std::string>& columnNames, const TextMatrix& cells) {
    matrixSection(out, title, rowNames, columnNames, cells);
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

namespace {

void finalGraphSection(TextSink& out, const Project& p, const ResultsSet& r) {
    out.text += "[Final graph]\n";
    const int k = r.vertexCount;
    for (int v = 0; v < k; ++v) {
        out.text += format("%d - %-10s: ", reportVertexNumber(r, v), memberKindText(vertexKind(r, v).members));
        out.text += memberNames(p, r, v) + "\n";
        out.text += "\tOutranks: ";
        bool first = true;
        for (int w = 0; w < k; ++w) {
            if (w == v || r.vertexGraph[r.at(v, w)] == 0) continue;
            if (!first) out.text += " ,";
            out.text += memberNames(p, r, w);
            first = false;
        }
        out.text += "\n\tIs outranked by: ";
        first = true;
        for (int w = 0; w < k; ++w) {
            if (w == v || r.vertexGraph[r.at(w, v)] == 0) continue;
            if (!first) out.text += " ,";
            out.text += memberNames(p, r, w);
            first = false;
        }
        out.text += "\n";
        out.drain();
    }
    out.text += "\n";
}

}  // namespace

void writeFinalGraphSection(std::string& out, const Project& p, const ResultsSet& r) {
    TextSink sink;
    sink.text.swap(out);
    finalGraphSection(sink, p, r);
    out.swap(sink.text);
}

std::string concordanceSideFile(const Project& p, const ResultsSet& r) {
    TextSink out;
    sideFile(out, p, "[Matrix of concordance]", r.concordanceTexts, true);
    return out.text;
}

std::string discordanceSideFile(const Project& p, const ResultsSet& r) {
    TextSink out;
    sideFile(out, p, "[Matrix of discordance]", r.discordanceTexts, false);
    return out.text;
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
    TextSink out;
    report(out, p, d, r, mask);
    return out.text;
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
    // The files are streamed: a chunk of about a megabyte and the line being
    // made (a row of cells, or a vertex's successors by name) at a time. What
    // stays is the discordance side file's concordance index of every pair.
    size_t longest = 8;
    for (const Alternative& a : p.alternatives) longest = std::max(longest, a.name.size());
    const std::uint64_t n = static_cast<std::uint64_t>(std::max(p.n, 0));
    const std::uint64_t chunk = (2u << 20) + 4 * n * (longest + 2);
    return chunk + ((mask & kBitDiscordance) ? n * n * sizeof(double) : 0);
}

bool saveResultsFile(const std::string& path, const Project& p, const DocumentState& d,
                     const ResultsSet& r, int mask, std::string* error, const std::string& projectFile,
                     ComputeProgress* progress) {
    // One unit: the side files and the main file are renamed into place only
    // when all are written, the main file last, so that it wins over a side
    // file of the same name.
    AtomicFileSet files;
    if (!projectFile.empty()) files.protect(projectFile);
    const int chosen = effectiveSelection(d, mask);
    // Each file is streamed: a chunk of text at a time, never the whole file.
    auto stream = [&](const std::string& target, auto write) {
        TextSink out;
        out.file = &files.add(target, true);
        out.progress = progress;
        write(out);
        checkCancel(progress);
        out.finish();
    };
    if (chosen & kBitConcordance)
        stream(sideFilePath(path, 'c'),
               [&](TextSink& out) { sideFile(out, p, "[Matrix of concordance]", r.concordanceTexts, true); });
    if (chosen & kBitDiscordance)
        stream(sideFilePath(path, 'd'),
               [&](TextSink& out) { sideFile(out, p, "[Matrix of discordance]", r.discordanceTexts, false); });
    stream(path, [&](TextSink& out) { report(out, p, d, r, mask); });
    const bool written = files.commit();
    if (error) *error = files.error();
    return written;
}

}  // namespace kvis
