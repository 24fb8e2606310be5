#include "engine/arc_set_trial.h"

#include <algorithm>

#include "engine/bit_rows.h"
#include "engine/merging.h"
#include "engine/vertex_graph.h"

namespace kvis {

namespace {

using bits::Word;

// Trial removals without touching the ResultsSet.
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
        : r_(r), n_(r.n), words_(bits::wordsFor(r.n)), condenser_(r.n), saved_(r.extraMembers) {
        rows_.assign(static_cast<size_t>(n_) * words_, 0);
        cols_.assign(static_cast<size_t>(n_) * words_, 0);
        for (int x = 0; x < n_; ++x)
            for (int y = 0; y < n_; ++y)
                if (x != y && r.modifiedOutranking[r.at(x, y)] != 0) {
                    bits::setBit(bitRow(rows_, x), y);
                    bits::setBit(bitRow(cols_, y), x);
                }
        whole_ = onlyGroupIsAnInterval();
        if (whole_) {
            treeMark_.assign(r.vertexGraph.size(), 0);
            visited_.assign(words_, 0);
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
        condenser_.pruneFromScratch();
        condenser_.mergeRemaining();
        return condenser_.extrasDiffer(saved_);
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

    bool mayBreak(const Arc& a) const { return !whole_ || allCandidates_ || treeMark_[r_.at(a.from, a.to)] != 0; }

private:
    Word* bitRow(std::vector<Word>& sets, int x) { return sets.data() + static_cast<size_t>(x) * words_; }

    bool onlyGroupIsAnInterval() {
        int group = -1;
        for (int v = 0; v < n_; ++v) {
            if (saved_[v] == 0) continue;
            if (group >= 0) return false;
            group = v;
        }
        if (group < 0) return false;
        groupMask_.assign(words_, 0);
        int lowest = n_;
        int highest = -1;
        groupSize_ = 0;
        for (int i = 0; i < n_; ++i) {
            const int a = r_.vertexMembers[r_.at(group, i)];
            if (a == -1) break;
            if (a < 0 || a >= n_) return false;
            bits::setBit(groupMask_.data(), a);
            lowest = std::min(lowest, a);
            highest = std::max(highest, a);
            ++groupSize_;
            if (i == 0) root_ = a;
        }
        if (groupSize_ < 2) return false;
        for (int a = lowest; a <= highest; ++a)
            if (!bits::testBit(groupMask_.data(), a)) return false;
        return true;
    }

    void setArcs(const std::vector<Arc>& arcs, const int* idx, int count, bool present) {
        for (int i = 0; i < count; ++i) {
            const Arc& a = arcs[idx[i]];
            if (a.from == a.to) continue;
            if (present) {
                bits::setBit(bitRow(rows_, a.from), a.to);
                bits::setBit(bitRow(cols_, a.to), a.from);
            } else {
                bits::clearBit(bitRow(rows_, a.from), a.to);
                bits::clearBit(bitRow(cols_, a.to), a.from);
            }
        }
    }

    // Searches the group from its first member along `sets` (rows: forward,
    // columns: backward); true when every member is reached. Optionally marks
    // the arcs of the search tree.
    bool reachesAll(std::vector<Word>& sets, bool forward, bool mark) {
        std::fill(visited_.begin(), visited_.end(), 0);
        bits::setBit(visited_.data(), root_);
        stack_.assign(1, root_);
        int seen = 1;
        while (!stack_.empty()) {
            const int x = stack_.back();
            stack_.pop_back();
            const Word* b = bitRow(sets, x);
            for (int w = 0; w < words_; ++w) {
                Word fresh = b[w] & groupMask_[w] & ~visited_[w];
                visited_[w] |= fresh;
                while (fresh) {
                    const int y = w * 64 + std::countr_zero(fresh);
                    fresh &= fresh - 1;
                    ++seen;
                    stack_.push_back(y);
                    if (mark) {
                        const size_t c = forward ? r_.at(x, y) : r_.at(y, x);
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

    const ResultsSet& r_;
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

// Index sets i1 < i2 < ... < is below the limit, in lexicographic order, with
// the limit re-read at every step (a set found lowers it).
class ArcSetSearch {
public:
    ArcSetSearch(const ResultsSet& r, const std::vector<Arc>& arcs, double acceptableLoss)
        : trial_(r), arcs_(arcs), acceptable_(acceptableLoss) {}

    void trySingleArcs() {
        const int A = static_cast<int>(arcs_.size());
        trial_.markCandidates(arcs_, nullptr, 0);
        for (int i = 0; i < A; ++i)
            if (trial_.mayBreak(arcs_[i]) && trial_.breaks(arcs_, &i, 1)) {
                keep({i}, i);
                return;
            }
        // Nothing breaks alone: the dearest arc stands in until a set does.
        if (A > 0) {
            choice_.best = {A - 1};
            choice_.loss = arcs_[A - 1].R;
            limit_ = A - 1;
        }
    }

    void trySetsOf(int size) {
        idx_.assign(size, 0);
        extend(size, 0, 0);
    }

    const ArcSetChoice& choice() const { return choice_; }

private:
    void keep(std::vector<int> set, int last) {
        choice_.best = std::move(set);
        choice_.loss = arcs_[last].R;
        choice_.found = true;
        limit_ = last;
    }

    // Sets whose largest robustness fails the loss rule are never tried: the
    // arcs are sorted, so once one fails every later one fails too.
    void extend(int size, int level, int from) {
        if (level == size - 1) trial_.markCandidates(arcs_, idx_.data(), level);
        for (int i = from; i < limit_; ++i) {
            if (choice_.found) {
                const int lastMin = i + (size - 1 - level);
                if (lastMin >= limit_ || !(arcs_[lastMin].R + acceptable_ < choice_.loss)) break;
            }
            idx_[level] = i;
            if (level + 1 < size) {
                extend(size, level + 1, i + 1);
            } else if ((arcs_[i].R + acceptable_ < choice_.loss || !choice_.found) && trial_.mayBreak(arcs_[i]) &&
                       trial_.breaks(arcs_, idx_.data(), size)) {
                keep(idx_, i);
            }
        }
    }

    ArcSetTrial trial_;
    const std::vector<Arc>& arcs_;
    double acceptable_;
    ArcSetChoice choice_;
    int limit_ = 0;
    std::vector<int> idx_;
};

}  // namespace

ArcSetChoice cheapestArcSet(const ResultsSet& r, const std::vector<Arc>& arcs, int maxArcsToCut,
                            double acceptableLoss) {
    ArcSetSearch search(r, arcs, acceptableLoss);
    search.trySingleArcs();
    const int largest = std::max(2, std::min({maxArcsToCut, static_cast<int>(arcs.size()), 9}));
    for (int size = 2; size <= largest; ++size) search.trySetsOf(size);
    return search.choice();
}

int arcSetBreaksCycles(ResultsSet& r, const std::vector<std::pair<int, int>>& arcs) {
    const std::vector<int> savedExtra = r.extraMembers;
    const std::vector<int> savedMembers = r.vertexMembers;
    r.vertexGraph = r.modifiedOutranking;
    resetToSingletons(r);
    for (const auto& [a, b] : arcs) r.modifiedOutranking[r.at(a, b)] = r.vertexGraph[r.at(a, b)] = 0;
    buildLists(r, ListMode::Successor, r.n);
    const int k = pruneSinks(r, r.n) == 1 ? condense(r, r.n) : r.n;
    int result = 0;
    for (int v = 0; v < k; ++v)
        if (r.extraMembers[v] != savedExtra[v]) result = 1;
    for (const auto& [a, b] : arcs) r.modifiedOutranking[r.at(a, b)] = r.vertexGraph[r.at(a, b)] = 1;
    r.extraMembers = savedExtra;
    r.vertexMembers = savedMembers;
    return result;
}

int arcSetBreaksCyclesQuietly(const ResultsSet& r, const std::vector<std::pair<int, int>>& arcs) {
    if (r.n <= 0) return 0;
    std::vector<Arc> list;
    std::vector<int> idx;
    for (const auto& [a, b] : arcs) {
        idx.push_back(static_cast<int>(list.size()));
        list.push_back(Arc{0.0, a, b});
    }
    ArcSetTrial trial(r);
    return trial.breaks(list, idx.data(), static_cast<int>(idx.size())) ? 1 : 0;
}

}  // namespace kvis
