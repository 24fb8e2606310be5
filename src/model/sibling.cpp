#include "model/sibling.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>

#include "model/atomic_file.h"
#include "model/numfmt.h"
#include "model/project_ops.h"

namespace kvis {

namespace {

// Counts above this are taken as a damaged file rather than a project.
constexpr int kMaxCount = 100000;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Reads the file the way the format is defined: whole lines for the quoted
// names, white-space separated tokens for everything else.
class Reader {
public:
    explicit Reader(std::string text) : text_(std::move(text)) {}

    // The next line without its line end (a CR before the LF is dropped);
    // false at the end of the file.
    bool line(std::string& out) {
        if (pos_ >= text_.size()) return false;
        size_t nl = text_.find('\n', pos_);
        size_t end = nl == std::string::npos ? text_.size() : nl;
        out = text_.substr(pos_, end - pos_);
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
        out = text_.substr(b, pos_ - b);
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
    std::string text_;
    size_t pos_ = 0;
};

bool readLine(Reader& in, ThresholdLine& t) { return in.real(t.alpha) && in.real(t.beta); }

int flag(int v) { return v != 0 ? 1 : 0; }

bool parse(const std::string& text, bool countsOnly, Project& out) {
    Reader in(text);
    std::string s;
    if (!in.quoted(s) || !in.quoted(s)) return false;
    int version = 0;
    if (!in.integer(version) || version < 1 || version > 3) return false;
    for (int i = 0; i < (version == 3 ? 3 : 1); ++i) in.line(s);
    int m = 0, n = 0;
    if (!in.integer(m) || !in.integer(n)) return false;
    if (m < 0 || m > kMaxCount || n < 0 || n > kMaxCount) return false;
    out.m = m;
    out.n = n;
    if (!countsOnly) {
        out.criteria.assign(m, Criterion{});
        out.alternatives.assign(n, Alternative{});
        out.evaluations.assign(static_cast<size_t>(n) * m, 0.0);
    }
    Criterion c;
    for (int j = 0; j < m; ++j) {
        in.line(s);  // the full name: the short code names the criterion
        if (!in.quoted(c.name)) return false;
        c.weight = 1.0;
        if (version != 2 && !in.real(c.weight)) return false;
        int t = 0;
        if (!in.integer(c.direction) || !in.integer(t)) return false;
        c.direction = flag(c.direction);
        c.inverseMode = flag(1 - t);
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
        if (!countsOnly) out.criteria[j] = c;
    }
    in.skipSpace();
    std::string name;
    double value = 0.0;
    for (int a = 0; a < n; ++a) {
        in.line(s);
        if (!in.quoted(name)) return false;
        for (int j = 0; j < m; ++j) {
            if (!in.real(value)) return false;
            if (!countsOnly) out.evaluations[static_cast<size_t>(a) * m + j] = value;
        }
        if (!countsOnly) out.alternatives[a].name = name;
    }
    return true;
}

}  // namespace

ImportResult importProject(const std::string& path, bool countsOnly, Project& p) {
    ImportResult r;
    r.message = kImportFailureMessage;
    std::ifstream file(path, std::ios::binary);
    if (!file) return r;
    std::stringstream buf;
    buf << file.rdbuf();
    Project read;
    if (!parse(buf.str(), countsOnly, read)) return r;
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

bool exportProject(const std::string& path, const Project& p, std::string* error) {
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
    if (writeFileAtomically(path, out)) return true;
    if (error) *error = "Cannot create file '" + path + "'";
    return false;
}

}  // namespace kvis
