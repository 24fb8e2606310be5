#include "engine/merging.h"

#include <algorithm>
#include <functional>

#include "engine/vertex_graph.h"

namespace kvis {

// A pruning key is (pass, slot) in one number, the slot in the low bits:
// keys order by pass, then by slot.
constexpr int kSlotBits = 32;
constexpr long long kSlotMask = (1LL << kSlotBits) - 1;

using bits::clearBit;
using bits::setBit;
using bits::testBit;

int condense(ResultsSet& r, int k) {
    int x0 = -1;
    for (int v = 0; v < k; ++v)
        if (r.listCounts[v] > 0) {
            x0 = v;
            break;
        }
    if (x0 < 0) {
        buildLists(r, ListMode::Predecessor, k);
        return k;
    }
    Condenser c(r.n);
    c.loadFromResults(r, k);
    // The first walk follows the rows that the caller's pruning left; later
    // rounds prune the merged graphs themselves.
    const bool merged = c.walkAndMerge(x0, x0, [&](int y) {
        return y >= 0 && y < k && r.listCounts[y] > 0 ? r.vertexLists[r.at(y, 0)] : -1;
    });
    if (merged) {
        c.updatePruning(true);
        c.mergeRemaining();
    }
    const int count = c.writeBack(r, k);
    buildLists(r, ListMode::Predecessor, count);
    return count;
}

int remergeFromScratch(ResultsSet& r) {
    // The rounds run on bit rows from the start; the lists of the first
    // pruning are built only when nothing is left on a cycle, since they are
    // then what the arrays hold.
    Condenser c(r.n);
    c.loadSingletons(r);
    c.pruneFromScratch();
    if (!c.hasPositive()) {
        r.vertexGraph = r.modifiedOutranking;
        resetToSingletons(r);
        buildLists(r, ListMode::Successor, r.n);
        pruneSinks(r, r.n);
        return 0;
    }
    const int x0 = c.lowestPositive();
    if (c.walkAndMerge(x0, x0, [&](int y) { return c.firstEntry(y); })) {
        c.updatePruning(true);
        c.mergeRemaining();
    }
    r.workingVertexCount = c.writeBack(r, r.n);
    buildLists(r, ListMode::Predecessor, r.workingVertexCount);
    return 1;
}

int finishTreatment(ResultsSet& r, int result, int formerExtra, bool& cycleLeft) {
    cycleLeft = remergeFromScratch(r) == 1;
    if (!cycleLeft) {
        r.workingVertexCount += formerExtra;
        return 0;
    }
    return result;
}

// ---------------------------------------------------------------------------

Condenser::Condenser(int n)
    : n_(n),
      words_(bits::wordsFor(n)),
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
      seen_(n, -1),
      firstIsLowest_(n, 0) {}

void Condenser::loadSingletons(const std::vector<Word>& rows, const std::vector<Word>& cols) {
    rows_ = rows;
    cols_ = cols;
    startSingletons();
}

void Condenser::startSingletons() {
    std::fill(alive_.begin(), alive_.end(), 0);
    for (int s = 0; s < n_; ++s) {
        setBit(alive_.data(), s);
        head_[s] = tail_[s] = s;
        next_[s] = -1;
        size_[s] = 1;
        extra_[s] = 0;
        repSlot_[s] = s;
    }
    startPartitionHash();
}

void Condenser::loadSingletons(const ResultsSet& r) {
    std::fill(rows_.begin(), rows_.end(), 0);
    std::fill(cols_.begin(), cols_.end(), 0);
    for (int x = 0; x < n_; ++x) {
        const int* out = &r.modifiedOutranking[r.at(x, 0)];
        for (int y = 0; y < n_; ++y)
            if (out[y] == 1 && x != y) {
                setBit(row(x), y);
                setBit(col(y), x);
            }
    }
    startSingletons();
}

void Condenser::loadFromResults(const ResultsSet& r, int k) {
    std::fill(rows_.begin(), rows_.end(), 0);
    std::fill(cols_.begin(), cols_.end(), 0);
    std::fill(alive_.begin(), alive_.end(), 0);
    std::fill(repSlot_.begin(), repSlot_.end(), -1);
    std::vector<int> slotOf(n_, -1);
    for (int s = 0; s < k; ++s) {
        setBit(alive_.data(), s);
        head_[s] = tail_[s] = -1;
        size_[s] = 0;
        extra_[s] = r.extraMembers[s];
        for (int i = 0; i < n_; ++i) {
            const int a = r.vertexMembers[r.at(s, i)];
            if (a == -1) break;
            if (a < 0 || a >= n_) continue;
            next_[a] = -1;
            if (head_[s] == -1)
                head_[s] = a;
            else
                next_[tail_[s]] = a;
            tail_[s] = a;
            ++size_[s];
            slotOf[a] = s;
        }
        if (head_[s] != -1) repSlot_[head_[s]] = s;
    }
    startPartitionHash();
    for (int x = 0; x < n_; ++x) {
        const int sx = slotOf[x];
        if (sx < 0) continue;
        for (int y = 0; y < n_; ++y) {
            const int sy = slotOf[y];
            if (sy < 0 || sy == sx || r.modifiedOutranking[r.at(x, y)] != 1) continue;
            setBit(row(sx), sy);
            setBit(col(sy), sx);
        }
    }
}

void Condenser::restore(const Condenser& other) {
    if (other.n_ != n_ || seen_.size() != other.seen_.size()) {
        *this = other;
        return;
    }
    const auto take = [](auto& mine, const auto& theirs) { std::copy(theirs.begin(), theirs.end(), mine.begin()); };
    fence_ = other.fence_;
    fenceReached_ = other.fenceReached_;
    take(rows_, other.rows_);
    take(cols_, other.cols_);
    take(alive_, other.alive_);
    take(positive_, other.positive_);
    take(head_, other.head_);
    take(tail_, other.tail_);
    take(next_, other.next_);
    take(size_, other.size_);
    take(extra_, other.extra_);
    take(repSlot_, other.repSlot_);
    take(posCount_, other.posCount_);
    take(firstCache_, other.firstCache_);
    take(firstIsLowest_, other.firstIsLowest_);
    take(key_, other.key_);
    memberSum_ = other.memberSum_;
    joinedInto_ = other.joinedInto_;
    partitionHash_ = other.partitionHash_;
}

void Condenser::removeArc(int from, int to) {
    if (from == to) return;
    clearBit(row(from), to);
    clearBit(col(to), from);
}

void Condenser::removeArcAfterPruning(int from, int to) {
    if (from == to || !testBit(row(from), to)) return;
    clearBit(row(from), to);
    clearBit(col(to), from);
    if (testBit(positive_.data(), to)) --posCount_[from];
    firstCache_[from] = -2;
}

void Condenser::pruneFromScratch() {
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
            key_[x] = (pass << kSlotBits) + x;
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

bool Condenser::hasPositive() const {
    return std::any_of(positive_.begin(), positive_.end(), [](Word w) { return w != 0; });
}

int Condenser::lowestPositive() const {
    for (int w = 0; w < words_; ++w)
        if (positive_[w]) return w * 64 + std::countr_zero(positive_[w]);
    return -1;
}

int Condenser::rankOf(int s) const {
    int rank = 0;
    for (int w = 0; w < (s >> 6); ++w) rank += bits::bitCount(alive_[w]);
    const Word below = (Word(1) << (s & 63)) - 1;
    return rank + bits::bitCount(alive_[s >> 6] & below);
}

int Condenser::firstEntry(int y) {
    if (fence_ && testBit(fence_, y)) {
        fenceReached_ = true;
        return -1;
    }
    if (firstCache_[y] == -2) firstCache_[y] = workOutFirst(y);
    return firstCache_[y];
}

int Condenser::workOutFirst(int y) {
    // The lowest successor keeps its place unless it was removed.
    const Word* ry = row(y);
    int lowest = -1;
    for (int w = 0; w < words_ && lowest < 0; ++w)
        if (ry[w]) lowest = w * 64 + std::countr_zero(ry[w]);
    firstIsLowest_[y] = 0;
    if (lowest < 0) return -1;
    if (testBit(positive_.data(), lowest)) {
        firstIsLowest_[y] = 1;
        return lowest;
    }
    int len = 0;
    removed_.clear();
    long long minPass = kSlotMask, maxPass = 0;
    forEach(ry, [&](int s) {
        arr_[len++] = s;
        if (!testBit(positive_.data(), s)) {
            const long long pass = key_[s] >> kSlotBits;
            minPass = std::min(minPass, pass);
            maxPass = std::max(maxPass, pass);
            removed_.push_back(key_[s]);
        }
    });
    // Removals in key order: by pass, then by slot. The keys were gathered
    // in slot order, so a counting sort by pass keeps that order within a
    // pass; a key holds its slot in its remainder, so a plain sort works too.
    const size_t passes = static_cast<size_t>(maxPass - minPass) + 1;
    if (passes <= removed_.size() + 64) {
        passCount_.assign(passes + 1, 0);
        for (long long key : removed_) ++passCount_[static_cast<size_t>((key >> kSlotBits) - minPass) + 1];
        for (size_t i = 1; i <= passes; ++i) passCount_[i] += passCount_[i - 1];
        sortedRemoved_.resize(removed_.size());
        for (long long key : removed_) sortedRemoved_[passCount_[static_cast<size_t>((key >> kSlotBits) - minPass)]++] = key;
        removed_.swap(sortedRemoved_);
    } else {
        std::sort(removed_.begin(), removed_.end());
    }
    // Each removal puts the row's last entry in the removed one's place, so
    // the place it empties only changes when its entry is removed, and the
    // last place at the t-th removal is len - 1 - t. What a place holds at a
    // time follows from what the last place held at earlier removals; only
    // the removals that reach the first place are worked out.
    const int removals = static_cast<int>(removed_.size());
    int* removedAt = posIdx_.data();  // by slot: the index of its removal
    for (int t = 0; t < removals; ++t) removedAt[removed_[t] & kSlotMask] = t;
    lastAt_.assign(removals, -2);
    const auto removedBefore = [&](int e, int t) { return !testBit(positive_.data(), e) && removedAt[e] < t; };
    // The last entry at removal t, with the ones it needs worked out first.
    const auto lastAt = [&](int t) {
        if (lastAt_[t] != -2) return lastAt_[t];
        pending_.assign(1, t);
        while (!pending_.empty()) {
            const int cur = pending_.back();
            int e = arr_[len - 1 - cur];
            bool waits = false;
            while (removedBefore(e, cur)) {
                const int earlier = removedAt[e];
                if (lastAt_[earlier] == -2) {
                    pending_.push_back(earlier);
                    waits = true;
                    break;
                }
                e = lastAt_[earlier];
            }
            if (waits) continue;
            lastAt_[cur] = e;
            pending_.pop_back();
        }
        return lastAt_[t];
    };
    int first = arr_[0];
    while (!testBit(positive_.data(), first)) {
        const int t = removedAt[first];
        if (len - 1 - t == 0) return -1;  // the first place was the last one left
        first = lastAt(t);
    }
    return first;
}

void Condenser::mergeRemaining() {
    while (mergeNext()) {
    }
}

bool Condenser::mergeNext(const std::function<void()>& beforeMerge) {
    if (!hasPositive() || fenceReached_) return false;
    const int x = lowestPositive();
    walked_.clear();
    const auto first = [&](int y) {
        const int e = firstEntry(y);
        walked_.push_back(WalkStep{y, e, y >= 0 && y < n_ && firstIsLowest_[y] != 0});
        return e;
    };
    if (!walkAndMerge(x, rankOf(x), first, beforeMerge)) return false;
    updatePruning(false);
    return true;
}

namespace {
unsigned long long mix64(unsigned long long x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}
}  // namespace

unsigned long long Condenser::partHash(int s) const {
    return mix64(memberSum_[s] ^ (0xa0761d6478bd642fULL * static_cast<unsigned long long>(s + 1)));
}

void Condenser::startPartitionHash() {
    joinedInto_.resize(n_);
    for (int s = 0; s < n_; ++s) joinedInto_[s] = s;
    memberSum_.assign(n_, 0);
    partitionHash_ = 0;
    forEach(alive_.data(), [&](int s) {
        for (int a = head_[s]; a != -1; a = next_[a]) memberSum_[s] += mix64(static_cast<unsigned long long>(a));
        partitionHash_ += partHash(s);
    });
}

void Condenser::updatePruning(bool fresh) {
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

int Condenser::writeBack(ResultsSet& r, int k) {
    std::vector<int> rankOfSlot(n_, -1);
    int K = 0;
    forEach(alive_.data(), [&](int s) { rankOfSlot[s] = K++; });
    std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
    std::fill(r.vertexMembers.begin(), r.vertexMembers.end(), -1);
    forEach(alive_.data(), [&](int s) {
        const int v = rankOfSlot[s];
        int i = 0;
        for (int a = head_[s]; a != -1; a = next_[a]) r.vertexMembers[r.at(v, i++)] = a;
        r.extraMembers[v] = extra_[s];
        forEach(row(s), [&](int t) { r.vertexGraph[r.at(v, rankOfSlot[t])] = 1; });
    });
    for (int v = K; v < k; ++v) r.extraMembers[v] = 0;
    return K;
}

bool Condenser::extrasDiffer(const std::vector<int>& saved) const {
    int v = 0;
    bool differ = false;
    forEach(alive_.data(), [&](int s) {
        if (extra_[s] != saved[v]) differ = true;
        ++v;
    });
    return differ;
}

int Condenser::popcount(const Word* b) const {
    int c = 0;
    for (int w = 0; w < words_; ++w) c += bits::bitCount(b[w]);
    return c;
}

int Condenser::popcountAnd(const Word* a, const Word* b) const {
    int c = 0;
    for (int w = 0; w < words_; ++w) c += bits::bitCount(a[w] & b[w]);
    return c;
}

// A vertex whose successors were all removed is removed itself in the pass
// of the last of them when its index is higher, else in the next pass.
long long Condenser::keyFromSuccessors(int y) {
    long long last = -1;
    forEach(row(y), [&](int s) { last = std::max(last, key_[s]); });
    if (last < 0) return (1LL << kSlotBits) + y;
    const long long pass = last >> kSlotBits;
    const int slot = static_cast<int>(last & kSlotMask);
    return ((pass + (y < slot ? 1 : 0)) << kSlotBits) + y;
}

// Merges cycle_[1...] into cycle_[0]: members appended in path order, arcs
// united, the others removed.
void Condenser::merge() {
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
    for (int c : cycle_) partitionHash_ -= partHash(c);
    for (size_t i = 1; i < cycle_.size(); ++i) {
        memberSum_[t] += memberSum_[cycle_[i]];
        joinedInto_[cycle_[i]] = t;
    }
    partitionHash_ += partHash(t);
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
    // Each neighbour's row or column is cleared of the cycle word by word
    // where the cycle's slots lie close together, else slot by slot.
    const int minSlot = *std::min_element(cycle_.begin(), cycle_.end());
    const int lo = minSlot >> 6;
    const int hi = *std::max_element(cycle_.begin(), cycle_.end()) >> 6;
    const bool byWord = hi - lo < static_cast<int>(cycle_.size());
    const auto clearCycle = [&](Word* b) {
        int reached = 0;
        if (byWord) {
            for (int w = lo; w <= hi; ++w) {
                // A neighbour reaches few members of a cycle.
                for (Word x = b[w] & cycleMask_[w]; x; x &= x - 1) ++reached;
                b[w] &= ~cycleMask_[w];
            }
        } else {
            for (int c : cycle_) {
                reached += testBit(b, c) ? 1 : 0;
                clearBit(b, c);
            }
        }
        return reached;
    };
    forEach(colUnion_.data(), [&](int y) {
        Word* ry = row(y);
        const int reached = clearCycle(ry);
        setBit(ry, t);
        posCount_[y] += 1 - reached;
        // A positive lowest successor below the whole cycle stays lowest.
        if (!(firstIsLowest_[y] && firstCache_[y] >= 0 && firstCache_[y] < minSlot)) firstCache_[y] = -2;
    });
    forEach(rowUnion_.data(), [&](int z) {
        Word* cz = col(z);
        clearCycle(cz);
        setBit(cz, t);
    });
    firstCache_[t] = -2;
}

// The first entry of a pruned row stays as long as neither the row nor the
// removed part of it changes; -2 marks an entry to work out again.
void Condenser::forgetFirstOfPredecessors(int x) {
    // A first entry that is the row's lowest successor stays while that
    // successor stays positive (its own removal forgets it).
    forEach(col(x), [&](int y) {
        if (!(firstIsLowest_[y] && firstCache_[y] >= 0 && firstCache_[y] != x)) firstCache_[y] = -2;
    });
}

}  // namespace kvis
