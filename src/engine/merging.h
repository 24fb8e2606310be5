#pragma once
// Merging of cycles: every strongly connected group of vertices becomes one
// vertex holding all its alternatives, in the order the walks along the pruned
// successor lists meet them.
//
// Invariants: after condense (and after every re-merge) vertexMembers,
// extraMembers, vertexGraph and workingVertexCount describe the merged graph of
// modifiedOutranking, and the lists are its predecessor lists.
#include <functional>
#include <vector>

#include "engine/bit_rows.h"
#include "engine/results.h"

namespace kvis {

// Merges the cycle found by walking from the lowest vertex with a positive
// count of the pruned successor lists, then the next, until none is left.
// Returns the new vertex count.
int condense(ResultsSet& r, int k);

// Copies modifiedOutranking into vertexGraph and merges every cycle again,
// starting from single alternatives. Returns 1 when a cycle was found.
int remergeFromScratch(ResultsSet& r);

// Ends a treatment of a merged vertex by merging again from scratch. With a
// cycle left the result stands; without one every vertex is single and the
// treated group's former extra members count again.
int finishTreatment(ResultsSet& r, int result, int formerExtra, bool& cycleLeft);

// A treatment's edits of modifiedOutranking, noting whether any cell changed
// (an unchanged relation re-merges to the very same arrays).
struct OutrankingEdit {
    ResultsSet& r;
    bool changed = false;
    void set(int a, int b, int value) {
        int& cell = r.modifiedOutranking[r.at(a, b)];
        if (cell != value) changed = true;
        cell = value;
    }
};

// The rounds of merging on bit sets.
//
// A merge round rebuilds the vertex graph, lists it, prunes its sinks and walks
// the pruned rows; done literally that costs a full n x n pass per merged
// cycle, and the trial of arc sets repeats it for every set. The Condenser
// reproduces the same rounds exactly with incremental state:
//  - vertices keep stable slots (their index when merging started); the
//    compaction only renumbers them, so index order is slot order;
//  - pruning removes sinks in a fixed order: a vertex is processed in the pass
//    in which its last successor was processed when its index is higher, else
//    in the next one. Its key (pass, slot) orders all removals, and it does not
//    change when a cycle elsewhere is merged;
//  - the first entry of a pruned row is found by replaying the swap-removals
//    of that row alone, in key order.
class Condenser {
public:
    using Word = bits::Word;

    explicit Condenser(int n);

    // Singletons over a graph given as bit rows and columns (no diagonal).
    void loadSingletons(const std::vector<Word>& rows, const std::vector<Word>& cols);
    // Singletons over the arcs of modifiedOutranking.
    void loadSingletons(const ResultsSet& r);
    // The k vertices of the ResultsSet, with the arcs that rebuilding the vertex
    // graph from modifiedOutranking would give.
    void loadFromResults(const ResultsSet& r, int k);
    void removeArc(int from, int to);
    // The same after the pruning: `to` must not have been merged yet, and
    // `from` keeps a positive successor (its group stays strongly connected).
    void removeArcAfterPruning(int from, int to);

    // Merging stops before any walk would read the row of a vertex in
    // `fence` (bit set over slots; null for none); fenceReached() tells
    // whether mergeRemaining stopped there. What the merging did until then
    // does not depend on those rows.
    void setFence(const Word* fence) {
        fence_ = fence;
        fenceReached_ = false;
    }
    bool fenceReached() const { return fenceReached_; }

    // Takes over the state of `other` (of the same size), leaving the
    // scratch arrays: cheaper than a copy for the many returns to a snapshot.
    void restore(const Condenser& other);

    // Pruning of sinks from scratch, in passes of increasing index.
    void pruneFromScratch();
    bool hasPositive() const;
    int lowestPositive() const;
    // Index of a slot among the vertices still present.
    int rankOf(int s) const;
    // First entry of the pruned successor row of positive slot y.
    int firstEntry(int y);

    // Walks from x0 (whose index is rank0) and merges the cycle found. `first`
    // gives the first entry of a row. False when the lists are not usable.
    template <class First>
    bool walkAndMerge(int x0, int rank0, First first, const std::function<void()>& beforeMerge = {});
    // Merges cycle after cycle until no vertex is left on one (after the first
    // merge, which prunes afresh).
    void mergeRemaining();
    // One round of mergeRemaining: false when no cycle was merged.
    // `beforeMerge` is called once the walk has found its cycle, with the
    // state still as before the round.
    bool mergeNext(const std::function<void()>& beforeMerge = {});
    // The slots of the cycle merged last, the one kept first.
    const std::vector<int>& lastMerged() const { return cycle_; }
    // What the last walk of mergeNext read: each slot's first entry, and
    // whether that entry was simply the lowest successor of the row.
    struct WalkStep {
        int slot;
        int first;
        bool lowest;
    };
    const std::vector<WalkStep>& lastWalk() const { return walked_; }

    // The partition of the alternatives into vertices, each named by its slot,
    // is the whole state of the merging apart from the arcs: the pruning, the
    // first entries and every later walk follow from it and the rows. Its
    // fingerprint is kept as cycles merge, so that two runs can be compared
    // cheaply (equal fingerprints are only a hint).
    unsigned long long partitionHash() const { return partitionHash_; }
    // The slot of the vertex that slot s has been merged into (s itself
    // while it stands); with singletons loaded, the vertex of alternative s.
    int holderOf(int s) const {
        while (joinedInto_[s] != s) s = joinedInto_[s];
        return s;
    }
    template <class F>
    void forEachMember(int s, F f) const {
        for (int a = head_[s]; a != -1; a = next_[a]) f(a);
    }
    size_t footprint() const { return (rows_.size() + cols_.size()) * sizeof(Word) + static_cast<size_t>(n_) * 96; }
    bool hasArc(int from, int to) const { return bits::testBit(rows_.data() + static_cast<size_t>(from) * words_, to); }
    // After a merge: keeps the pruning keys current (a fresh prune when none
    // exist yet).
    void updatePruning(bool fresh);

    // Writes the merged graph back into the ResultsSet as the vertices 0 ... K-1.
    int writeBack(ResultsSet& r, int k);
    // True when the grouping, read as extra members by vertex index, differs
    // from `saved` somewhere below the number of vertices.
    bool extrasDiffer(const std::vector<int>& saved) const;

private:
    Word* row(int s) { return rows_.data() + static_cast<size_t>(s) * words_; }
    Word* col(int s) { return cols_.data() + static_cast<size_t>(s) * words_; }
    template <class F>
    void forEach(const Word* b, F f) const { bits::forEachBit(b, words_, f); }
    int popcount(const Word* b) const;
    int popcountAnd(const Word* a, const Word* b) const;

    int workOutFirst(int y);
    unsigned long long partHash(int s) const;
    void startPartitionHash();
    void startSingletons();
    long long keyFromSuccessors(int y);
    void merge();
    void forgetFirstOfPredecessors(int x);

    const Word* fence_ = nullptr;
    bool fenceReached_ = false;
    int n_;
    int words_;
    std::vector<Word> rows_, cols_, alive_, positive_, colUnion_, rowUnion_, cycleMask_;
    std::vector<int> head_, tail_, next_, size_, extra_, repSlot_, posCount_, firstCache_, joinedInto_;
    std::vector<long long> key_, removed_, sortedRemoved_;
    std::vector<size_t> passCount_;
    std::vector<int> lastAt_, pending_;
    std::vector<unsigned long long> memberSum_;  // per slot, of the members' keys
    unsigned long long partitionHash_ = 0;
    std::vector<int> arr_, posIdx_, seen_, path_, cycle_, work_;
    std::vector<char> firstIsLowest_;
    std::vector<WalkStep> walked_;
};

template <class First>
bool Condenser::walkAndMerge(int x0, int rank0, First first, const std::function<void()>& beforeMerge) {
    path_.clear();
    path_.push_back(rank0);
    seen_[rank0] = 0;
    int f = -1;
    int cur = x0;
    for (int steps = 0; steps <= n_ + 1; ++steps) {
        const int nx = first(cur);
        if (nx < 0 || nx >= n_ || !bits::testBit(alive_.data(), nx)) break;
        const int rep = head_[nx];
        if (rep < 0) break;
        if (seen_[rep] >= 0) {
            f = seen_[rep];
            break;
        }
        seen_[rep] = static_cast<int>(path_.size());
        path_.push_back(rep);
        cur = nx;
    }
    for (int v : path_) seen_[v] = -1;
    if (f < 0) return false;
    const int L = static_cast<int>(path_.size());
    cycle_.clear();
    for (int i = f; i < L; ++i) {
        const int s = repSlot_[path_[i]];
        if (s < 0) return false;
        cycle_.push_back(s);
    }
    if (cycle_.size() < 2) return false;
    if (beforeMerge) beforeMerge();
    merge();
    return true;
}

}  // namespace kvis
