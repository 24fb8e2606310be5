#include "engine/graph.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/matrices.h"

namespace kvis {

namespace {

using Word = std::uint64_t;

// Without a target option the compiler calls a library routine for popcount.
inline int bitCount(Word x) {
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

size_t cellOf(int n, int row, int col) {
    return static_cast<size_t>(row) * static_cast<size_t>(n) + static_cast<size_t>(col);
}

// Members of vertex v: the row up to its -1, or the whole row when full.
std::vector<int> rowMembers(const ResultsSet& r, int v) {
    std::vector<int> m;
    for (int i = 0; i < r.n; ++i) {
        const int a = r.vertexMembers[cellOf(r.n, v, i)];
        if (a == -1) break;
        m.push_back(a);
    }
    return m;
}

void resetToSingletons(ResultsSet& r) {
    const int n = r.n;
    std::fill(r.vertexMembers.begin(), r.vertexMembers.end(), -1);
    for (int v = 0; v < n; ++v) r.vertexMembers[cellOf(n, v, 0)] = v;
    std::fill(r.extraMembers.begin(), r.extraMembers.end(), 0);
}

// Position of each entry inside the list rows, for removals without a scan.
// Only the cells of entries present are ever read, so it is not initialised.
struct Positions {
    explicit Positions(int n) : cells(new int[static_cast<size_t>(n) * static_cast<size_t>(n)]) {}
    int& operator[](size_t c) { return cells[c]; }
    std::unique_ptr<int[]> cells;
};

// Removes the entry at `p` of list row `row`: the last entry takes its place.
void removeAt(ResultsSet& r, Positions& pos, int row, int p) {
    const int n = r.n;
    int& count = r.listCounts[static_cast<size_t>(row)];
    const int last = count - 1;
    const int moved = r.vertexLists[cellOf(n, row, last)];
    r.vertexLists[cellOf(n, row, p)] = moved;
    pos[cellOf(n, row, moved)] = p;
    r.vertexLists[cellOf(n, row, last)] = -1;
    --count;
}

// ---------------------------------------------------------------------------
// Merging of cycles on bit sets.
//
// A merge round rebuilds the vertex graph, lists it, prunes its sinks and walks
// the pruned rows; done literally that costs a full n x n pass per merged
// cycle, and cycle cutting repeats it for every trial arc set. The Condenser
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
    explicit Condenser(int n)
        : n_(n),
          words_((n + 63) / 64),
          rows_(static_cast<size_t>(n) * words_),
          cols_(static_cast<size_t>(n) * words_),
          alive_(words_),
          positive_(words_),
          colUnion_(words_),
          rowUnion_(words_),
          cycleMask_(words_),
          head_(n),
          tail_(n),
          next_(n),
          size_(n),
          extra_(n),
          repSlot_(n),
          posCount_(n),
          firstCache_(n, -2),
          key_(n),
          arr_(n),
          posIdx_(n),
          seen_(n, -1) {}

    // Singletons over a graph given as bit rows and columns (no diagonal).
    void loadSingletons(const std::vector<Word>& rows, const std::vector<Word>& cols) {
        rows_ = rows;
        cols_ = cols;
        std::fill(alive_.begin(), alive_.end(), 0);
        for (int s = 0; s < n_; ++s) {
            setBit(alive_.data(), s);
            head_[s] = tail_[s] = s;
            next_[s] = -1;
            size_[s] = 1;
            extra_[s] = 0;
            repSlot_[s] = s;
        }
    }

    // The k vertices of the ResultsSet, with the arcs that rebuilding the vertex
    // graph from modifiedOutranking would give.
    void loadFromResults(const ResultsSet& r, int k) {
        std::fill(rows_.begin(), rows_.end(), 0);
        std::fill(cols_.begin(), cols_.end(), 0);
        std::fill(alive_.begin(), alive_.end(), 0);
        std::fill(repSlot_.begin(), repSlot_.end(), -1);
        std::vector<int> slotOf(static_cast<size_t>(n_), -1);
        for (int s = 0; s < k; ++s) {
            setBit(alive_.data(), s);
            head_[s] = tail_[s] = -1;
            size_[s] = 0;
            extra_[s] = r.extraMembers[static_cast<size_t>(s)];
            for (int i = 0; i < n_; ++i) {
                const int a = r.vertexMembers[cellOf(n_, s, i)];
                if (a == -1) break;
                if (a < 0 || a >= n_) continue;
                next_[a] = -1;
                if (head_[s] == -1)
                    head_[s] = a;
                else
                    next_[tail_[s]] = a;
                tail_[s] = a;
                ++size_[s];
                slotOf[static_cast<size_t>(a)] = s;
            }
            if (head_[s] != -1) repSlot_[head_[s]] = s;
        }
        for (int x = 0; x < n_; ++x) {
            const int sx = slotOf[static_cast<size_t>(x)];
            if (sx < 0) continue;
            for (int y = 0; y < n_; ++y) {
                const int sy = slotOf[static_cast<size_t>(y)];
                if (sy < 0 || sy == sx || r.modifiedOutranking[cellOf(n_, x, y)] != 1) continue;
                setBit(row(sx), sy);
                setBit(col(sy), sx);
            }
        }
    }

    void removeArc(int from, int to) {
        if (from == to) return;
        clearBit(row(from), to);
        clearBit(col(to), from);
    }

    // Pruning of sinks from scratch, in passes of increasing index.
    void pruneFromScratch() {
        std::fill(firstCache_.begin(), firstCache_.end(), -2);
        positive_ = alive_;
        std::vector<int>& count = posCount_;
        std::vector<int> current;
        std::vector<int> later;
        forEach(alive_.data(), [&](int s) {
            count[s] = popcount(row(s));
            if (count[s] == 0) current.push_back(s);
        });
        std::make_heap(current.begin(), current.end(), std::greater<int>());
        long long pass = 1;
        while (!current.empty()) {
            while (!current.empty()) {
                std::pop_heap(current.begin(), current.end(), std::greater<int>());
                const int x = current.back();
                current.pop_back();
                key_[x] = pass * (n_ + 1) + x;
                clearBit(positive_.data(), x);
                forEach(col(x), [&](int y) {
                    if (count[y] <= 0) return;
                    if (--count[y] == 0) {
                        if (y > x) {
                            current.push_back(y);
                            std::push_heap(current.begin(), current.end(), std::greater<int>());
                        } else {
                            later.push_back(y);
                        }
                    }
                });
            }
            ++pass;
            current.swap(later);
            later.clear();
            std::make_heap(current.begin(), current.end(), std::greater<int>());
        }
    }

    bool hasPositive() const {
        for (Word w : positive_)
            if (w) return true;
        return false;
    }

    int lowestPositive() const {
        for (int w = 0; w < words_; ++w)
            if (positive_[w]) return w * 64 + std::countr_zero(positive_[w]);
        return -1;
    }

    // Index of a slot among the vertices still present.
    int rankOf(int s) const {
        int rank = 0;
        for (int w = 0; w < (s >> 6); ++w) rank += bitCount(alive_[w]);
        const Word below = (Word(1) << (s & 63)) - 1;
        return rank + bitCount(alive_[s >> 6] & below);
    }

    // First entry of the pruned successor row of positive slot y.
    int firstEntry(int y) {
        if (firstCache_[y] == -2) firstCache_[y] = workOutFirst(y);
        return firstCache_[y];
    }

private:
    int workOutFirst(int y) {
        // The lowest successor keeps its place unless it was removed.
        const Word* ry = row(y);
        int lowest = -1;
        for (int w = 0; w < words_ && lowest < 0; ++w)
            if (ry[w]) lowest = w * 64 + std::countr_zero(ry[w]);
        if (lowest < 0) return -1;
        if (testBit(positive_.data(), lowest)) return lowest;
        int len = 0;
        removed_.clear();
        forEach(ry, [&](int s) {
            posIdx_[s] = len;
            arr_[len++] = s;
            if (!testBit(positive_.data(), s)) removed_.push_back(key_[s]);
        });
        // A key holds its slot in its remainder, so the keys sort on their own.
        std::sort(removed_.begin(), removed_.end());
        const long long base = n_ + 1;
        for (long long key : removed_) {
            const int e = static_cast<int>(key % base);
            const int p = posIdx_[e];
            const int moved = arr_[len - 1];
            arr_[p] = moved;
            posIdx_[moved] = p;
            --len;
        }
        return len > 0 ? arr_[0] : -1;
    }

public:
    // Walks from x0 (whose index is rank0) and merges the cycle found. `first`
    // gives the first entry of a row. False when the lists are not usable.
    template <class First>
    bool walkAndMerge(int x0, int rank0, First first) {
        path_.clear();
        path_.push_back(rank0);
        seen_[rank0] = 0;
        int f = -1;
        int cur = x0;
        for (int steps = 0; steps <= n_ + 1; ++steps) {
            const int nx = first(cur);
            if (nx < 0 || nx >= n_ || !testBit(alive_.data(), nx)) break;
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
        merge();
        return true;
    }

    // After a merge: keeps the pruning keys current (a fresh prune when none
    // exist yet).
    void updatePruning(bool fresh) {
        if (fresh) {
            pruneFromScratch();
            return;
        }
        const int t = cycle_[0];
        // The merged cycle's members were all on a cycle; only the new vertex
        // and whatever reached cycles through it alone can become sinks.
        const int tCount = popcountAnd(row(t), positive_.data());
        posCount_[t] = tCount;
        if (tCount > 0) return;
        clearBit(positive_.data(), t);
        key_[t] = keyFromSuccessors(t);
        forgetFirstOfPredecessors(t);
        work_.clear();
        forEach(col(t), [&](int y) {
            if (--posCount_[y] == 0) work_.push_back(y);
        });
        for (int y : work_) {
            clearBit(positive_.data(), y);
            key_[y] = keyFromSuccessors(y);
        }
        while (!work_.empty()) {
            const int x = work_.back();
            work_.pop_back();
            forgetFirstOfPredecessors(x);
            forEach(col(x), [&](int z) {
                if (!testBit(positive_.data(), z)) return;
                if (--posCount_[z] == 0) {
                    clearBit(positive_.data(), z);
                    key_[z] = keyFromSuccessors(z);
                    work_.push_back(z);
                }
            });
        }
    }

    // Writes the merged graph back into the ResultsSet as the vertices 0 ... K-1.
    int writeBack(ResultsSet& r, int k) {
        std::vector<int> rankOfSlot(static_cast<size_t>(n_), -1);
        int K = 0;
        forEach(alive_.data(), [&](int s) { rankOfSlot[static_cast<size_t>(s)] = K++; });
        std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
        std::fill(r.vertexMembers.begin() + static_cast<std::ptrdiff_t>(cellOf(n_, 0, 0)), r.vertexMembers.end(), -1);
        forEach(alive_.data(), [&](int s) {
            const int v = rankOfSlot[static_cast<size_t>(s)];
            int i = 0;
            for (int a = head_[s]; a != -1; a = next_[a]) r.vertexMembers[cellOf(n_, v, i++)] = a;
            r.extraMembers[static_cast<size_t>(v)] = extra_[s];
            forEach(row(s), [&](int t) { r.vertexGraph[cellOf(n_, v, rankOfSlot[static_cast<size_t>(t)])] = 1; });
        });
        for (int v = K; v < k; ++v) r.extraMembers[static_cast<size_t>(v)] = 0;
        return K;
    }

    // True when the grouping, read as extra members by vertex index, differs
    // from `saved` somewhere below the number of vertices.
    bool extrasDiffer(const std::vector<int>& saved) {
        int v = 0;
        bool differ = false;
        forEach(alive_.data(), [&](int s) {
            if (extra_[s] != saved[static_cast<size_t>(v)]) differ = true;
            ++v;
        });
        return differ;
    }

private:
    static bool testBit(const Word* b, int i) { return (b[i >> 6] >> (i & 63)) & 1; }
    static void setBit(Word* b, int i) { b[i >> 6] |= Word(1) << (i & 63); }
    static void clearBit(Word* b, int i) { b[i >> 6] &= ~(Word(1) << (i & 63)); }

    Word* row(int s) { return rows_.data() + static_cast<size_t>(s) * words_; }
    Word* col(int s) { return cols_.data() + static_cast<size_t>(s) * words_; }

    int popcount(const Word* b) const {
        int c = 0;
        for (int w = 0; w < words_; ++w) c += bitCount(b[w]);
        return c;
    }
    int popcountAnd(const Word* a, const Word* b) const {
        int c = 0;
        for (int w = 0; w < words_; ++w) c += bitCount(a[w] & b[w]);
        return c;
    }

    // Calls f for every set bit in increasing order; f may change other sets.
    template <class F>
    void forEach(const Word* b, F f) const {
        for (int w = 0; w < words_; ++w) {
            Word x = b[w];
            while (x) {
                f(w * 64 + std::countr_zero(x));
                x &= x - 1;
            }
        }
    }

    // A vertex whose successors were all removed is removed itself in the pass
    // of the last of them when its index is higher, else in the next pass.
    long long keyFromSuccessors(int y) {
        long long last = -1;
        forEach(row(y), [&](int s) { last = std::max(last, key_[s]); });
        const long long base = n_ + 1;
        if (last < 0) return base + y;
        const long long pass = last / base;
        const int slot = static_cast<int>(last % base);
        return (pass + (y < slot ? 1 : 0)) * base + y;
    }

    // Merges cycle_[1...] into cycle_[0]: members appended in path order, arcs
    // united, the others removed.
    void merge() {
        const int t = cycle_[0];
        std::fill(cycleMask_.begin(), cycleMask_.end(), 0);
        std::fill(rowUnion_.begin(), rowUnion_.end(), 0);
        std::fill(colUnion_.begin(), colUnion_.end(), 0);
        for (int c : cycle_) {
            setBit(cycleMask_.data(), c);
            const Word* rc = row(c);
            const Word* cc = col(c);
            for (int w = 0; w < words_; ++w) {
                rowUnion_[w] |= rc[w];
                colUnion_[w] |= cc[w];
            }
        }
        for (int w = 0; w < words_; ++w) {
            rowUnion_[w] &= ~cycleMask_[w];
            colUnion_[w] &= ~cycleMask_[w];
        }
        for (size_t i = 1; i < cycle_.size(); ++i) {
            const int u = cycle_[i];
            next_[tail_[t]] = head_[u];
            tail_[t] = tail_[u];
            size_[t] += size_[u];
            extra_[t] += size_[u];
            repSlot_[head_[u]] = -1;
            head_[u] = tail_[u] = -1;
            size_[u] = 0;
            extra_[u] = 0;
            clearBit(alive_.data(), u);
            clearBit(positive_.data(), u);
            std::fill(row(u), row(u) + words_, 0);
            std::fill(col(u), col(u) + words_, 0);
        }
        Word* rt = row(t);
        Word* ct = col(t);
        for (int w = 0; w < words_; ++w) {
            rt[w] = rowUnion_[w];
            ct[w] = colUnion_[w];
        }
        // Predecessors of the cycle now point at t only; each counted every
        // member it reached (all on the cycle) and now counts t once.
        forEach(colUnion_.data(), [&](int y) {
            Word* ry = row(y);
            int reached = 0;
            for (int c : cycle_) {
                reached += testBit(ry, c) ? 1 : 0;
                clearBit(ry, c);
            }
            setBit(ry, t);
            posCount_[y] += 1 - reached;
            firstCache_[y] = -2;
        });
        forEach(rowUnion_.data(), [&](int z) {
            Word* cz = col(z);
            for (int c : cycle_) clearBit(cz, c);
            setBit(cz, t);
        });
        firstCache_[t] = -2;
    }

    // The first entry of a pruned row stays as long as neither the row nor the
    // removed part of it changes; -2 marks an entry to work out again.
    void forgetFirstOfPredecessors(int x) {
        forEach(col(x), [&](int y) { firstCache_[y] = -2; });
    }

    int n_;
    int words_;
    std::vector<Word> rows_, cols_, alive_, positive_, colUnion_, rowUnion_, cycleMask_;
    std::vector<int> head_, tail_, next_, size_, extra_, repSlot_, posCount_, firstCache_;
    std::vector<long long> key_, removed_;
    std::vector<int> arr_, posIdx_, seen_, path_, cycle_, work_;
};

// Copies modifiedOutranking into vertexGraph and merges every cycle again,
// starting from single alternatives. Returns 1 when a cycle was found.
int remergeFromScratch(ResultsSet& r) {
    r.vertexGraph = r.modifiedOutranking;
    resetToSingletons(r);
    buildLists(r, ListMode::Successor, r.n);
    if (pruneSinks(r, r.n) == 0) return 0;
    r.workingVertexCount = condense(r, r.n);
    return 1;
}

struct Arc {
    double R = 0.0;
    int from = 0;
    int to = 0;
};

// Trial removals for the search of cutComponent: the same answer as
// arcSetBreaksCycles without touching the ResultsSet.
//
// Removing inner arcs of a group that stays strongly connected keeps the
// grouping; only its representative may change, and with it the index of the
// vertex. When the group is the only merged vertex and no other alternative
// lies between its lowest and highest member, that index cannot move either,
// so the answer is exactly whether the group stops being strongly connected
// (more vertices always change some count). Only an arc of a spanning tree
// out of or into one member can be the one that breaks it; that test replaces
// the full merging and lets the search skip most arc sets.
class ArcSetTrial {
public:
    explicit ArcSetTrial(const ResultsSet& r)
        : n_(r.n), words_((r.n + 63) / 64), condenser_(r.n), saved_(r.extraMembers) {
        rows_.assign(static_cast<size_t>(n_) * words_, 0);
        cols_.assign(static_cast<size_t>(n_) * words_, 0);
        for (int x = 0; x < n_; ++x)
            for (int y = 0; y < n_; ++y)
                if (x != y && r.modifiedOutranking[cellOf(n_, x, y)] != 0) {
                    rows_[static_cast<size_t>(x) * words_ + (y >> 6)] |= Word(1) << (y & 63);
                    cols_[static_cast<size_t>(y) * words_ + (x >> 6)] |= Word(1) << (x & 63);
                }
        whole_ = onlyGroupIsAnInterval(r);
        if (whole_) {
            treeMark_.assign(static_cast<size_t>(n_) * static_cast<size_t>(n_), 0);
            visited_.assign(static_cast<size_t>(words_), 0);
        }
    }

    bool breaks(const std::vector<Arc>& arcs, const int* idx, int count) {
        if (whole_) {
            setArcs(arcs, idx, count, false);
            const bool connected = stronglyConnected(false);
            setArcs(arcs, idx, count, true);
            return !connected;
        }
        condenser_.loadSingletons(rows_, cols_);
        for (int i = 0; i < count; ++i) condenser_.removeArc(arcs[idx[i]].from, arcs[idx[i]].to);
        return settle();
    }

    bool breaks(const std::vector<std::pair<int, int>>& arcs) {
        std::vector<Arc> list;
        std::vector<int> idx;
        for (const auto& [a, b] : arcs) {
            idx.push_back(static_cast<int>(list.size()));
            list.push_back(Arc{0.0, a, b});
        }
        return breaks(list, idx.data(), static_cast<int>(idx.size()));
    }

    // Marks the arcs that could still break the relation once the `count`
    // arcs of idx are gone; every arc when those alone break it already.
    void markCandidates(const std::vector<Arc>& arcs, const int* idx, int count) {
        if (!whole_) return;
        for (size_t c : marked_) treeMark_[c] = 0;
        marked_.clear();
        setArcs(arcs, idx, count, false);
        allCandidates_ = !stronglyConnected(true);
        setArcs(arcs, idx, count, true);
    }

    bool mayBreak(const Arc& a) const {
        return !whole_ || allCandidates_ || treeMark_[cellOf(n_, a.from, a.to)] != 0;
    }

private:
    bool settle() {
        condenser_.pruneFromScratch();
        while (condenser_.hasPositive()) {
            const int x0 = condenser_.lowestPositive();
            if (!condenser_.walkAndMerge(x0, condenser_.rankOf(x0), [&](int y) { return condenser_.firstEntry(y); }))
                break;
            condenser_.updatePruning(false);
        }
        return condenser_.extrasDiffer(saved_);
    }

    bool onlyGroupIsAnInterval(const ResultsSet& r) {
        int group = -1;
        for (int v = 0; v < n_; ++v) {
            if (saved_[static_cast<size_t>(v)] == 0) continue;
            if (group >= 0) return false;
            group = v;
        }
        if (group < 0) return false;
        groupMask_.assign(static_cast<size_t>(words_), 0);
        int lowest = n_;
        int highest = -1;
        groupSize_ = 0;
        for (int i = 0; i < n_; ++i) {
            const int a = r.vertexMembers[cellOf(n_, group, i)];
            if (a == -1) break;
            if (a < 0 || a >= n_) return false;
            groupMask_[static_cast<size_t>(a >> 6)] |= Word(1) << (a & 63);
            lowest = std::min(lowest, a);
            highest = std::max(highest, a);
            ++groupSize_;
            if (i == 0) root_ = a;
        }
        if (groupSize_ < 2) return false;
        for (int a = lowest; a <= highest; ++a)
            if (!((groupMask_[static_cast<size_t>(a >> 6)] >> (a & 63)) & 1)) return false;
        return true;
    }

    void setArcs(const std::vector<Arc>& arcs, const int* idx, int count, bool present) {
        for (int i = 0; i < count; ++i) {
            const Arc& a = arcs[static_cast<size_t>(idx[i])];
            if (a.from == a.to) continue;
            Word& rb = rows_[static_cast<size_t>(a.from) * words_ + (a.to >> 6)];
            Word& cb = cols_[static_cast<size_t>(a.to) * words_ + (a.from >> 6)];
            const Word rbit = Word(1) << (a.to & 63);
            const Word cbit = Word(1) << (a.from & 63);
            if (present) {
                rb |= rbit;
                cb |= cbit;
            } else {
                rb &= ~rbit;
                cb &= ~cbit;
            }
        }
    }

    // Searches the group from its first member along `sets` (rows: forward,
    // columns: backward); true when every member is reached. Optionally marks
    // the arcs of the search tree.
    bool reachesAll(const std::vector<Word>& sets, bool forward, bool mark) {
        std::fill(visited_.begin(), visited_.end(), 0);
        visited_[static_cast<size_t>(root_ >> 6)] |= Word(1) << (root_ & 63);
        stack_.assign(1, root_);
        int seen = 1;
        while (!stack_.empty()) {
            const int x = stack_.back();
            stack_.pop_back();
            const Word* b = sets.data() + static_cast<size_t>(x) * words_;
            for (int w = 0; w < words_; ++w) {
                Word fresh = b[w] & groupMask_[static_cast<size_t>(w)] & ~visited_[w];
                visited_[w] |= fresh;
                while (fresh) {
                    const int y = w * 64 + std::countr_zero(fresh);
                    fresh &= fresh - 1;
                    ++seen;
                    stack_.push_back(y);
                    if (mark) {
                        const size_t c = forward ? cellOf(n_, x, y) : cellOf(n_, y, x);
                        treeMark_[c] = 1;
                        marked_.push_back(c);
                    }
                }
            }
        }
        return seen == groupSize_;
    }

    bool stronglyConnected(bool mark) {
        const bool out = reachesAll(rows_, true, mark);
        if (!out && !mark) return false;
        const bool in = reachesAll(cols_, false, mark);
        return out && in;
    }

    int n_;
    int words_;
    Condenser condenser_;
    std::vector<int> saved_;
    std::vector<Word> rows_, cols_;
    bool whole_ = false;  // the shortcut above applies
    int root_ = 0;
    int groupSize_ = 0;
    std::vector<Word> groupMask_;
    bool allCandidates_ = false;
    std::vector<char> treeMark_;
    std::vector<size_t> marked_;
    std::vector<Word> visited_;
    std::vector<int> stack_;
};

}  // namespace

void buildLists(ResultsSet& r, ListMode mode, int k) {
    const int n = r.n;
    std::fill(r.listCounts.begin(), r.listCounts.end(), 0);
    std::fill(r.vertexLists.begin(), r.vertexLists.end(), -1);
    // Rows list their neighbours in increasing index order; walking x outer
    // gives the same rows as walking the targets outer.
    for (int x = 0; x < k; ++x) {
        for (int y = 0; y < k; ++y) {
            if (x == y || r.vertexGraph[cellOf(n, x, y)] == 0) continue;
            if (mode == ListMode::Successor)
                r.vertexLists[cellOf(n, x, r.listCounts[static_cast<size_t>(x)]++)] = y;
            else
                r.vertexLists[cellOf(n, y, r.listCounts[static_cast<size_t>(y)]++)] = x;
        }
    }
}

int pruneSinks(ResultsSet& r, int k) {
    const int n = r.n;
    if (k <= 0) return 0;
    Positions pos(n);
    // Which rows hold each vertex, so that removing it needs no scan of all rows.
    std::vector<int> start(static_cast<size_t>(k) + 1, 0);
    for (int y = 0; y < k; ++y)
        for (int p = 0; p < r.listCounts[static_cast<size_t>(y)]; ++p) {
            const int x = r.vertexLists[cellOf(n, y, p)];
            if (x < 0 || x >= k) continue;
            pos[cellOf(n, y, x)] = p;
            ++start[static_cast<size_t>(x) + 1];
        }
    for (int x = 0; x < k; ++x) start[static_cast<size_t>(x) + 1] += start[static_cast<size_t>(x)];
    std::vector<int> holders(static_cast<size_t>(start[static_cast<size_t>(k)]));
    {
        std::vector<int> fill(start.begin(), start.end() - 1);
        for (int y = 0; y < k; ++y)
            for (int p = 0; p < r.listCounts[static_cast<size_t>(y)]; ++p) {
                const int x = r.vertexLists[cellOf(n, y, p)];
                if (x >= 0 && x < k) holders[static_cast<size_t>(fill[static_cast<size_t>(x)]++)] = y;
            }
    }
    auto anyPositive = [&] {
        for (int v = 0; v < k; ++v)
            if (r.listCounts[static_cast<size_t>(v)] > 0) return true;
        return false;
    };
    // A vertex is taken out of every row once; later passes would find nothing.
    std::vector<char> done(static_cast<size_t>(k), 0);
    bool changed = true;
    while (changed && anyPositive()) {
        changed = false;
        for (int x = 0; x < k; ++x) {
            if (r.listCounts[static_cast<size_t>(x)] != 0 || done[static_cast<size_t>(x)]) continue;
            done[static_cast<size_t>(x)] = 1;
            for (int h = start[static_cast<size_t>(x)]; h < start[static_cast<size_t>(x) + 1]; ++h) {
                const int y = holders[static_cast<size_t>(h)];
                removeAt(r, pos, y, pos[cellOf(n, y, x)]);
                changed = true;
            }
        }
    }
    return anyPositive() ? 1 : 0;
}

void rebuildVertexGraph(ResultsSet& r, int k) {
    const int n = r.n;
    std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
    std::vector<std::vector<int>> members(static_cast<size_t>(std::max(k, 0)));
    for (int v = 0; v < k; ++v) members[static_cast<size_t>(v)] = rowMembers(r, v);
    for (int v = 0; v < k; ++v) {
        for (int w = 0; w < k; ++w) {
            if (v == w) continue;
            bool arc = false;
            for (int x : members[static_cast<size_t>(v)]) {
                for (int y : members[static_cast<size_t>(w)])
                    if (r.modifiedOutranking[cellOf(n, x, y)] == 1) {
                        arc = true;
                        break;
                    }
                if (arc) break;
            }
            if (arc) r.vertexGraph[cellOf(n, v, w)] = 1;
        }
    }
}

int condense(ResultsSet& r, int k) {
    const int n = r.n;
    int x0 = -1;
    for (int v = 0; v < k; ++v)
        if (r.listCounts[static_cast<size_t>(v)] > 0) {
            x0 = v;
            break;
        }
    if (x0 < 0) {
        buildLists(r, ListMode::Predecessor, k);
        return k;
    }
    Condenser c(n);
    c.loadFromResults(r, k);
    // The first walk follows the rows that the caller's pruning left; later
    // rounds prune the merged graphs themselves.
    bool merged = c.walkAndMerge(x0, x0, [&](int y) {
        return y >= 0 && y < k && r.listCounts[static_cast<size_t>(y)] > 0 ? r.vertexLists[cellOf(n, y, 0)] : -1;
    });
    if (merged) {
        c.updatePruning(true);
        while (c.hasPositive()) {
            const int x = c.lowestPositive();
            if (!c.walkAndMerge(x, c.rankOf(x), [&](int y) { return c.firstEntry(y); })) break;
            c.updatePruning(false);
        }
    }
    const int count = c.writeBack(r, k);
    buildLists(r, ListMode::Predecessor, count);
    return count;
}

void computeKernel(ResultsSet& r, int k) {
    const int n = r.n;
    r.workingVertexCount = k;
    buildLists(r, ListMode::Predecessor, k);
    Positions pos(n);
    for (int v = 0; v < k; ++v)
        for (int p = 0; p < r.listCounts[static_cast<size_t>(v)]; ++p)
            pos[cellOf(n, v, r.vertexLists[cellOf(n, v, p)])] = p;
    auto count = [&](int v) -> int& { return r.listCounts[static_cast<size_t>(v)]; };
    auto anyPositive = [&] {
        for (int v = 0; v < k; ++v)
            if (count(v) > 0) return true;
        return false;
    };
    // x stays in the predecessor row of each successor until x is excluded,
    // so the rows holding x are read off the vertex graph.
    std::vector<char> done(static_cast<size_t>(std::max(k, 0)), 0);
    while (anyPositive()) {
        bool changed = false;
        for (int x = 0; x < k; ++x) {
            if (count(x) != 0 || done[static_cast<size_t>(x)]) continue;
            done[static_cast<size_t>(x)] = 1;
            for (int y = 0; y < k; ++y) {
                if (y == x || count(y) <= 0 || r.vertexGraph[cellOf(n, x, y)] == 0) continue;
                count(y) = -1;
                changed = true;
                for (int z = 0; z < k; ++z) {
                    if (z == y || count(z) < 1 || r.vertexGraph[cellOf(n, y, z)] == 0) continue;
                    removeAt(r, pos, z, pos[cellOf(n, z, y)]);
                }
            }
        }
        if (!changed) break;  // only a cyclic graph could get here
    }
    for (int v = std::max(k, 0); v < n; ++v) r.listCounts[static_cast<size_t>(v)] = -1;
    std::fill(r.vertexLists.begin() + static_cast<std::ptrdiff_t>(cellOf(n, std::max(k, 0), 0)), r.vertexLists.end(), -1);
}

int arcSetBreaksCycles(ResultsSet& r, const std::vector<std::pair<int, int>>& arcs) {
    const int n = r.n;
    const std::vector<int> savedExtra = r.extraMembers;
    const std::vector<int> savedMembers = r.vertexMembers;
    r.vertexGraph = r.modifiedOutranking;
    resetToSingletons(r);
    for (const auto& [a, b] : arcs) {
        r.modifiedOutranking[cellOf(n, a, b)] = 0;
        r.vertexGraph[cellOf(n, a, b)] = 0;
    }
    buildLists(r, ListMode::Successor, n);
    const int k = pruneSinks(r, n) == 1 ? condense(r, n) : n;
    int result = 0;
    for (int v = 0; v < k; ++v)
        if (r.extraMembers[static_cast<size_t>(v)] != savedExtra[static_cast<size_t>(v)]) result = 1;
    for (const auto& [a, b] : arcs) {
        r.modifiedOutranking[cellOf(n, a, b)] = 1;
        r.vertexGraph[cellOf(n, a, b)] = 1;
    }
    r.extraMembers = savedExtra;
    r.vertexMembers = savedMembers;
    return result;
}

int arcSetBreaksCyclesQuietly(const ResultsSet& r, const std::vector<std::pair<int, int>>& arcs) {
    if (r.n <= 0) return 0;
    ArcSetTrial trial(r);
    return trial.breaks(arcs) ? 1 : 0;
}

namespace {

// Sets a cell of modifiedOutranking and counts the cells that really change.
struct Writer {
    ResultsSet& r;
    bool changed = false;
    void set(int a, int b, int value) {
        int& cell = r.modifiedOutranking[cellOf(r.n, a, b)];
        if (cell != value) changed = true;
        cell = value;
    }
};

// Ends a treatment by merging again from scratch. With a cycle left the result
// stands; without one every vertex is single and the group's members count again.
int finishTreatment(ResultsSet& r, int result, int formerExtra, bool& cycleLeft) {
    cycleLeft = remergeFromScratch(r) == 1;
    if (!cycleLeft) {
        r.workingVertexCount += formerExtra;
        return 0;
    }
    return result;
}

// Steps 1 to 8 of cutComponent: -1, or the result before merging again.
int treatComponent(const Project& p, ResultsSet& r, int v, bool& changed) {
    const int n = r.n;
    const std::vector<int> K = rowMembers(r, v);
    const int km = static_cast<int>(K.size());
    Writer out{r};
    auto M = [&](int a, int b) { return r.modifiedOutranking[cellOf(n, a, b)]; };
    auto R = [&](int a, int b) { return r.robustnessMatrix[cellOf(n, a, b)]; };

    // 1. Missing inner arcs, the diagonal included.
    double minInner = 2.0;
    bool complete = true;
    for (int xi : K)
        for (int xj : K)
            if (M(xi, xj) == 0) {
                complete = false;
                if (R(xi, xj) < minInner) minInner = R(xi, xj);
            }

    // 2. Neighbours, each decided by the first member it is joined to.
    struct Neighbour {
        int w = 0;
        bool predecessor = true;
        double maxArc = -1.0;
        double minGap = 2.0;
        int dir = -1;
    };
    std::vector<char> inK(static_cast<size_t>(n), 0);
    for (int x : K) inK[static_cast<size_t>(x)] = 1;
    std::vector<Neighbour> preds;
    std::vector<Neighbour> succs;
    for (int w = 0; w < n; ++w) {
        if (inK[static_cast<size_t>(w)]) continue;
        for (int c : K) {
            if (M(w, c) != 0) {
                preds.push_back(Neighbour{w, true});
                break;
            }
            if (M(c, w) != 0) {
                succs.push_back(Neighbour{w, false});
                break;
            }
        }
    }
    std::vector<Neighbour> records = preds;
    records.insert(records.end(), succs.begin(), succs.end());

    // 3. Direction that makes each neighbour uniform.
    for (Neighbour& nb : records) {
        double runMax = nb.predecessor ? 0.0 : -1.0;
        double runMin = nb.predecessor ? 1.0 : 2.0;
        for (int c : K) {
            const int from = nb.predecessor ? nb.w : c;
            const int to = nb.predecessor ? c : nb.w;
            const bool exists = M(from, to) != 0;
            const double rob = R(from, to);
            if (!exists && rob < runMin) {
                runMin = rob;
                nb.minGap = rob;
                if ((0.5 - runMin) < (runMax - 0.5) || nb.dir == -1) nb.dir = 1;
            }
            if (exists && rob > runMax) {
                runMax = rob;
                nb.maxArc = rob;
                if ((runMax - 0.5) < (0.5 - runMin) || nb.dir == -1) nb.dir = 0;
            }
        }
        if (nb.minGap > 1.0) nb.dir = 1;
        if (nb.maxArc < 0.0) nb.dir = 0;
    }

    // 4. A complete group with uniform neighbours stays as it is.
    bool unchanged = complete;
    for (const Neighbour& nb : records)
        if (!(nb.minGap > 1.0 || nb.maxArc < 0.0)) unchanged = false;

    int result = 0;
    if (!unchanged) {
        // 5. Inner arcs by robustness; among equal values the later-found first.
        std::vector<Arc> arcs;
        for (int i = 0; i < km; ++i)
            for (int j = 0; j < km; ++j)
                if (i != j && M(K[i], K[j]) != 0) arcs.push_back(Arc{R(K[i], K[j]), K[i], K[j]});
        // Inserting each arc before the first one of equal or higher robustness
        // is a stable ascending sort of the reversed list.
        std::reverse(arcs.begin(), arcs.end());
        std::stable_sort(arcs.begin(), arcs.end(), [](const Arc& x, const Arc& y) { return x.R < y.R; });
        const int A = static_cast<int>(arcs.size());
        const int Kmax = std::min(p.maxArcsToCut, A);

        // 6. The cheapest set of arcs whose removal changes the grouping.
        ArcSetTrial trial(r);
        std::vector<int> best;
        double loss = 2.0;
        int limit = 0;
        bool unsuccessful = true;
        int single = -1;
        trial.markCandidates(arcs, nullptr, 0);
        for (int i = 0; i < A; ++i)
            if (trial.mayBreak(arcs[i]) && trial.breaks(arcs, &i, 1)) {
                single = i;
                break;
            }
        if (single >= 0) {
            best = {single};
            loss = arcs[single].R;
            limit = single;
            unsuccessful = false;
        } else if (A > 0) {
            best = {A - 1};
            loss = arcs[A - 1].R;
            limit = A - 1;
        }
        const double acceptable = p.acceptableLoss;
        const int maxSize = std::max(2, std::min(Kmax, 9));
        std::vector<int> idx;
        // Sets whose largest robustness fails the loss rule are never tried:
        // the arcs are sorted, so once one fails every later one fails too.
        std::function<void(int, int, int)> enumerate = [&](int s, int level, int from) {
            if (level == s - 1) trial.markCandidates(arcs, idx.data(), level);
            for (int i = from; i < limit; ++i) {
                if (!unsuccessful) {
                    const int lastMin = i + (s - 1 - level);
                    if (lastMin >= limit || !(arcs[lastMin].R + acceptable < loss)) break;
                }
                idx[static_cast<size_t>(level)] = i;
                if (level + 1 < s) {
                    enumerate(s, level + 1, i + 1);
                } else if ((arcs[i].R + acceptable < loss || unsuccessful) && trial.mayBreak(arcs[i]) &&
                           trial.breaks(arcs, idx.data(), s)) {
                    best = idx;
                    loss = arcs[i].R;
                    limit = i;
                    unsuccessful = false;
                }
            }
        };
        for (int s = 2; s <= maxSize; ++s) {
            idx.assign(static_cast<size_t>(s), 0);
            enumerate(s, 0, 0);
        }

        // 7. What making the neighbours uniform would cost.
        double E = -1.0;
        for (const Neighbour& nb : records) {
            const double cost = nb.dir == 0 ? nb.maxArc - 0.5 : 0.5 - nb.minGap;
            if (cost > E) E = cost;
        }

        // 8. Cut, or make the group artificial.
        const double Ac = roundToStep(loss - 0.5, 0.00001);
        const double Bc = roundToStep(E, 0.00001);
        const double Cc = roundToStep(0.5 - minInner, 0.00001);
        if (Ac <= Bc || Ac <= Cc) {
            if (unsuccessful) return -1;
            for (int i : best) out.set(arcs[static_cast<size_t>(i)].from, arcs[static_cast<size_t>(i)].to, 0);
            result = 1;
        } else {
            for (int xi : K)
                for (int xj : K) out.set(xi, xj, 1);
            for (const Neighbour& nb : records)
                for (int c : K) {
                    if (nb.predecessor)
                        out.set(nb.w, c, nb.dir);
                    else
                        out.set(c, nb.w, nb.dir);
                }
            result = 0;
        }
    }
    changed = out.changed;
    return result;
}

// Steps 1 to 5 of resolveArtificialPair: the result before merging again.
int treatPair(ResultsSet& r, int a, int b, bool& changed) {
    const int n = r.n;
    const std::vector<int> A = rowMembers(r, a);
    const std::vector<int> B = rowMembers(r, b);
    auto S = [&](int x, int y) { return r.outrankingMatrix[cellOf(n, x, y)]; };
    auto R = [&](int x, int y) { return r.robustnessMatrix[cellOf(n, x, y)]; };
    Writer out{r};
    auto smaller = [](double x, double y) { return x >= y ? y : x; };

    // 1. The direction of the first joined pair in S.
    int rel = 0;
    for (int ai : A) {
        for (int bj : B)
            if (S(bj, ai) == 1 || S(ai, bj) == 1) {
                rel = S(bj, ai) == 1 ? 2 : 1;
                break;
            }
        if (rel != 0) break;
    }

    int result = 0;
    if (rel != 0) {
        // 2. How firmly each member holds to its own group.
        struct Inner {
            std::vector<double> value;
            bool flag = false;
        };
        auto innerOf = [&](const std::vector<int>& G) {
            Inner in;
            for (size_t i = 0; i < G.size(); ++i) {
                double out = 0.0;
                double inward = 0.0;
                bool first = true;
                for (size_t j = 0; j < G.size(); ++j) {
                    if (j == i) continue;
                    const double o = R(G[i], G[j]);
                    const double w = R(G[j], G[i]);
                    if (first || o > out) out = o;
                    if (first || w > inward) inward = w;
                    first = false;
                }
                in.value.push_back(smaller(out, inward));
                if (out <= inward) in.flag = true;
            }
            return in;
        };
        const Inner innerA = innerOf(A);
        const Inner innerB = innerOf(B);

        // 3. Complete the relation, or remove it.
        double mn = 1.0;
        double mx = 0.0;
        if (rel == 2) {
            for (int ai : A) {
                double gap = 2.0;
                for (int bj : B)
                    if (S(bj, ai) == 0 && R(bj, ai) < gap) gap = R(bj, ai);
                mn = smaller(mn, gap);
            }
            for (int bj : B) {
                double most = R(bj, A[0]);
                for (int ai : A) most = std::max(most, R(bj, ai));
                if (most > mx) mx = most;
            }
        } else {
            for (int bj : B) {
                double gap = 2.0;
                for (int ai : A)
                    if (S(ai, bj) == 0 && R(ai, bj) < gap) gap = R(ai, bj);
                mn = smaller(mn, gap);
            }
            for (int ai : A) {
                double most = R(ai, B[0]);
                for (int bj : B) most = std::max(most, R(ai, bj));
                if (most > mx) mx = most;
            }
        }
        int mode = (0.5 - mn) < (mx - 0.5) ? 1 : 0;

        // 4. Detach a member that holds to its group less than the relation costs.
        const double t = mode == 1 ? 0.5 - mn : mx - 0.5;
        int detached = -1;
        for (size_t i = 0; i < A.size(); ++i)
            if (innerA.value[i] - 0.5 < t) {
                mode = 2;
                detached = A[i];
            }
        for (size_t j = 0; j < B.size(); ++j)
            if (innerB.value[j] - 0.5 < t) {
                mode = 3;
                detached = B[j];
            }

        // 5. Apply.
        auto restoreBetween = [&] {
            for (int ai : A)
                for (int bj : B) {
                    out.set(ai, bj, S(ai, bj));
                    out.set(bj, ai, S(bj, ai));
                }
        };
        auto detach = [&](const std::vector<int>& G, bool flag, int x) {
            for (int y : G) {
                if (y == x) continue;
                if (flag)
                    out.set(x, y, 0);
                else
                    out.set(y, x, 0);
            }
        };
        if (mode == 0) {
            for (int ai : A)
                for (int bj : B) {
                    out.set(ai, bj, 0);
                    out.set(bj, ai, 0);
                }
        } else if (mode == 1) {
            for (int ai : A)
                for (int bj : B) {
                    if (rel == 1)
                        out.set(ai, bj, 1);
                    else
                        out.set(bj, ai, 1);
                }
        } else if (mode == 2) {
            detach(A, innerA.flag, detached);
            restoreBetween();
            result = 1;
        } else {
            detach(B, innerB.flag, detached);
            restoreBetween();
            result = 1;
        }
    }

    changed = out.changed;
    return result;
}

}  // namespace

int cutComponent(const Project& p, ResultsSet& r, int v) {
    const int e = r.extraMembers[static_cast<size_t>(v)];
    bool changed = false;
    const int result = treatComponent(p, r, v, changed);
    if (result == -1) return -1;
    bool cycleLeft = false;
    return finishTreatment(r, result, e, cycleLeft);
}

int resolveArtificialPair(ResultsSet& r, int a, int b) {
    const int e = r.extraMembers[static_cast<size_t>(a)] + r.extraMembers[static_cast<size_t>(b)];
    bool changed = false;
    const int result = treatPair(r, a, b, changed);
    bool cycleLeft = false;
    return finishTreatment(r, result, e, cycleLeft);
}

bool runEngine(const Project& p, ResultsSet& r) {
    const int n = r.n;
    if (n <= 0) {
        r.workingVertexCount = 0;
        return true;
    }
    r.workingVertexCount = n;
    resetToSingletons(r);

    buildLists(r, ListMode::Successor, n);
    int cyclic = pruneSinks(r, n);
    int k = cyclic ? condense(r, n) : n;
    // Later cuts add to this count; it must describe the merged graph.
    r.workingVertexCount = k;

    r.vertexGraph = r.modifiedOutranking;

    // Merging again from scratch depends on modifiedOutranking alone. Once the
    // arrays hold such a merge (with a cycle), a treatment that changed no
    // cell would merge to the very same arrays, so that merge is skipped.
    bool merged = false;
    auto finish = [&](int result, bool changed, int formerExtra) {
        if (merged && !changed) return result;
        return finishTreatment(r, result, formerExtra, merged);
    };

    // Ordinary projects settle within about ten rounds; a graph that keeps
    // changing is reported like any other failure to cut.
    for (int round = 0; round < 10000; ++round) {
        if (!cyclic) {
            computeKernel(r, k);
            return true;
        }
        cyclic = 0;

        std::vector<int> order(static_cast<size_t>(k));
        for (int v = 0; v < k; ++v) order[static_cast<size_t>(v)] = v;
        std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
            return r.extraMembers[static_cast<size_t>(x)] > r.extraMembers[static_cast<size_t>(y)];
        });

        bool cut = false;
        for (int v : order) {
            // Each call merges again, so the index is checked at its turn.
            if (v >= r.workingVertexCount || r.extraMembers[static_cast<size_t>(v)] == 0) continue;
            bool changed = false;
            const int e = r.extraMembers[static_cast<size_t>(v)];
            int res = treatComponent(p, r, v, changed);
            if (res == -1) return false;
            res = finish(res, changed, e);
            k = r.workingVertexCount;
            if (res == 1) {
                cyclic = 1;
                cut = true;
                break;
            }
        }
        if (!cut) {
            bool stop = false;
            for (int a = 0; !stop && a <= k - 2; ++a)
                for (int b = a + 1; !stop && b <= k - 1; ++b) {
                    if (r.extraMembers[static_cast<size_t>(a)] == 0 || r.extraMembers[static_cast<size_t>(b)] == 0)
                        continue;
                    bool changed = false;
                    const int e = r.extraMembers[static_cast<size_t>(a)] + r.extraMembers[static_cast<size_t>(b)];
                    int res = treatPair(r, a, b, changed);
                    res = finish(res, changed, e);
                    k = r.workingVertexCount;
                    if (res == 1) {
                        cyclic = 1;
                        stop = true;
                    }
                }
        }
    }
    return false;
}

}  // namespace kvis
