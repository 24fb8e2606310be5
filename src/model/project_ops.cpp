#include "model/project_ops.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

#include "model/numfmt.h"

namespace kvis {

namespace {

size_t idx(int a, int c, int m) { return static_cast<size_t>(a) * static_cast<size_t>(m) + static_cast<size_t>(c); }

// Characters, not bytes: a UTF-8 sequence counts once.
long long nameLength(const std::string& s) {
    long long len = 0;
    for (unsigned char ch : s)
        if ((ch & 0xC0) != 0x80) ++len;
    return len;
}

// 8 pixels a character, saturated: a name of hundreds of megabytes must not
// wrap the width round to a negative number.
int widthOf(long long characters) {
    return static_cast<int>(std::min<long long>(8 * characters, std::numeric_limits<int>::max()));
}

void changed(DocumentState& d) {
    d.modified = 1;
    d.resultsValid = 0;
}

// Copies the surviving cells into arrays of the new shape: old row a / column c
// go to rowMap[a] / colMap[c] (-1 drops them). The new arrays replace the old
// ones and the counts only when complete.
void reshape(Project& p, int newN, int newM, const std::vector<int>& rowMap, const std::vector<int>& colMap) {
    std::vector<double> values(static_cast<size_t>(newN) * static_cast<size_t>(newM), 0.0);
    std::vector<std::string> texts(values.size(), "0");
    for (int a = 0; a < p.n; ++a) {
        if (rowMap[static_cast<size_t>(a)] < 0) continue;
        for (int c = 0; c < p.m; ++c) {
            if (colMap[static_cast<size_t>(c)] < 0) continue;
            const size_t to = idx(rowMap[static_cast<size_t>(a)], colMap[static_cast<size_t>(c)], newM);
            values[to] = p.evaluations[idx(a, c, p.m)];
            texts[to] = p.evaluationTexts[idx(a, c, p.m)];
        }
    }
    p.evaluations = std::move(values);
    p.evaluationTexts = std::move(texts);
}

std::vector<int> identity(int count) {
    std::vector<int> map(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) map[static_cast<size_t>(i)] = i;
    return map;
}

std::vector<int> without(int count, int removed) {
    std::vector<int> map(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) map[static_cast<size_t>(i)] = i < removed ? i : i == removed ? -1 : i - 1;
    return map;
}

}  // namespace

void resetProject(Project& p, DocumentState& d, const Parameters& fromSettings) {
    p = Project{};
    p.levelOfConcordance = fromSettings.levelOfConcordance;
    p.maxArcsToCut = fromSettings.maxArcsToCut;
    p.acceptableLoss = fromSettings.acceptableLoss;
    d.comparePair = {0, 1};
    d.selectionMask = 0;
    d.modified = 0;
    d.resultsValid = 0;
}

void rebuildEvaluationTexts(Project& p) {
    p.evaluationTexts.resize(p.evaluations.size());
    for (size_t i = 0; i < p.evaluations.size(); ++i) p.evaluationTexts[i] = format("%g", p.evaluations[i]);
}

int computeNameWidth(const Project& p) {
    long long longest = 8;
    for (const auto& alt : p.alternatives) longest = std::max(longest, nameLength(alt.name));
    return widthOf(longest);
}

void resetColumnFormats(Project& p) {
    p.columnFormats.assign(static_cast<size_t>(std::max(p.m, 0)), TSheetColumn{100, 2, 0});
}

void addAlternative(Project& p, DocumentState& d, const std::string& name) {
    std::vector<int> rows = identity(p.n);
    reshape(p, p.n + 1, p.m, rows, identity(p.m));
    p.alternatives.push_back(Alternative{name});
    ++p.n;
    rebuildEvaluationTexts(p);
    const long long len = nameLength(name);
    if (len > p.alternativeNameWidth / 8) p.alternativeNameWidth = widthOf(len);
    changed(d);
}

void deleteAlternative(Project& p, DocumentState& d, int a) {
    if (a < 0 || a >= p.n) return;
    reshape(p, p.n - 1, p.m, without(p.n, a), identity(p.m));
    p.alternatives.erase(p.alternatives.begin() + a);
    --p.n;
    changed(d);
}

void renameAlternative(Project& p, DocumentState& d, int a, const std::string& name) {
    if (a < 0 || a >= p.n) return;
    if (p.alternatives[static_cast<size_t>(a)].name == name) return;
    p.alternatives[static_cast<size_t>(a)].name = name;
    d.modified = 1;
}

void setEvaluation(Project& p, DocumentState& d, int a, int c, double value, const std::string& text) {
    if (a < 0 || a >= p.n || c < 0 || c >= p.m) return;
    const size_t i = idx(a, c, p.m);
    if (p.evaluations[i] != value || p.evaluationTexts[i] != text) d.modified = 1;
    p.evaluations[i] = value;
    p.evaluationTexts[i] = text;
    d.resultsValid = 0;
}

std::string typeEvaluation(Project& p, DocumentState& d, int a, int c, const std::string& typed) {
    if (a < 0 || a >= p.n || c < 0 || c >= p.m) return typed;
    const size_t i = idx(a, c, p.m);
    double& value = p.evaluations[i];
    std::string shown = typed;
    if (typed != "-" && typed != format("%g", value)) {
        const double v = readDouble(typed);
        // -0 typed over 0 is a change too: the file would say so.
        if (v != value || std::signbit(v) != std::signbit(value)) d.modified = 1;
        value = v;
        shown = format("%g", v);
    }
    p.evaluationTexts[i] = shown;
    d.resultsValid = 0;
    return shown;
}

void addCriterion(Project& p, DocumentState& d, const Criterion& c) {
    std::vector<int> cols = identity(p.m);
    reshape(p, p.n, p.m + 1, identity(p.n), cols);
    p.criteria.push_back(c);
    ++p.m;
    resetColumnFormats(p);
    changed(d);
}

void modifyCriterion(Project& p, DocumentState& d, int j, const Criterion& c) {
    if (j < 0 || j >= p.m) return;
    p.criteria[static_cast<size_t>(j)] = c;
    changed(d);
}

void deleteCriterion(Project& p, DocumentState& d, int j) {
    if (j < 0 || j >= p.m) return;
    if (p.m == 1) {
        // Alternatives without any criterion cannot be shown or saved.
        p.alternatives.clear();
        p.evaluations.clear();
        p.evaluationTexts.clear();
        p.n = 0;
        p.criteria.clear();
        p.m = 0;
    } else {
        reshape(p, p.n, p.m - 1, identity(p.n), without(p.m, j));
        p.criteria.erase(p.criteria.begin() + j);
        --p.m;
    }
    resetColumnFormats(p);
    changed(d);
}

void setLevelOfConcordance(Project& p, DocumentState& d, double s) {
    if (p.levelOfConcordance != s) d.modified = 1;
    p.levelOfConcordance = s;
    d.resultsValid = 0;
}

void setAdvancedOptions(Project& p, DocumentState& d, int maxArcsToCut, double acceptableLoss) {
    if (p.maxArcsToCut != maxArcsToCut || p.acceptableLoss != acceptableLoss) d.resultsValid = 0;
    p.maxArcsToCut = maxArcsToCut;
    p.acceptableLoss = acceptableLoss;
}

}  // namespace kvis
