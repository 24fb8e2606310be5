#include "engine/matrices.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <vector>

#include "model/numfmt.h"

namespace kvis {

// The pair functions below are written once over plain numbers, so that the
// public per-pair functions and the whole-matrix fill (which precomputes the
// thresholds of every alternative) perform the very same operations in the
// same order and agree to the last bit.
namespace {

bool maximized(const Criterion& c) { return c.direction != 0; }

// Keeps the second value on a tie.
double minKeep(double x, double y) { return x >= y ? y : x; }

double clampUnit(double k) {
    if (k > 1) return 1;
    if (k < 0) return 0;
    return k;
}

// A positive disadvantage means b is better than a on the criterion.
double disadvantage(const Project& p, int j, int a, int b) {
    const double ga = p.eval(a, j);
    const double gb = p.eval(b, j);
    return maximized(p.criteria[j]) ? gb - ga : ga - gb;
}

double concordanceOf(double P, double Q, double delta) {
    if (P < delta) return 0;
    const double u = P - delta;
    const double e = Q >= delta ? P - delta : P - Q;
    if (u == e) return 1;
    return u / e;
}

// Veto strength used by the robustness: full strength below the level.
double strengthForRobustness(double cC, double s, double wHat) {
    double k;
    if (cC < s) {
        k = 1;
    } else {
        const double t = 1 - cC - wHat;
        k = t > 0 ? t / (1 - s - wHat) : 0;
    }
    return clampUnit(k);
}

// Veto strength used by the discordance test (only reached at or above the level).
double strengthForTest(double cC, double s, double wHat) {
    const double t = 1 - cC - wHat;
    const double denom = 1 - s - wHat;
    double k;
    if (t <= 0)
        k = 0;
    else if (denom == 0)
        k = 0;
    else
        k = t / denom;
    return clampUnit(k);
}

double lowered(double V, double P, double Qb, double k) { return V - minKeep(V - P, Qb * k); }

int vetoOf(double cC, double s, double wHat, double V, double P, double Qb, double delta) {
    if (roundToStep(cC, 0.01) < s) return 0;
    const double vp = lowered(V, P, Qb, strengthForTest(cC, s, wHat));
    return vp < delta ? 1 : 0;
}

double discordanceOf(double Vp, double P, double delta) {
    const double lo = (Vp - P) * 0.5 + P;
    const double hi = (Vp - P) * 0.5 + Vp;
    if (delta <= lo) return 0;
    if (delta >= hi) return 1;
    return (delta - (Vp + P) * 0.5) / (Vp - P);
}

// Thresholds of one criterion at one alternative's evaluation.
struct Thresholds {
    double q, p, v;
};

Thresholds thresholdsAt(const Project& p, int j, int a) {
    const Criterion& c = p.criteria[j];
    const double g = p.eval(a, j);
    return {indifferenceAt(c, g), preferenceAt(c, g), vetoAt(c, g)};
}

}  // namespace

double roundToStep(double x, double step) {
    double r = x + step / 2;
    if (x > 0)
        r += 1e-8;
    else
        r += -1e-8;
    r /= step;
    r = std::floor(r);
    return r * step;
}

double thresholdAt(const Criterion& c, const ThresholdLine& line, double x) {
    double alpha = line.alpha;
    double beta = line.beta;
    if (c.inverseMode) {
        const double d = maximized(c) ? 1 - line.alpha : 1 + line.alpha;
        alpha = line.alpha / d;
        beta = line.beta / d;
    }
    return alpha * x + beta;
}

double indifferenceAt(const Criterion& c, double x) { return thresholdAt(c, c.indifference, x); }
double preferenceAt(const Criterion& c, double x) { return thresholdAt(c, c.preference, x); }
double vetoAt(const Criterion& c, double x) {
    if (!c.useVeto) return kNoVeto;
    return thresholdAt(c, c.veto, x);
}

double weightSum(const Project& p) {
    double w = 0;
    for (int j = 0; j < p.m; ++j) w += p.criteria[j].weight;
    return w;
}

double partialConcordance(const Project& p, int j, int a, int b) {
    const Thresholds ta = thresholdsAt(p, j, a);
    return concordanceOf(ta.p, ta.q, disadvantage(p, j, a, b));
}

double concordanceIndex(const Project& p, int a, int b) {
    double sum = 0;
    for (int j = 0; j < p.m; ++j) sum += p.criteria[j].weight * partialConcordance(p, j, a, b);
    return sum / weightSum(p);
}

double effectiveVeto(const Project& p, int j, int a, int b, double cC) {
    const Thresholds ta = thresholdsAt(p, j, a);
    const double Qb = indifferenceAt(p.criteria[j], p.eval(b, j));
    const double wHat = p.criteria[j].weight / weightSum(p);
    return lowered(ta.v, ta.p, Qb, strengthForRobustness(cC, p.levelOfConcordance, wHat));
}

int vetoTest(const Project& p, int j, int a, int b, double cC) {
    const Thresholds ta = thresholdsAt(p, j, a);
    const double Qb = indifferenceAt(p.criteria[j], p.eval(b, j));
    const double wHat = p.criteria[j].weight / weightSum(p);
    return vetoOf(cC, p.levelOfConcordance, wHat, ta.v, ta.p, Qb, disadvantage(p, j, a, b));
}

int vetoTest(const Project& p, int j, int a, int b, double cC, double wHat) {
    const Thresholds ta = thresholdsAt(p, j, a);
    const double Qb = indifferenceAt(p.criteria[j], p.eval(b, j));
    return vetoOf(cC, p.levelOfConcordance, wHat, ta.v, ta.p, Qb, disadvantage(p, j, a, b));
}

int discordanceFlag(const Project& p, int a, int b, double cC) {
    for (int j = 0; j < p.m; ++j)
        if (vetoTest(p, j, a, b, cC) == 1) return 1;
    return 0;
}

double partialDiscordance(const Project& p, int j, int a, int b, double cC) {
    const double Vp = effectiveVeto(p, j, a, b, cC);
    const double P = preferenceAt(p.criteria[j], p.eval(a, j));
    return discordanceOf(Vp, P, disadvantage(p, j, a, b));
}

double robustnessCoefficient(const Project& p, int a, int b, double cC) {
    double r = cC;
    for (int j = 0; j < p.m; ++j) r *= 1 - partialDiscordance(p, j, a, b, cC);
    return r;
}

double effectiveVeto(const Project& p, int j, int a, int b) {
    return effectiveVeto(p, j, a, b, concordanceIndex(p, a, b));
}
int vetoTest(const Project& p, int j, int a, int b) {
    return vetoTest(p, j, a, b, concordanceIndex(p, a, b));
}
double partialDiscordance(const Project& p, int j, int a, int b) {
    return partialDiscordance(p, j, a, b, concordanceIndex(p, a, b));
}

CriterionThresholds criterionThresholds(const Project& p, int j) {
    CriterionThresholds t;
    t.maximized = maximized(p.criteria[j]);
    const size_t n = static_cast<size_t>(std::max(p.n, 0));
    t.g.resize(n);
    t.q.resize(n);
    t.p.resize(n);
    t.v.resize(n);
    for (int a = 0; a < p.n; ++a) {
        const Thresholds th = thresholdsAt(p, j, a);
        t.g[a] = p.eval(a, j);
        t.q[a] = th.q;
        t.p[a] = th.p;
        t.v[a] = th.v;
    }
    return t;
}

void partialConcordanceRow(const CriterionThresholds& t, int a, double* out) {
    const double ga = t.g[a], P = t.p[a], Q = t.q[a];
    const size_t n = t.g.size();
    for (size_t b = 0; b < n; ++b)
        out[b] = concordanceOf(P, Q, t.maximized ? t.g[b] - ga : ga - t.g[b]);
}

void vetoTestRow(const CriterionThresholds& t, double s, double wHat, int a, const double* cC, char* out) {
    const double ga = t.g[a], P = t.p[a], V = t.v[a];
    const size_t n = t.g.size();
    for (size_t b = 0; b < n; ++b)
        out[b] = static_cast<char>(vetoOf(cC[b], s, wHat, V, P, t.q[b], t.maximized ? t.g[b] - ga : ga - t.g[b]));
}

void concordanceIndexRow(const Project& p, const std::vector<CriterionThresholds>& criteria, int a, double* out) {
    const size_t n = static_cast<size_t>(std::max(p.n, 0));
    std::fill(out, out + n, 0.0);
    std::vector<double> partial(n);
    for (int j = 0; j < p.m; ++j) {
        partialConcordanceRow(criteria[j], a, partial.data());
        const double w = p.criteria[j].weight;
        for (size_t b = 0; b < n; ++b) out[b] += w * partial[b];
    }
    const double W = weightSum(p);
    for (size_t b = 0; b < n; ++b) out[b] /= W;
}

const std::string& roundedIndexText(int index) {
    // "%5.2f" of index * 0.01 is the text of roundToStep's result, which is
    // that very product.
    return TextMatrix::sharedText(TextMatrix::roundedIndexCode(index));
}

// roundToStep(x, 0.01) split into the floored quotient and its product with
// the step, the same operations in the same order.
double hundredthsIndex(double x) {
    double r = x + 0.01 / 2;
    if (x > 0)
        r += 1e-8;
    else
        r += -1e-8;
    r /= 0.01;
    return std::floor(r);
}

namespace {

void setHundredthsText(TextMatrix& texts, size_t cell, double index) {
    // A floor of -0 prints "-0.00"; the table holds " 0.00" only.
    if (index >= -kRoundedIndexLimit && index <= kRoundedIndexLimit && !std::signbit(index))
        texts.setCode(cell, TextMatrix::roundedIndexCode(static_cast<int>(index)));
    else
        texts.set(cell, format("%5.2f", index * 0.01));
}

// What the fill needs of one criterion at one alternative.
struct Cell {
    double g, q, p, v;
};

}  // namespace

void fillMatrices(const Project& p, ResultsSet& r, ComputeProgress* progress) {
    const int n = p.n;
    const int m = p.m;
    const double W = weightSum(p);
    assert(W != 0 && "the validation rejects weights that sum to 0");
    const double s = p.levelOfConcordance;
    r.allocate(n);
    if (n <= 0) return;

    // Per criterion: weight, weight share and the denominator of the veto
    // strength, each worked out once; per alternative and criterion the
    // evaluation and its thresholds.
    std::vector<double> weight(m), wHat(m), strengthDenom(m);
    std::vector<char> maxim(m);
    for (int j = 0; j < m; ++j) {
        weight[j] = p.criteria[j].weight;
        wHat[j] = p.criteria[j].weight / W;
        strengthDenom[j] = 1 - s - wHat[j];
        maxim[j] = maximized(p.criteria[j]) ? 1 : 0;
    }
    std::vector<Cell> cells(static_cast<size_t>(n) * m);
    for (int a = 0; a < n; ++a)
        for (int j = 0; j < m; ++j) {
            const Thresholds t = thresholdsAt(p, j, a);
            cells[static_cast<size_t>(a) * m + j] = Cell{p.eval(a, j), t.q, t.p, t.v};
        }
    std::vector<double> delta(m);

    for (int a = 0; a < n; ++a) {
        r.resultColumnFormats[a] = TSheetColumn{p.alternativeNameWidth, 1, 1};
        const Cell* ca = &cells[static_cast<size_t>(a) * m];
        for (int b = 0; b < n; ++b) {
            if ((b & 1023) == 0) checkCancel(progress);
            const Cell* cb = &cells[static_cast<size_t>(b) * m];
            double sum = 0;
            for (int j = 0; j < m; ++j) {
                delta[j] = maxim[j] ? cb[j].g - ca[j].g : ca[j].g - cb[j].g;
                sum += weight[j] * concordanceOf(ca[j].p, ca[j].q, delta[j]);
            }
            const double cC = sum / W;
            const double cIndex = hundredthsIndex(cC);
            const double c = cIndex * 0.01;
            const bool reached = !(c < s);

            // The veto test is only asked at or above the level.
            int D = 0;
            for (int j = 0; reached && j < m && D == 0; ++j) {
                const double t = 1 - cC - wHat[j];
                double k = 0;
                if (t > 0 && strengthDenom[j] != 0) k = clampUnit(t / strengthDenom[j]);
                D = lowered(ca[j].v, ca[j].p, cb[j].q, k) < delta[j] ? 1 : 0;
            }

            double R = cC;
            for (int j = 0; j < m; ++j) {
                double k = 1;
                if (!(cC < s)) {
                    const double t = 1 - cC - wHat[j];
                    k = clampUnit(t > 0 ? t / strengthDenom[j] : 0);
                }
                R *= 1 - discordanceOf(lowered(ca[j].v, ca[j].p, cb[j].q, k), ca[j].p, delta[j]);
            }

            const size_t cell = r.at(a, b);
            setHundredthsText(r.concordanceTexts, cell, cIndex);
            r.discordanceTexts.setCode(cell, !reached ? TextMatrix::kStar : (D ? TextMatrix::kOne : TextMatrix::kZero));
            const int S = (reached && D == 0) ? 1 : 0;
            r.outrankingMatrix[cell] = S;
            // The graph engine starts from the outranking relation itself.
            r.modifiedOutranking[cell] = S;
            r.vertexGraph[cell] = S;
            r.outrankingTexts.setCode(cell, S ? TextMatrix::kOne : TextMatrix::kZero);
            const double rIndex = hundredthsIndex(R);
            r.robustnessMatrix[cell] = rIndex * 0.01;
            setHundredthsText(r.robustnessTexts, cell, rIndex);
        }
    }
    // allocate() left vertexLists at 0, vertexMembers at -1 and the row
    // counts at 0, as the graph engine expects them.
}

}  // namespace kvis
