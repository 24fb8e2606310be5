#include "dialogs/dialog_logic.h"

#include <algorithm>

#include "engine/final_graph.h"
#include "engine/matrices.h"
#include "engine/validate.h"
#include "model/numfmt.h"
#include "resources/dialog_templates.h"

namespace kvis::dlg {

namespace {
const char* const kThresholdsText =
    "          Invalid values of thresholds.\nThresholds must be valid for criterion %s";
}  // namespace

std::string deleteAlternativeQuestion(const std::string& name) {
    return format("Do you really want to delete\n  alternative '%s' ?", name.c_str());
}

std::string deleteCriterionQuestion(const std::string& name) {
    return format("Do you really want to delete\n    criterion: '%s'", name.c_str());
}

std::string invalidThresholdsMessage(const std::string& criterionName) {
    return format(kThresholdsText, criterionName.c_str());
}

std::string gText(double v) { return format("%g", v); }

std::string alternativeValueLine(const std::string& criterionName, double value) {
    return format(" %-14.14s  %12.3lf ", criterionName.c_str(), value);
}

std::vector<std::string> alternativeValueLines(const Project& p, int i) {
    std::vector<std::string> lines;
    for (int c = 0; c < p.m; ++c) lines.push_back(alternativeValueLine(p.criteria[c].name, p.eval(i, c)));
    return lines;
}

std::vector<std::string> pendingValueLines(const Project& p, const std::vector<double>& pending) {
    std::vector<std::string> lines;
    for (int c = 0; c < p.m && c < static_cast<int>(pending.size()); ++c)
        lines.push_back(alternativeValueLine(p.criteria[c].name, pending[c]));
    return lines;
}

std::string proposedAlternativeName(const Project& p) { return format("alter_%d", p.n + 1); }

bool criterionHasValues(const Project& p, int j) {
    for (int i = 0; i < p.n; ++i)
        if (p.eval(i, j) != 0) return true;
    return false;
}

Criterion proposedCriterion(const Project& p) {
    Criterion c;
    c.name = format("crit_%d", p.m + 1);
    c.weight = 1;
    c.direction = 0;
    return c;
}

bool candidatePasses(const Project& p, int j, const Criterion& candidate) {
    // A one-criterion scratch project carrying j's column (zeros for a new one),
    // so the engine's own test runs while the Project stays untouched.
    Project scratch;
    scratch.m = 1;
    scratch.n = p.n;
    scratch.criteria.push_back(candidate);
    scratch.evaluations.assign(static_cast<size_t>(p.n), 0.0);
    if (j < p.m)
        for (int i = 0; i < p.n; ++i) scratch.evaluations[i] = p.eval(i, j);
    return checkCriterionThresholds(scratch, 0);
}

int firstFailingCriterion(const Project& p) {
    for (int j = 0; j < p.m; ++j)
        if (!checkCriterionThresholds(p, j)) return j;
    return -1;
}

std::vector<std::string> evaluationLines(const Project& p, int j, const Criterion& c) {
    std::vector<std::string> lines;
    for (int i = 0; i < p.n; ++i) {
        const double g = p.eval(i, j);
        // The lines as entered: the preview shows what was typed, not the inverse form.
        const double q = c.indifference.alpha * g + c.indifference.beta;
        const double pp = c.preference.alpha * g + c.preference.beta;
        const char* name = p.alternatives[i].name.c_str();
        if (c.useVeto == 1) {
            const double v = c.veto.alpha * g + c.veto.beta;
            lines.push_back(format("%-16.16s %12.3f %12.3f %12.3f %12.3f", name, g, q, pp, v));
        } else {
            lines.push_back(format("%-16.16s %12.3f %12.3f %12.3f %s", name, g, q, pp, "     N/A"));
        }
    }
    return lines;
}

bool levelPasses(const Project& p, double s, double& upper) {
    if (p.m <= 0) {
        // No weights to bound the level by: any level from 0.5 to 1 is sound.
        upper = 1;
        return s >= 0.5 && s <= upper;
    }
    return checkLevelOfConcordance(p, s, upper);
}

const SelectBox kSelectBoxes[8] = {
    {idc::Select::InputData, kBitAlternatives}, {idc::Select::Concordance, kBitConcordance},
    {idc::Select::Discordance, kBitDiscordance}, {idc::Select::Robustness, kBitRobustness},
    {idc::Select::Outranking, kBitOutranking},   {idc::Select::Graph, kBitGraph},
    {idc::Select::ModifiedGraph, kBitModifiedGraph}, {idc::Select::FinalGraph, kBitFinalGraph},
};

CompareLists compareLists(const Project& p, int a, int b) {
    CompareLists out;
    const double W = weightSum(p);
    const double s = p.levelOfConcordance;
    const double C = concordanceIndex(p, a, b);
    for (int j = 0; j < p.m; ++j) {
        const Criterion& cr = p.criteria[j];
        const double w = cr.weight / W;
        const double ga = p.eval(a, j);
        const double gb = p.eval(b, j);
        const double qa = indifferenceAt(cr, ga);
        const double pa = preferenceAt(cr, ga);
        const double va = vetoAt(cr, ga);
        const double qb = indifferenceAt(cr, gb);
        const double pb = preferenceAt(cr, gb);

        const double x = 1 - C - w;
        double k = x > 0 ? x / (1 - s - w) : 0;
        if (k > 1) k = 1;
        if (k < 0) k = 0;
        const double effectiveVetoThreshold = va - std::min(k * qb, va - pa);

        const double d = cr.direction == 1 ? ga - gb : gb - ga;
        if (-d > effectiveVetoThreshold) {
            out.pv.push_back(cr.name);
            continue;
        }
        if (d <= qb && -d <= qa) out.i.push_back(cr.name);
        if (qb < d && d <= pb) out.q.push_back(cr.name);
        if (pb < d) out.p.push_back(cr.name);
        if (qa < -d && -d <= pa)
            out.qMinus.push_back(
                format("%-12.12s %.2f", cr.name.c_str(), roundToStep(partialConcordance(p, j, a, b), 0.01)));
    }
    return out;
}

std::vector<KernelLine> kernelLines(const Project& p, const ResultsSet& r) {
    std::vector<KernelLine> lines;
    for (int v = 0; v < r.vertexCount; ++v) {
        if (!inKernel(r, v)) continue;
        const VertexKind kind = vertexKind(r, v);
        const char* arcs = arcKindText(kind.arcs);
        if (kind.members == MemberKind::Natural) {
            const std::vector<int> members = vertexMemberList(r, v);
            const int a = members.empty() ? 0 : members[0];
            lines.push_back({v, format("%-14s %13s", p.alternatives[a].name.c_str(), arcs)});
        } else {
            lines.push_back({v, format("%3d-%10s %13s", artificialNumber(r, v), "Artificial", arcs)});
        }
    }
    return lines;
}

KernelStructure kernelStructure(const Project& p, const ResultsSet& r, int v) {
    KernelStructure out;
    const VertexKind kind = vertexKind(r, v);
    const std::vector<int> members = vertexMemberList(r, v);
    out.type = memberKindText(kind.members);
    const int code = kind.members == MemberKind::Natural ? (members.empty() ? 0 : members[0]) + 1
                                                          : artificialNumber(r, v);
    out.code = format("%3d", code);
    for (int a : members) out.members.push_back(format(" %-14s", p.alternatives[a].name.c_str()));
    return out;
}

}  // namespace kvis::dlg
