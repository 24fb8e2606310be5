#pragma once
// Kernel and final graph: the kernel step that ends the engine, and what every
// reader of the final graph needs (results file, exchange file, kernel
// dialogs, graph views, printing). Readers call these; none re-derives them.
//
// Invariants of the final graph: the first vertexCount rows of vertexMembers
// are the vertices; listCounts holds the kernel marks (0 in the kernel, -1
// not, -1 past the vertices); vertexGraph holds the arcs between vertices
// and its diagonal is no arc.
#include <string>
#include <vector>
#include "engine/progress.h"
#include "engine/results.h"

namespace kvis {

// Marks the kernel of the acyclic graph of the k current vertices: a vertex
// with no kernel predecessor is in it, every other vertex is excluded.
void computeKernel(ResultsSet& r, int k, ComputeProgress* progress = nullptr);

enum class MemberKind { Natural, Artificial };
enum class ArcKind { Isolated, Initial, Intermediate, Final };

struct VertexKind {
    MemberKind members = MemberKind::Natural;
    ArcKind arcs = ArcKind::Isolated;
};

// "Natural", "Artificial"; "Isolated", "Initial", "Intermediate", "Final".
const char* memberKindText(MemberKind k);
const char* arcKindText(ArcKind k);

// The alternatives of vertex v (v < vertexCount), representative first.
std::vector<int> vertexMemberList(const ResultsSet& r, int v);
bool isArtificial(const ResultsSet& r, int v);
VertexKind vertexKind(const ResultsSet& r, int v);
// 0 for a natural vertex; else 1 + the number of artificial vertices before v.
int artificialOrdinal(const ResultsSet& r, int v);
// 0-based number used in the results report: the alternative's index for a
// natural vertex, n - 1 + ordinal for an artificial one.
int reportVertexNumber(const ResultsSet& r, int v);
// 1-based number used on screen and paper.
int artificialNumber(const ResultsSet& r, int v);
int screenVertexNumber(const ResultsSet& r, int v);
bool inKernel(const ResultsSet& r, int v);

struct ModifiedArc {
    int from = 0;
    int to = 0;
    int change = 0;  // +1 added, -1 removed
    double robustness = 0.0;
};
// Row-major order over ordered pairs a != b.
std::vector<ModifiedArc> modifiedArcs(const ResultsSet& r);

}  // namespace kvis
