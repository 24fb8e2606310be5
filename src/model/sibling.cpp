#include "model/sibling.h"

#include <string_view>
#include <utility>

#include "model/atomic_file.h"
#include "model/input_file.h"
#include "model/numfmt.h"
#include "model/project_ops.h"

namespace kvis {

namespace {

// What a project file can hold; anything else is taken as a damaged file.
constexpr int kMaxCount = 100000;
constexpr long long kMaxCells = 10000000;  // alternatives x criteria

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Reads the file the way the format is defined: whole lines for the quoted
// names, white-space separated tokens for everything else.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // The next line without its line end (a CR before the LF is dropped);
    // false at the end of the file.
    bool line(std::string& out) {
        if (pos_ >= text_.size()) return false;
        size_t nl = text_.find('\n', pos_);
        size_t end = nl == std::string::npos ? text_.size() : nl;
        out.assign(text_.substr(pos_, end - pos_));
        pos_ = nl == std::string::npos ? text_.size() : nl + 1;
        if (!out.empty() && out.back() == '\r') out.pop_back();
        return true;
    }

    // A line that begins and ends with a double quote; the text between them.
    bool quoted(std::string& out) {
        std::string l;
        if (!line(l) || l.size() < 2 || l.front() != '"' || l.back() != '"') return false;
        out = l.substr(1, l.size() - 2);
        return true;
    }

    // The next token; the white space after it is skipped too.
    bool token(std::string& out) {
        skipSpace();
        size_t b = pos_;
        while (pos_ < text_.size() && !isSpace(text_[pos_])) ++pos_;
        if (pos_ == b) return false;
        out.assign(text_.substr(b, pos_ - b));
        skipSpace();
        return true;
    }
    bool integer(int& v) {
        std::string t;
        if (!token(t)) return false;
        v = readInt(t);
        return true;
    }
    bool real(double& v) {
        std::string t;
        if (!token(t)) return false;
        v = readDouble(t);
        return true;
    }
    void skipSpace() {
        while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

bool readLine(Reader& in, ThresholdLine& t) { return in.real(t.alpha) && in.real(t.beta); }

int flag(int v) { return v != 0 ? 1 : 0; }

// Nothing is allocated for the counts before the values are read: a short
// file that claims large counts fails at its end without having taken memory.
bool parse(std::string_view text, bool countsOnly, Project& out) {
    Reader in(text);
    std::string s;
    if (!in.quoted(s) || !in.quoted(s)) return false;
    int version = 0;
    if (!in.integer(version) || version < 1 || version > 3) return false;
    for (int i = 0; i < (version == 3 ? 3 : 1); ++i) in.line(s);
    int m = 0, n = 0;
    if (!in.integer(m) || !in.integer(n)) return false;
    // A project file needs at least one of each.
    if (m < 1 || m > kMaxCount || n < 1 || n > kMaxCount || static_cast<long long>(m) * n > kMaxCells) return false;
    out.m = m;
    out.n = n;
    Criterion c;
    for (int j = 0; j < m; ++j) {
        in.line(s);  // the full name: the short code names the criterion
        if (!in.quoted(c.name)) return false;
        c.weight = 1.0;
        if (version != 2 && !in.real(c.weight)) return false;
        int t = 0;
        if (!in.integer(c.direction) || !in.integer(t)) return false;
        c.direction = flag(c.direction);
        c.inverseMode = t != 1 ? 1 : 0;  // 1 - t, without overflow
        if (!readLine(in, c.indifference) || !readLine(in, c.preference)) return false;
        std::string va, vb;
        if (!in.token(va) || !in.token(vb)) return false;
        if (va.front() == '-') {
            c.useVeto = 0;
            c.veto = ThresholdLine{};
        } else {
            c.useVeto = 1;
            c.veto = ThresholdLine{readDouble(va), readDouble(vb)};
        }
        if (!countsOnly) out.criteria.push_back(c);
    }
    in.skipSpace();
    std::string name;
    double value = 0.0;
    for (int a = 0; a < n; ++a) {
        in.line(s);
        if (!in.quoted(name)) return false;
        for (int j = 0; j < m; ++j) {
            if (!in.real(value)) return false;
            if (!countsOnly) out.evaluations.push_back(value);
        }
        if (!countsOnly) out.alternatives.push_back(Alternative{name});
    }
    return true;
}

}  // namespace

ImportResult importProject(const std::string& path, bool countsOnly, Project& p) {
    std::string text;
    if (readInputFile(path, text) != InputRead::Ok) {
        ImportResult r;
        r.message = kImportFailureMessage;
        return r;
    }
    return importProjectText(text, countsOnly, p);
}

ImportResult importProjectText(std::string_view text, bool countsOnly, Project& p) {
    ImportResult r;
    r.message = kImportFailureMessage;
    Project read;
    if (!parse(text, countsOnly, read)) return r;
    r.ok = true;
    r.m = read.m;
    r.n = read.n;
    r.message.clear();
    if (countsOnly) return r;

    p.m = read.m;
    p.n = read.n;
    p.criteria = std::move(read.criteria);
    p.alternatives = std::move(read.alternatives);
    p.evaluations = std::move(read.evaluations);
    p.evaluationTexts.resize(p.evaluations.size());
    for (size_t i = 0; i < p.evaluations.size(); ++i) p.evaluationTexts[i] = format("%g", p.evaluations[i]);
    p.columnFormats.assign(p.m, TSheetColumn{100, 2, 0});
    // Characters, not bytes, as when a project file is opened.
    p.alternativeNameWidth = computeNameWidth(p);
    return r;
}

std::string exportNumber(double value) {
    std::string t = format("%f", value);
    while (t.size() > 1 && t.back() == '0') t.pop_back();
    if (t.size() > 1 && (t.back() == '.' || t.back() == ',')) t.pop_back();
    return t;
}

std::string exportText(const Project& p) {
    std::string out;
    out += "\"Kavorin Is\"\n";
    out += "\"Project exported from Extended Kavorin Is\"\n";
    out += format("%d\n%.2f %.1f\n%d\n%d\n%d\n%d\n\n\n", 3, -0.15, 0.3, 31, 1, p.m, p.n);
    auto pair = [](const ThresholdLine& t) { return exportNumber(t.alpha) + " " + exportNumber(t.beta) + "\n"; };
    for (const Criterion& c : p.criteria) {
        out += format("\"%s\"\n", c.name.c_str());
        out += format("\"%4.4s\"\n", c.name.c_str());
        out += exportNumber(c.weight) + "\n";
        out += format("%d\n", c.direction);
        out += format("%d\n", 1 - c.inverseMode);
        out += pair(c.indifference);
        out += pair(c.preference);
        out += c.useVeto == 1 ? pair(c.veto) + "\n" : std::string("- -\n\n");
    }
    out += "\n";
    for (int a = 0; a < p.n; ++a) {
        const std::string& name = p.alternatives[a].name;
        out += format("\"%s\"\n", name.c_str());
        out += format("\"%5.5s\"\n", name.c_str());
        for (int j = 0; j < p.m; ++j) out += exportNumber(p.eval(a, j)) + "\n";
        out += "\n";
    }
    return out;
}

bool exportProject(const std::string& path, const Project& p, std::string* error) {
    if (writeFileAtomically(path, exportText(p))) return true;
    if (error) *error = "Cannot create file '" + path + "'";
    return false;
}

}  // namespace kvis
