#include "model/project_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/atomic_file.h"
#include "model/input_file.h"
#include "model/numfmt.h"
#include "model/project_ops.h"

namespace kvis {

namespace {

// Counts above these are taken for a damaged file rather than allocated.
constexpr int kMaxCount = 100000;
constexpr long long kMaxCells = 10000000;  // alternatives x criteria

const char* const kNotAProjectFile = "'no_of_criteria'\n or it is not a project file";

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

// The next token at or after `pos` (empty at the end of the text).
std::string_view nextToken(std::string_view text, size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    const size_t start = pos;
    while (pos < text.size() && !isBlank(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

// The tokens that follow a section keyword. Every lookup starts again at the top
// of the file, so sections may come in any order; reading past the end of the
// file gives empty tokens (0 as a number, an empty name).
class Section {
public:
    Section(std::string_view text, size_t next) : text_(text), next_(next) {}
    std::string_view token() { return nextToken(text_, next_); }
    double real() { return readDouble(token()); }
    int flag() { return readInt(token()) != 0 ? 1 : 0; }
    ThresholdLine line() {
        ThresholdLine t;
        t.alpha = real();
        t.beta = real();
        return t;
    }

private:
    std::string_view text_;
    size_t next_;
};

std::optional<Section> lookup(std::string_view text, std::string_view keyword) {
    size_t pos = 0;
    for (std::string_view t = nextToken(text, pos); !t.empty(); t = nextToken(text, pos))
        if (t == keyword) return Section(text, pos);
    return std::nullopt;
}

// A count: the whole next token must begin with an integer between 1 and kMaxCount.
std::optional<int> readCount(std::string_view text, std::string_view keyword) {
    auto s = lookup(text, keyword);
    if (!s) return std::nullopt;
    std::string_view t = s->token();
    if (!startsWithInt(t)) return std::nullopt;
    const int v = readInt(t);
    if (v < 1 || v > kMaxCount) return std::nullopt;
    return v;
}

LoadResult failure(std::string message) {
    LoadResult r;
    r.message = std::move(message);
    return r;
}

// One token per name in the file: surrounding blanks dropped, inner white space
// as "_", and "_" for an empty name, so that no later token shifts.
std::string fileName(const std::string& name) {
    size_t b = 0, e = name.size();
    while (b < e && isBlank(name[b])) ++b;
    while (e > b && isBlank(name[e - 1])) --e;
    if (b == e) return "_";
    std::string out = name.substr(b, e - b);
    for (char& ch : out)
        if (isBlank(ch)) ch = '_';
    return out;
}

}  // namespace

LoadResult loadProject(const std::string& path, Project& p) {
    std::string text;
    switch (readInputFile(path, text)) {
        case InputRead::Ok: break;
        case InputRead::CannotOpen: {
            LoadResult r = failure("Cannot open file '" + path + "'");
            r.cannotOpen = true;
            return r;
        }
        case InputRead::TooLarge: return failure(kNotAProjectFile);
    }
    return parseProject(text, p);
}

LoadResult parseProject(std::string_view text, Project& p) {
    const auto m = readCount(text, "no_of_criteria");
    if (!m) return failure(kNotAProjectFile);
    const auto n = readCount(text, "no_of_alternatives");
    if (!n || static_cast<long long>(*n) * *m > kMaxCells) return failure("'no_of_alternatives'");

    // Everything is read into a fresh project; the caller's stays as it was until the end.
    Project q;
    LoadResult result;
    size_t first = 0;
    result.testMode = nextToken(text, first) == "test" ? 1 : 0;

    auto s = lookup(text, "thres_s");
    if (!s) return failure("'thres_s'");
    q.levelOfConcordance = s->real();
    // A level that the writer would round to "0.000" could not be read back.
    if (!(q.levelOfConcordance > 0) || format("%.3lf", q.levelOfConcordance) == "0.000")
        return failure("'thres_s'");

    q.m = *m;
    q.n = *n;
    q.criteria.resize(static_cast<size_t>(q.m));
    q.alternatives.resize(static_cast<size_t>(q.n));
    q.evaluations.assign(static_cast<size_t>(q.n) * static_cast<size_t>(q.m), 0.0);

    if (!(s = lookup(text, "criteria"))) return failure("'criteria'");
    for (auto& c : q.criteria) {
        c.name = std::string(s->token());
        c.direction = s->flag();
        c.useVeto = s->flag();
        c.inverseMode = s->flag();
    }
    if (!(s = lookup(text, "weights"))) return failure("'weights'");
    for (auto& c : q.criteria) c.weight = s->real();
    if (!(s = lookup(text, "thres_p"))) return failure("'thres_p'");
    for (auto& c : q.criteria) c.preference = s->line();
    if (!(s = lookup(text, "thres_q"))) return failure("'thres_q'");
    for (auto& c : q.criteria) c.indifference = s->line();
    if (!(s = lookup(text, "thres_v"))) return failure("'thres_v'");
    for (auto& c : q.criteria) c.veto = s->line();
    if (!(s = lookup(text, "alternatives"))) return failure("'alternatives'");
    size_t i = 0;
    for (auto& a : q.alternatives) {
        a.name = std::string(s->token());
        for (int c = 0; c < q.m; ++c) q.evaluations[i++] = s->real();
    }
    q.alternativeNameWidth = computeNameWidth(q);
    rebuildEvaluationTexts(q);
    resetColumnFormats(q);

    // The advanced options belong to the session, not to the file.
    q.maxArcsToCut = p.maxArcsToCut;
    q.acceptableLoss = p.acceptableLoss;
    p = std::move(q);
    result.ok = true;
    return result;
}

std::string projectText(const Project& p) {
    std::string out;
    out += format("%s %d\n", "no_of_criteria", p.m);
    out += format("%s %d\n", "no_of_alternatives", p.n);
    out += format("%s %.3lf\n", "thres_s", p.levelOfConcordance);
    out += "criteria ";
    for (const auto& c : p.criteria) {
        out += fileName(c.name) + " ";
        out += format("%d %d %d ", c.direction, c.useVeto, c.inverseMode);
    }
    out += "\nweights ";
    for (const auto& c : p.criteria) out += format("%.3lf ", c.weight);
    const std::pair<const char*, ThresholdLine Criterion::*> lines[] = {
        {"thres_p", &Criterion::preference},
        {"thres_q", &Criterion::indifference},
        {"thres_v", &Criterion::veto},
    };
    for (const auto& [keyword, member] : lines) {
        out += "\n";
        out += keyword;
        out += " ";
        for (const auto& c : p.criteria) out += format("%.3lf %.3lf ", (c.*member).alpha, (c.*member).beta);
    }
    out += "\nalternatives\n";
    for (int a = 0; a < p.n; ++a) {
        out += fileName(p.alternatives[static_cast<size_t>(a)].name) + " ";
        for (int c = 0; c < p.m; ++c) out += format("%.3lf ", p.eval(a, c));
        out += "\n";
    }
    return out;
}

bool writeProject(const std::string& path, const Project& p, std::string* error) {
    return writeFileAtomically(path, projectText(p), error);
}

std::string loadFailureText(const LoadResult& r) {
    if (r.cannotOpen) return r.message;
    return "Missing section: " + r.message + ".\nDo you want to run editor ?";
}

std::string loadFailureCaption(const std::string& path) { return "Error opening project '" + path + "'"; }

std::string loadFailureReport(const std::string& path, const LoadResult& r) {
    if (r.cannotOpen) return r.message;
    return loadFailureCaption(path) + "\nMissing section: " + r.message + ".";
}

}  // namespace kvis
