#pragma once
// Concordance, discordance, robustness and outranking of every ordered pair.
#include <string>
#include <vector>

#include "engine/progress.h"
#include "engine/results.h"
#include "model/project.h"

namespace kvis {

// Returned by the veto function of a criterion that uses no veto.
constexpr double kNoVeto = 999999999.999;

// floor((x + step/2 +- 1e-8) / step) * step; the nudge is negative for x <= 0.
double roundToStep(double x, double step);

// The one threshold function of a criterion at an evaluation x: the line is
// converted first in inverse mode, then t = alpha' * x + beta'.
double thresholdAt(const Criterion& c, const ThresholdLine& line, double x);
double indifferenceAt(const Criterion& c, double x);  // q
double preferenceAt(const Criterion& c, double x);    // p
double vetoAt(const Criterion& c, double x);          // v, kNoVeto without veto

// Sum of the weights in index order.
double weightSum(const Project& p);

double partialConcordance(const Project& p, int j, int a, int b);
double concordanceIndex(const Project& p, int a, int b);
// With the pair's unrounded concordance C(a, b) already computed (cC).
double effectiveVeto(const Project& p, int j, int a, int b, double cC);
int vetoTest(const Project& p, int j, int a, int b, double cC);
// With the criterion's weight share (weight / weightSum) worked out already:
// a caller testing every pair need not sum the weights for each.
int vetoTest(const Project& p, int j, int a, int b, double cC, double wHat);
int discordanceFlag(const Project& p, int a, int b, double cC);
double partialDiscordance(const Project& p, int j, int a, int b, double cC);
double robustnessCoefficient(const Project& p, int a, int b, double cC);

// Convenience forms that compute C(a, b) themselves.
double effectiveVeto(const Project& p, int j, int a, int b);
int vetoTest(const Project& p, int j, int a, int b);
double partialDiscordance(const Project& p, int j, int a, int b);

// One criterion at every alternative: evaluation and thresholds, worked out
// once for whole rows of pairs. The row functions below perform the very
// operations of the per-pair functions above and agree with them to the bit.
struct CriterionThresholds {
    bool maximized = false;
    std::vector<double> g, q, p, v;
};
CriterionThresholds criterionThresholds(const Project& p, int j);
// out[b] = partialConcordance(p, j, a, b) for every b.
void partialConcordanceRow(const CriterionThresholds& t, int a, double* out);
// out[b] = vetoTest(p, j, a, b, cC[b], wHat) for every b, s the level of concordance.
void vetoTestRow(const CriterionThresholds& t, double s, double wHat, int a, const double* cC, char* out);
// out[b] = concordanceIndex(p, a, b) for every b; `criteria` from criterionThresholds.
void concordanceIndexRow(const Project& p, const std::vector<CriterionThresholds>& criteria, int a, double* out);

// The "%5.2f" texts of index * 0.01 for |index| <= kRoundedIndexLimit: the
// fill's texts of rounded concordance and robustness, made once.
constexpr int kRoundedIndexLimit = TextMatrix::kRoundedIndexLimit;
const std::string& roundedIndexText(int index);
// The floored quotient of roundToStep(x, 0.01): its result is this times 0.01.
double hundredthsIndex(double x);

// Allocates `r` for p.n and fills the matrices, their texts, the column
// formats and the initial graph arrays. The weights must not sum to 0.
// Polls `progress` (may be null) every 1,024 pairs.
void fillMatrices(const Project& p, ResultsSet& r, ComputeProgress* progress = nullptr);

}  // namespace kvis
