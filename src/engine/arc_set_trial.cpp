#include "engine/arc_set_trial.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <utility>
#ifdef KVIS_CHECK_TRIALS
#include <cstdio>
#include <cstdlib>
#include <memory>
#endif

#include "engine/bit_rows.h"
#include "engine/memory.h"
#include "engine/merging.h"
#include "engine/vertex_graph.h"

namespace kvis {

namespace {

using bits::Word;

#ifdef KVIS_CHECK_TRIALS
// Trials compared with the full merge, told on standard error at exit when
// KVIS_REPORT_TRIALS is set (the reference sweeps run such builds).
struct TrialCount {
    long long checked = 0;
    ~TrialCount() {
        if (std::getenv("KVIS_REPORT_TRIALS")) std::fprintf(stderr, "kvis: %lld trials checked\n", checked);
    }
} trialCount;
void noteTrialChecked() { ++trialCount.checked; }
#endif

// Trial removals without touching the ResultsSet.
//
// Removing inner arcs of a group either splits it or leaves it strongly
// connected. A split always changes the grouping: the group's extra members
// are spread over more vertices, so some count below the new vertex count
// differs. A group that stays strongly connected keeps every member set of the
// merge; only representatives may move, and with them the vertex indices.
// Each representative is one of its vertex's members, so when no two vertices
// with different extra-member counts have interleaving member ranges, the
// counts read in index order cannot change either: then the answer is exactly
// whether the group stops being strongly connected ("settled" below). Only
// then are the arcs that cannot break it skipped, and whole subtrees of sets
// whose remaining arcs are fewer than the arcs any cut of the group needs.
//
// Otherwise a group that stays connected is merged again, but only where the
// removed arcs can make a difference. The merging of the untouched relation
// from the group's first walk on is recorded once (the reference): its cycles,
// what each walk read, and snapshots. While the group stays strongly
// connected every vertex keeps its place in the pruning, so a removed arc can
// only change the first entry of the vertex holding its tail, and only while
// its head is in another vertex. A trial therefore goes as the reference
// until a walk reads such a row with another outcome; it starts from the
// snapshot before that step, and as soon as its partition and arcs meet the
// reference's again it jumps ahead the same way, or ends as the reference
// ended. Pairs mostly need no merging at all: see composePair.
class ArcSetTrial {
public:
    // `group`: the members of the merged vertex whose inner arcs are tried;
    // empty when the arcs may lie anywhere (then every trial merges in full).
    ArcSetTrial(const ResultsSet& r, const std::vector<int>& group, ComputeProgress* progress = nullptr)
        : r_(r), n_(r.n), words_(bits::wordsFor(r.n)), condenser_(r.n), saved_(r.extraMembers), progress_(progress) {
        rows_.assign(static_cast<size_t>(n_) * words_, 0);
        cols_.assign(static_cast<size_t>(n_) * words_, 0);
        if (group.size() < 2) {
            loadRelation({});
        } else {
            grouped_ = true;
            groupMask_.assign(words_, 0);
            for (int a : group) bits::setBit(groupMask_.data(), a);
            root_ = group[0];
            groupSize_ = static_cast<int>(group.size());
            visited_.assign(words_, 0);
            settled_ = noInterleavingCounts();
            // A settled group's answers read only its own members' arcs.
            loadRelation(settled_ ? group : std::vector<int>{});
            if (settled_) {
                treeMark_.assign(r.vertexGraph.size(), 0);
            } else {
                // Pruning and every walk that never reads a member's row come
                // out the same whatever inner arcs a trial removes, as long
                // as the group stays strongly connected: they are done once.
                condenser_.loadSingletons(rows_, cols_);
                condenser_.pruneFromScratch();
                condenser_.setFence(groupMask_.data());
                condenser_.mergeRemaining();
                condenser_.setFence(nullptr);
                beforeGroup_ = condenser_;
            }
        }
    }

    bool breaks(const std::vector<Arc>& arcs, const int* idx, int count) {
        // 64 trials without a merge take far less than a tenth of a second;
        // a trial that merges polls on its own.
        if (progress_ && (++trials_ & 63) == 0) checkCancel(progress_);
        const bool answer = answer_(arcs, idx, count);
#ifdef KVIS_CHECK_TRIALS
        checkAgainstFullMerge(arcs, idx, count, answer);
#endif
        return answer;
    }

    // True when no set of `remaining` more arcs, added to the `count` arcs of
    // idx, can break the group: every cut of what is left needs more arcs.
    // Only known in the settled case; false otherwise.
    bool noSetCanBreak(const std::vector<Arc>& arcs, const int* idx, int count, int remaining) {
        if (!settled_) return false;
        setArcs(arcs, idx, count, false);
        const bool none = cutNeedsMoreThan(remaining);
        setArcs(arcs, idx, count, true);
        return none;
    }

    // Marks the arcs that could still break the relation once the `count`
    // arcs of idx are gone; every arc when those alone break it already.
    void markCandidates(const std::vector<Arc>& arcs, const int* idx, int count) {
        if (!settled_) return;
        for (size_t c : marked_) treeMark_[c] = 0;
        marked_.clear();
        setArcs(arcs, idx, count, false);
        allCandidates_ = !stronglyConnected(true);
        setArcs(arcs, idx, count, true);
    }

    bool mayBreak(const Arc& a) const { return !settled_ || allCandidates_ || treeMark_[r_.at(a.from, a.to)] != 0; }

#ifdef KVIS_CHECK_TRIALS
    // Check builds: the literal merging from scratch on a copy of the arrays
    // must give the same answer for every trial, and for every arc skipped.
    void checkAgainstFullMerge(const std::vector<Arc>& arcs, const int* idx, int count, bool answer) {
        if (!full_) full_ = std::make_unique<ResultsSet>(r_);
        std::vector<std::pair<int, int>> set;
        for (int i = 0; i < count; ++i) set.push_back({arcs[idx[i]].from, arcs[idx[i]].to});
        const bool expected = arcSetBreaksCycles(*full_, set) == 1;
        noteTrialChecked();
        if (expected != answer) {
            std::fprintf(stderr, "kvis: the trial of %d arcs answered %d, the full merge %d\n", count, answer ? 1 : 0,
                         expected ? 1 : 0);
            std::abort();
        }
    }
    std::unique_ptr<ResultsSet> full_;
#endif

private:
    bool answer_(const std::vector<Arc>& arcs, const int* idx, int count) {
        if (grouped_) {
            if (!everyCutAbove(count)) {
                setArcs(arcs, idx, count, false);
                const bool connected = stronglyConnected(false);
                setArcs(arcs, idx, count, true);
                if (!connected) return true;
            }
            if (settled_) return false;
            checkCancel(progress_);
            if (referenceArcs_ != &arcs) recordReference(arcs);
            if (count == 2) {
                const int composed = composePair(arcs, idx);
                if (composed >= 0) return composed != 0;
            }
            return followReference(arcs, idx, count);
        }
        checkCancel(progress_);
        condenser_.loadSingletons(rows_, cols_);
        for (int i = 0; i < count; ++i) condenser_.removeArc(arcs[idx[i]].from, arcs[idx[i]].to);
        condenser_.pruneFromScratch();
        condenser_.mergeRemaining();
        return condenser_.extrasDiffer(saved_);
    }

    // A trial of a group that stays strongly connected: it goes as the
    // reference up to the first round at which a walk may read otherwise,
    // merges on its own from the snapshot before it, and whenever it meets
    // the reference again goes on from there the same way. A single arc's
    // course is noted for the pairs that contain it.
    bool followReference(const std::vector<Arc>& arcs, const int* idx, int count) {
        Course* course = count == 1 && courseRoom() ? &courseFor(idx[0]) : nullptr;
        if (course) {
            *course = Course{};
            course->readsBegin = readLowest_.size();
        }
        const auto done = [&](bool answer) {
            if (course) {
                course->readsEnd = readLowest_.size();
                course->answer = answer;
                course->known = true;
            }
            return answer;
        };
        size_t step = nextFailure(idx, count, 0);
        if (course) course->stretches.push_back({0, step == kFollows ? kFollows : step - 1});
        if (step == kFollows) return done(referenceDiffers_);
        size_t quiet = forkBefore(step, arcs, idx, count);  // rounds known to be the reference's own
        const std::function<void()> noteReads = [&] {
            if (quiet == 0) noteWalk();
        };
        while (condenser_.mergeNext(course ? noteReads : std::function<void()>{})) {
            const std::vector<int>& cycle = condenser_.lastMerged();
            mergedSinceFork_.insert(mergedSinceFork_.end(), cycle.begin(), cycle.end());
            if (quiet > 0) {
                --quiet;
                continue;
            }
            const size_t at = referenceStepNow();
            if (at == kFollows) continue;
            // The partition is the reference's at that step; the arcs differ
            // by the removed ones still between two vertices without another.
            open_.clear();
            for (int i = 0; i < count; ++i) {
                const int from = condenser_.holderOf(arcs[idx[i]].from);
                const int to = condenser_.holderOf(arcs[idx[i]].to);
                if (from != to && !condenser_.hasArc(from, to)) open_.push_back(idx[i]);
            }
            step = nextFailure(open_.data(), static_cast<int>(open_.size()), at);
            if (course) {
                course->stretches.push_back({at, step == kFollows ? kFollows : step - 1});
                course->closedAtEnd = open_.empty();
            }
            if (step == kFollows) return done(referenceDiffers_);
            forkStep_ = at;
            mergedSinceFork_.clear();
            if (snapshotSteps_[snapshotBefore(step)] > at)
                quiet = forkBefore(step, arcs, idx, count);
            else
                quiet = step - 1 - at;
        }
        if (course) course->endsOwnWay = true;
        return done(condenser_.extrasDiffer(saved_));
    }

    // A pair answered from the course of the arc that fails first, when the
    // other arc never changes what that course reads: the pair's trial then
    // runs the same way, except that where the course ends following the
    // reference with its own arc resolved, the other arc's first failure
    // there makes it the other arc's own trial. -1: not decided so.
    int composePair(const std::vector<Arc>& arcs, const int* idx) {
        const size_t d0 = nextFailure(&idx[0], 1, 0);
        const size_t d1 = nextFailure(&idx[1], 1, 0);
        const int first = d0 <= d1 ? idx[0] : idx[1];
        const int other = d0 <= d1 ? idx[1] : idx[0];
        const size_t otherFails = std::max(d0, d1);
        if (!known(first)) {
            if (!courseRoom()) return -1;
            followReference(arcs, &first, 1);
            if (!known(first)) return -1;
        }
        const Course& c = courseFor(first);
        if (!c.known) return -1;
        const size_t last = c.stretches.size() - (c.endsOwnWay ? 0 : 1);
        for (size_t k = 0; k < last; ++k)
            if (nextFailure(&other, 1, c.stretches[k].first) <= c.stretches[k].second) return -1;
        for (size_t r = c.readsBegin; r < c.readsEnd; ++r)
            if (readTouches(r, arcs[other])) return -1;
        if (!c.endsOwnWay) {
            const size_t f = nextFailure(&other, 1, c.stretches.back().first);
            if (f != kFollows) {
                if (!c.closedAtEnd || f != otherFails) return -1;
                // c is not read again: noting another course may move it.
                if (!known(other) && courseRoom()) followReference(arcs, &other, 1);
                if (!known(other)) return -1;
                return courseFor(other).answer ? 1 : 0;
            }
        }
        return c.answer ? 1 : 0;
    }

    // The course of a single arc's trial: the stretches of reference rounds
    // it went through (from, to], the rows its own rounds read, and how it
    // ended.
    struct Course {
        bool known = false;
        bool answer = false;
        bool endsOwnWay = false;   // merged on its own to the end
        bool closedAtEnd = false;  // its arc resolved when it last met the reference
        std::vector<std::pair<size_t, size_t>> stretches;
        size_t readsBegin = 0, readsEnd = 0;
    };

    // Notes what the walk just made read, before its cycle is merged: the
    // members of the vertex read and of its first entry.
    void noteWalk() {
        for (const Condenser::WalkStep& read : condenser_.lastWalk()) {
            const size_t at = readMasks_.size();
            readMasks_.resize(at + 2 * static_cast<size_t>(words_), 0);
            condenser_.forEachMember(read.slot, [&](int a) { bits::setBit(&readMasks_[at], a); });
            if (read.first >= 0 && read.first < n_)
                condenser_.forEachMember(read.first, [&](int a) { bits::setBit(&readMasks_[at + words_], a); });
            readLowest_.push_back(read.lowest ? 1 : 0);
        }
    }

    // Whether removing `arc` may change the entry the noted read found.
    bool readTouches(size_t r, const Arc& arc) const {
        const Word* slot = &readMasks_[r * 2 * static_cast<size_t>(words_)];
        const Word* first = slot + words_;
        return bits::testBit(slot, arc.from) && !bits::testBit(slot, arc.to) &&
               (!readLowest_[r] || bits::testBit(first, arc.to));
    }

    // Courses are kept for the arcs tried alone, not for every arc of a
    // large group.
    Course& courseFor(int arc) {
        if (courseOf_[arc] < 0) {
            courseOf_[arc] = static_cast<int>(courses_.size());
            courses_.emplace_back();
        }
        return courses_[static_cast<size_t>(courseOf_[arc])];
    }
    bool known(int arc) const { return courseOf_[arc] >= 0 && courses_[static_cast<size_t>(courseOf_[arc])].known; }
    bool courseRoom() const {
        return readMasks_.size() * sizeof(Word) + courses_.size() * sizeof(Course) < kCourseBudget;
    }
    static constexpr size_t kCourseBudget = size_t(32) << 20;

    // The arcs of modifiedOutranking as bit rows and columns: of every
    // alternative, or only those leaving and entering the given ones.
    void loadRelation(const std::vector<int>& only) {
        const auto arc = [&](int x, int y) {
            if (x == y || r_.modifiedOutranking[r_.at(x, y)] == 0) return;
            bits::setBit(bitRow(rows_, x), y);
            bits::setBit(bitRow(cols_, y), x);
        };
        if (only.empty()) {
            for (int x = 0; x < n_; ++x)
                for (int y = 0; y < n_; ++y) arc(x, y);
            return;
        }
        for (int a : only)
            for (int y = 0; y < n_; ++y) {
                arc(a, y);
                arc(y, a);
            }
    }

    // The merging of the untouched relation from the fence on, step by step:
    // its cycles, the steps at which each arc's removal may make a walk go
    // another way, and a snapshot before each such step.
    //
    // While the group stays strongly connected every vertex keeps its place
    // in the pruning, so a removed arc can only change the first entry of the
    // vertex holding its tail, and only while its head is in another vertex.
    // A lowest successor that stays in the row stays the first entry; any
    // other entry read from that row may change.
    void recordReference(const std::vector<Arc>& arcs) {
        referenceArcs_ = &arcs;
        referenceInto_.resize(n_);
        for (int s = 0; s < n_; ++s) referenceInto_[s] = s;
        touched_.clear();
        // Flat lists: a large group has millions of arcs.
        arcsFromStart_.assign(static_cast<size_t>(n_) + 1, 0);
        for (const Arc& arc : arcs) ++arcsFromStart_[static_cast<size_t>(arc.from) + 1];
        for (int a = 0; a < n_; ++a) arcsFromStart_[a + 1] += arcsFromStart_[a];
        arcsFrom_.resize(arcs.size());
        {
            std::vector<unsigned> fill(arcsFromStart_.begin(), arcsFromStart_.end() - 1);
            for (size_t i = 0; i < arcs.size(); ++i) arcsFrom_[fill[arcs[i].from]++] = static_cast<unsigned>(i);
        }
        std::vector<std::pair<unsigned, unsigned>> found;  // (arc, step), by step
        journal_.clear();
        journalEnd_.assign(1, 0);
        stepOfHash_.clear();
        snapshots_.clear();
        snapshotSteps_.clear();
        condenser_ = beforeGroup_;
        takeSnapshot(0);
        size_t step = 1;
        const auto beforeMerge = [&] {
            bool fails = false;
            for (const Condenser::WalkStep& read : condenser_.lastWalk())
                condenser_.forEachMember(read.slot, [&](int a) {
                    for (unsigned j = arcsFromStart_[a]; j < arcsFromStart_[a + 1]; ++j) {
                        const unsigned i = arcsFrom_[j];
                        const int to = condenser_.holderOf(arcs[i].to);
                        if (to == read.slot || (read.lowest && to != read.first)) continue;
                        found.push_back({i, static_cast<unsigned>(step)});
                        fails = true;
                    }
                });
            if (fails && snapshotSteps_.back() != step - 1) takeSnapshot(step - 1);
        };
        for (; condenser_.mergeNext(beforeMerge); ++step) {
            const std::vector<int>& cycle = condenser_.lastMerged();
            journal_.insert(journal_.end(), cycle.begin(), cycle.end());
            journalEnd_.push_back(journal_.size());
            stepOfHash_.emplace(condenser_.partitionHash(), step);
            // A whole merge of thousands of alternatives takes a good part
            // of a second.
            if ((step & 63) == 0) checkCancel(progress_);
        }
        referenceDiffers_ = condenser_.extrasDiffer(saved_);
        // By arc, each arc's steps ascending and once (a walk reads a row once).
        failuresStart_.assign(arcs.size() + 1, 0);
        for (const auto& [i, at] : found) ++failuresStart_[i + 1];
        for (size_t i = 0; i < arcs.size(); ++i) failuresStart_[i + 1] += failuresStart_[i];
        failures_.resize(found.size());
        std::vector<unsigned> fill(failuresStart_.begin(), failuresStart_.end() - 1);
        for (const auto& [i, at] : found) failures_[fill[i]++] = at;
        courses_.clear();
        courseOf_.assign(arcs.size(), -1);
        readMasks_.clear();
        readLowest_.clear();
    }

    // Keeps the state as it is after `step` rounds; within the budget by
    // dropping every other snapshot after the first.
    void takeSnapshot(size_t step) {
        snapshots_.push_back(condenser_);
        snapshotSteps_.push_back(step);
        if (snapshots_.size() * condenser_.footprint() <= snapshotBudget(n_) || snapshots_.size() < 3) return;
        size_t kept = 1;
        for (size_t i = 2; i < snapshots_.size(); i += 2, ++kept) {
            snapshots_[kept] = std::move(snapshots_[i]);
            snapshotSteps_[kept] = snapshotSteps_[i];
        }
        snapshots_.erase(snapshots_.begin() + static_cast<std::ptrdiff_t>(kept), snapshots_.end());
        snapshotSteps_.resize(kept);
    }

    // The latest snapshot taken before `step`.
    size_t snapshotBefore(size_t step) const {
        return static_cast<size_t>(std::upper_bound(snapshotSteps_.begin(), snapshotSteps_.end(), step - 1) -
                                   snapshotSteps_.begin()) - 1;
    }

    // The first step after `after` at which the reference's walk may go
    // another way without the arcs idx, or kFollows. Each arc's failures
    // depend on its own ends only, so this is the first failure of any.
    size_t nextFailure(const int* idx, int count, size_t after) const {
        size_t next = kFollows;
        for (int i = 0; i < count; ++i) {
            const auto begin = failures_.begin() + failuresStart_[idx[i]];
            const auto end = failures_.begin() + failuresStart_[idx[i] + 1];
            const auto later = std::upper_bound(begin, end, after);
            if (later != end) next = std::min(next, static_cast<size_t>(*later));
        }
        return next;
    }

    // Whether every cut of the untouched group needs more than `count` arcs,
    // so that no set of that many leaves it split.
    bool everyCutAbove(int count) {
        if (count >= static_cast<int>(cutAbove_.size())) return false;
        if (cutAbove_[count] < 0) cutAbove_[count] = cutNeedsMoreThan(count) ? 1 : 0;
        return cutAbove_[count] != 0;
    }

    // The trial's state just before `step`: the reference's latest snapshot
    // not after it, without the removed arcs. Returns the rounds from the
    // snapshot to `step`, which go as the reference's.
    size_t forkBefore(size_t step, const std::vector<Arc>& arcs, const int* idx, int count) {
        const size_t k = snapshotBefore(step);
        condenser_.restore(snapshots_[k]);
        forkStep_ = snapshotSteps_[k];
        mergedSinceFork_.clear();
        setArcs(arcs, idx, count, false);
        for (int i = 0; i < count; ++i) {
            const int from = condenser_.holderOf(arcs[idx[i]].from);
            const int to = condenser_.holderOf(arcs[idx[i]].to);
            if (from != to && !anyArcBetween(from, to)) condenser_.removeArcAfterPruning(from, to);
        }
        setArcs(arcs, idx, count, true);
        return step - 1 - forkStep_;
    }

    // Whether some arc of the relation as it stands runs from a member of
    // vertex `from` to a member of vertex `to`.
    bool anyArcBetween(int from, int to) {
        std::fill(visited_.begin(), visited_.end(), 0);
        condenser_.forEachMember(to, [&](int a) { bits::setBit(visited_.data(), a); });
        bool any = false;
        condenser_.forEachMember(from, [&](int a) {
            const Word* row = bitRow(rows_, a);
            for (int w = 0; w < words_ && !any; ++w) any = (row[w] & visited_[w]) != 0;
        });
        return any;
    }

    // kFollows: no step goes another way.
    static constexpr size_t kFollows = static_cast<size_t>(-1);
#ifdef KVIS_CHECK_TRIALS
    // Check builds thin the snapshots at once, so that forks from distant
    // snapshots are checked as often as near ones.
    static size_t snapshotBudget(int) { return 0; }
#else
    static size_t snapshotBudget(int n) { return trialSnapshotBytes(n); }
#endif
    // The reference's step whose partition the trial's now is, or kFollows.
    // Both runs start from the fork's partition, so the partitions agree
    // when every slot merged since then, in either run, lies in the same
    // vertex in both.
    size_t referenceStepNow() {
        const auto found = stepOfHash_.find(condenser_.partitionHash());
        if (found == stepOfHash_.end() || found->second < forkStep_) return kFollows;
        const size_t first = journalEnd_[forkStep_], last = journalEnd_[found->second];
        for (int s : touched_) referenceInto_[s] = s;
        touched_.clear();
        for (size_t step = forkStep_ + 1; step <= found->second; ++step) {
            const int kept = journal_[journalEnd_[step - 1]];
            for (size_t i = journalEnd_[step - 1] + 1; i < journalEnd_[step]; ++i) {
                referenceInto_[journal_[i]] = kept;
                touched_.push_back(journal_[i]);
            }
        }
        const auto referenceHolder = [&](int s) {
            while (referenceInto_[s] != s) s = referenceInto_[s];
            return s;
        };
        for (size_t i = first; i < last; ++i)
            if (referenceHolder(journal_[i]) != condenser_.holderOf(journal_[i])) return kFollows;
        for (int s : mergedSinceFork_)
            if (referenceHolder(s) != condenser_.holderOf(s)) return kFollows;
        return found->second;
    }

    // Vertices with different extra-member counts whose member ranges meet:
    // sorted by their lowest member, each is compared with the highest
    // member seen so far among vertices of another count (the two highest of
    // different counts are kept).
    bool noInterleavingCounts() const {
        struct Range {
            int lo, hi, extra;
        };
        std::vector<Range> ranges;
        for (int v = 0; v < n_; ++v) {
            Range g{n_, -1, saved_[v]};
            for (int i = 0; i < n_; ++i) {
                const int a = r_.vertexMembers[r_.at(v, i)];
                if (a == -1) break;
                if (a < 0 || a >= n_) return false;
                g.lo = std::min(g.lo, a);
                g.hi = std::max(g.hi, a);
            }
            if (g.hi >= 0) ranges.push_back(g);
        }
        std::sort(ranges.begin(), ranges.end(), [](const Range& x, const Range& y) { return x.lo < y.lo; });
        int hi1 = -1, extra1 = -1, hi2 = -1;  // highest end, and highest of another count
        for (const Range& g : ranges) {
            const int otherHi = g.extra != extra1 ? hi1 : hi2;
            if (otherHi >= g.lo) return false;
            if (g.extra == extra1) {
                hi1 = std::max(hi1, g.hi);
            } else if (g.hi > hi1) {
                hi2 = hi1;
                hi1 = g.hi;
                extra1 = g.extra;
            } else {
                hi2 = std::max(hi2, g.hi);
            }
        }
        return true;
    }

    // Unit-capacity flows from the root to every member and back, each
    // stopped once it exceeds `limit`: true when every cut of the group
    // (arcs leaving some proper part of it) has more than `limit` arcs.
    bool cutNeedsMoreThan(int limit) {
        std::vector<int> members;
        bits::forEachBit(groupMask_.data(), words_, [&](int a) { members.push_back(a); });
        for (int t : members) {
            if (t == root_) continue;
            if (flowAtMost(root_, t, limit) || flowAtMost(t, root_, limit)) return false;
        }
        return true;
    }

    // True when at most `limit` arc-disjoint paths lead from s to t inside the group.
    bool flowAtMost(int s, int t, int limit) {
        flowUsed_.clear();
        for (int found = 0; found <= limit; ++found) {
            // Breadth-first search in the residual graph: unused arcs forward,
            // used arcs backward.
            parent_.assign(static_cast<size_t>(n_), -1);
            parent_[s] = s;
            queue_.assign(1, s);
            for (size_t head = 0; head < queue_.size() && parent_[t] < 0; ++head) {
                const int x = queue_[head];
                const Word* row = bitRow(rows_, x);
                for (int w = 0; w < words_; ++w) {
                    Word next = row[w] & groupMask_[w];
                    while (next) {
                        const int y = w * 64 + std::countr_zero(next);
                        next &= next - 1;
                        if (parent_[y] < 0 && !used(x, y)) {
                            parent_[y] = x;
                            queue_.push_back(y);
                        }
                    }
                }
                for (const auto& [u, v] : flowUsed_)
                    if (v == x && parent_[u] < 0) {
                        parent_[u] = x;
                        queue_.push_back(u);
                    }
            }
            if (parent_[t] < 0) return true;
            for (int y = t; y != s; y = parent_[y]) {
                const int x = parent_[y];
                const auto back = std::find(flowUsed_.begin(), flowUsed_.end(), std::pair<int, int>{y, x});
                if (back != flowUsed_.end())
                    flowUsed_.erase(back);
                else
                    flowUsed_.push_back({x, y});
            }
        }
        return false;
    }

    bool used(int x, int y) const {
        return std::find(flowUsed_.begin(), flowUsed_.end(), std::pair<int, int>{x, y}) != flowUsed_.end();
    }

    Word* bitRow(std::vector<Word>& sets, int x) { return sets.data() + static_cast<size_t>(x) * words_; }

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
    Condenser beforeGroup_{0};  // merged up to the first walk into the group
    std::unordered_map<unsigned long long, size_t> stepOfHash_;
    const std::vector<Arc>* referenceArcs_ = nullptr;  // the arcs the reference was recorded for
    std::vector<Condenser> snapshots_;
    std::vector<size_t> snapshotSteps_;          // after how many rounds each snapshot was taken
    std::vector<unsigned> arcsFromStart_, arcsFrom_;  // the arcs by tail
    std::vector<unsigned> failuresStart_, failures_;  // the steps by arc, ascending
    std::vector<int> open_;
    std::vector<Course> courses_;
    std::vector<int> courseOf_;  // by arc: its course, or -1
    std::vector<Word> readMasks_;  // per noted read: the vertex's members, its first entry's
    std::vector<char> readLowest_;
    std::vector<int> journal_;        // the reference's merged cycles, the kept slot first
    std::vector<size_t> journalEnd_;  // where each step's cycle ends in journal_
    std::vector<int> referenceInto_, touched_, mergedSinceFork_;
    size_t forkStep_ = 0;
    std::vector<signed char> cutAbove_ = std::vector<signed char>(10, -1);
    bool referenceDiffers_ = false;
    std::vector<int> saved_;
    std::vector<Word> rows_, cols_;
    ComputeProgress* progress_ = nullptr;
    unsigned trials_ = 0;
    bool grouped_ = false;  // the arcs are inner arcs of one group
    bool settled_ = false;  // and the answer is whether it splits
    int root_ = 0;
    int groupSize_ = 0;
    std::vector<Word> groupMask_;
    bool allCandidates_ = false;
    std::vector<char> treeMark_;
    std::vector<size_t> marked_;
    std::vector<Word> visited_;
    std::vector<int> stack_;
    std::vector<int> parent_, queue_;
    std::vector<std::pair<int, int>> flowUsed_;
};

// Index sets i1 < i2 < ... < is below the limit, in lexicographic order, with
// the limit re-read at every step (a set found lowers it).
class ArcSetSearch {
public:
    ArcSetSearch(const ResultsSet& r, const std::vector<int>& group, const std::vector<Arc>& arcs,
                 double acceptableLoss, ComputeProgress* progress)
        : trial_(r, group, progress), arcs_(arcs), acceptable_(acceptableLoss) {}

    void trySingleArcs() {
        const int A = static_cast<int>(arcs_.size());
        trial_.markCandidates(arcs_, nullptr, 0);
        for (int i = 0; i < A; ++i)
            if (mayBreak(&i, 1) && trial_.breaks(arcs_, &i, 1)) {
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
        if (level < size - 1 && trial_.noSetCanBreak(arcs_, idx_.data(), level, size - level)) {
#ifdef KVIS_CHECK_TRIALS
            checkSkippedSets(size, level, from);
#endif
            return;
        }
        if (level == size - 1) trial_.markCandidates(arcs_, idx_.data(), level);
        for (int i = from; i < limit_; ++i) {
            if (choice_.found) {
                const int lastMin = i + (size - 1 - level);
                if (lastMin >= limit_ || !(arcs_[lastMin].R + acceptable_ < choice_.loss)) break;
            }
            idx_[level] = i;
            if (level + 1 < size) {
                extend(size, level + 1, i + 1);
            } else if ((arcs_[i].R + acceptable_ < choice_.loss || !choice_.found) && mayBreak(idx_.data(), size) &&
                       trial_.breaks(arcs_, idx_.data(), size)) {
                keep(idx_, i);
            }
        }
    }

    // The last arc of idx completes the set.
    bool mayBreak(const int* idx, int count) {
        if (trial_.mayBreak(arcs_[idx[count - 1]])) return true;
#ifdef KVIS_CHECK_TRIALS
        trial_.checkAgainstFullMerge(arcs_, idx, count, false);
#endif
        return false;
    }

#ifdef KVIS_CHECK_TRIALS
    // A subtree skipped because no set in it can break the group: its sets
    // are merged in full when there are few enough of them.
    void checkSkippedSets(int size, int level, int from) {
        long long sets = 1;
        const int A = limit_ - from;
        for (int k = 0; k < size - level && sets <= 5000; ++k) sets = sets * (A - k) / (k + 1);
        if (sets > 5000 || A < size - level) return;
        std::vector<int> idx = idx_;
        auto walk = [&](auto&& self, int lv, int start) -> void {
            if (lv == size) {
                trial_.checkAgainstFullMerge(arcs_, idx.data(), size, false);
                return;
            }
            for (int i = start; i < limit_; ++i) {
                idx[lv] = i;
                self(self, lv + 1, i + 1);
            }
        };
        walk(walk, level, from);
    }
#endif

    ArcSetTrial trial_;
    const std::vector<Arc>& arcs_;
    double acceptable_;
    ArcSetChoice choice_;
    int limit_ = 0;
    std::vector<int> idx_;
};

}  // namespace

ArcSetChoice cheapestArcSet(const ResultsSet& r, const std::vector<int>& group, const std::vector<Arc>& arcs,
                            int maxArcsToCut, double acceptableLoss, ComputeProgress* progress) {
    ArcSetSearch search(r, group, arcs, acceptableLoss, progress);
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
    ArcSetTrial trial(r, {});
    return trial.breaks(list, idx.data(), static_cast<int>(idx.size())) ? 1 : 0;
}

}  // namespace kvis
