#include "engine/validate.h"

#include <cmath>

#include "engine/matrices.h"
#include "model/numfmt.h"

namespace kvis {

namespace {

Validation failure(Check check, std::string text, MessageButtons buttons = MessageButtons::Ok) {
    return Validation{check, std::move(text), kValidationCaption, buttons};
}

// Inverse mode divides a line by 1 - alpha (maximized) or 1 + alpha (minimized).
bool inverseDividesByZero(const Criterion& c, const ThresholdLine& line) {
    if (!c.inverseMode) return false;
    return c.direction != 0 ? line.alpha == 1 : line.alpha == -1;
}

bool inRange(double x) { return std::isfinite(x) && std::fabs(x) <= kLargestNumber; }

bool inRange(const ThresholdLine& t) { return inRange(t.alpha) && inRange(t.beta); }

}  // namespace

bool numbersInRange(const Project& p) {
    if (!inRange(p.levelOfConcordance)) return false;
    for (const Criterion& c : p.criteria)
        if (!inRange(c.weight) || !inRange(c.preference) || !inRange(c.indifference) || !inRange(c.veto)) return false;
    for (double v : p.evaluations)
        if (!inRange(v)) return false;
    return true;
}

bool checkCriterionThresholds(const Project& p, int j) {
    const Criterion& c = p.criteria[j];
    const bool isMax = c.direction != 0;

    // Coefficients of growth; the veto line counts even when it is not used.
    if (!isMax) {
        if (c.preference.alpha >= 1 || c.indifference.alpha >= 1 || c.veto.alpha >= 1) return false;
    } else {
        if (c.preference.alpha <= -1 || c.indifference.alpha <= -1 || c.veto.alpha <= -1) return false;
    }
    if (inverseDividesByZero(c, c.preference) || inverseDividesByZero(c, c.indifference)) return false;
    if (c.useVeto && inverseDividesByZero(c, c.veto)) return false;

    if (p.n <= 0) return true;  // no evaluation to test the lines at

    int imax = 0;
    int imin = 0;
    for (int i = 1; i < p.n; ++i) {
        if (p.eval(i, j) > p.eval(imax, j))
            imax = i;
        else if (p.eval(i, j) < p.eval(imin, j))
            imin = i;
    }
    const double gmin = p.eval(imin, j);
    const double gmax = p.eval(imax, j);

    if (indifferenceAt(c, gmin) < 0 || indifferenceAt(c, gmax) < 0) return false;

    double far, d1, d2;
    if (!isMax) {
        far = gmax;
        d1 = (gmin + c.indifference.beta) / (1 - c.indifference.alpha);
        d2 = (gmin + c.preference.beta) / (1 - c.preference.alpha);
    } else {
        far = gmin;
        d1 = (gmax - c.indifference.beta) / (1 + c.indifference.alpha);
        d2 = (gmax - c.preference.beta) / (1 + c.preference.alpha);
    }
    if (preferenceAt(c, far) < indifferenceAt(c, far)) return false;
    if (preferenceAt(c, d1) < indifferenceAt(c, d1)) return false;
    if (vetoAt(c, far) < preferenceAt(c, far)) return false;
    if (vetoAt(c, d2) < preferenceAt(c, d2)) return false;
    return true;
}

bool checkLevelOfConcordance(const Project& p, double s, double& upper) {
    if (p.m <= 0) {
        // Nothing to weigh: no level can be valid.
        upper = 0;
        return false;
    }
    double wmin = p.criteria[0].weight;
    double W = 0;
    for (int j = 0; j < p.m; ++j) {
        const double w = p.criteria[j].weight;
        if (w < wmin) wmin = w;
        W += w;
    }
    // A zero total would print "nan" as the bound; no level passes then.
    upper = W != 0 ? 1 - wmin / W : 0;
    return s >= 0.5 && s <= upper;
}

std::string levelMessage(double upper) {
    return format("Value of the level of concordance\n    must be between 0.5 and %g", upper);
}

Validation validate(const Project& p) {
    if (!numbersInRange(p))
        return failure(Check::Numbers, "The numbers of the project must lie\nbetween -1e+15 and 1e+15");

    for (int j = 0; j < p.m; ++j)
        if (!checkCriterionThresholds(p, j))
            return failure(Check::Thresholds,
                           "Invalid values of thresholds\n   for some of criteria.\nDo you want to edit criteria?",
                           MessageButtons::YesNo);

    bool negative = false;
    for (int j = 0; j < p.m; ++j)
        if (p.criteria[j].weight < 0) negative = true;
    if (negative || !(weightSum(p) > 0))
        return failure(Check::Weights,
                       "The weights of the criteria must not be negative\nand their sum must be greater than 0");

    const double s = p.levelOfConcordance;
    double upper = 0;
    if (!checkLevelOfConcordance(p, s, upper))
        return failure(Check::Level, levelMessage(upper));

    if (roundToStep(1 - s - upper, 0.001) == 0)
        return failure(Check::DivisionGuard,
                       "      To avoid division by zero,\n change the level of concordance\n"
                       "                and/or weights");
    return Validation{};
}

}  // namespace kvis
