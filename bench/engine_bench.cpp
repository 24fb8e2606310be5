// The whole Computations command on generated projects of 10 criteria.
//
// Acyclic family: every alternative has its own quality level, and the levels
// lie further apart than the preference threshold on every criterion, so the
// better one of each pair outranks the worse one and never the reverse: a
// transitive relation with n(n-1)/2 arcs, computed at a high level of
// concordance.
//
// Cyclic family: the alternatives come in groups of six similar ones whose
// evaluations differ by less than the preference threshold, so that at a low
// level of concordance most of a group outrank each other (many cycles, some
// arcs missing); groups lie far apart and relate one way only.
//
// Indices are shuffled in both families so that neither follows the order of
// quality. Peak memory is the process's peak resident set so far
// (getrusage), reported in MiB; the benchmarks run from the smallest size up.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/compute.h"
#include "engine/matrices.h"
#include "engine/results.h"
#include "model/numfmt.h"
#include "model/project.h"

namespace {

using namespace kvis;

constexpr int kCriteria = 10;
constexpr int kGroup = 6;

Project generate(int n, bool cyclic) {
    std::mt19937 rng(static_cast<unsigned>(n * 2 + (cyclic ? 1 : 0)));
    std::uniform_real_distribution<double> noise(0.0, cyclic ? 4.0 : 5.0);
    Project p;
    p.m = kCriteria;
    p.n = n;
    for (int j = 0; j < kCriteria; ++j) {
        Criterion c;
        c.name = format("crit%d", j + 1);
        c.direction = 1;
        c.weight = 1.0 + j % 3;
        c.indifference = {0.0, 1.0};
        c.preference = {0.0, 3.0};
        c.useVeto = 1;
        c.veto = {0.0, 50.0};
        p.criteria.push_back(c);
        p.columnFormats.push_back(TSheetColumn{100, 2, 0});
    }
    std::vector<int> level(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) level[static_cast<size_t>(i)] = cyclic ? i / kGroup : i;
    std::shuffle(level.begin(), level.end(), rng);
    for (int i = 0; i < n; ++i) {
        p.alternatives.push_back(Alternative{format("alt%d", i + 1)});
        for (int j = 0; j < kCriteria; ++j) {
            const double g = 10.0 * level[static_cast<size_t>(i)] + noise(rng);
            p.evaluations.push_back(g);
            p.evaluationTexts.push_back(format("%g", g));
        }
    }
    p.levelOfConcordance = cyclic ? 0.55 : 0.8;
    p.maxArcsToCut = 2;
    p.acceptableLoss = 0.1;
    return p;
}

double peakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void computeResultsBench(benchmark::State& state, bool cyclic) {
    const Project p = generate(static_cast<int>(state.range(0)), cyclic);
    ResultsSet r;
    int vertices = 0;
    int changed = 0;
    for (auto _ : state) {
        DocumentState d;
        const ComputeOutcome o = computeResults(p, d, r);
        if (o.status != ComputeStatus::Computed) {
            state.SkipWithError(("not computed: " + o.text).c_str());
            return;
        }
        vertices = r.vertexCount;
        benchmark::DoNotOptimize(r.listCounts.data());
    }
    for (int a = 0; a < r.n; ++a)
        for (int b = 0; b < r.n; ++b)
            if (a != b && r.modifiedOutranking[r.at(a, b)] != r.outrankingMatrix[r.at(a, b)]) ++changed;
    state.counters["vertices"] = vertices;
    state.counters["modified_arcs"] = changed;
    state.counters["peak_rss_MiB"] = peakMiB();
}

// The matrix fill alone, in nanoseconds per criterion evaluation (one
// criterion of one ordered pair): the cost of the four matrices and their texts.
void MatrixFill(benchmark::State& state) {
    const Project p = generate(static_cast<int>(state.range(0)), true);
    ResultsSet r;
    for (auto _ : state) {
        fillMatrices(p, r);
        benchmark::DoNotOptimize(r.robustnessMatrix.data());
    }
    const double evaluations = static_cast<double>(p.n) * p.n * p.m;
    state.counters["ns_per_evaluation"] =
        benchmark::Counter(evaluations * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Acyclic(benchmark::State& state) { computeResultsBench(state, false); }
void Cyclic(benchmark::State& state) { computeResultsBench(state, true); }

BENCHMARK(MatrixFill)->Arg(1000)->Unit(benchmark::kMillisecond);

// Smallest first, both families at each size: the peak so far is then the
// peak of the current size.
BENCHMARK(Acyclic)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(Cyclic)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(Acyclic)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(Cyclic)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(Acyclic)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(Cyclic)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(Acyclic)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(Cyclic)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
