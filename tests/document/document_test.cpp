// The document: the flags each operation sets, the listeners that run before
// any array is released or re-created (and only then), and the state the
// whole-project operations leave.
#include "document/document.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace kvis {
namespace {

// Maximized, q = 1, p = 3, veto 6: valid on any evaluations.
Criterion criterion(const char* name, double weight) {
    return {name, 1, 1, 0, weight, {0, 3}, {0, 1}, {0, 6}};
}

// 3 alternatives x 2 criteria (weights 1 and 2) with values 10*a + c; level
// 0.6 passes; saved, with computed results; `released` counts the listener's runs.
struct DocumentTest : ::testing::Test {
    void SetUp() override { build(); }
    void build() {
        subscription.reset();
        doc = std::make_unique<Document>();
        doc->start(Parameters{0.6, 3, 0.2}, {"r1", "r2", "", ""});
        doc->addCriterion(criterion("price", 1));
        doc->addCriterion(criterion("quality", 2));
        for (int a = 0; a < 3; ++a) doc->addAlternative("alt" + std::to_string(a), {10.0 * a, 10.0 * a + 1});
        doc->savedAs("/p.kvs");
        ASSERT_EQ(doc->compute().status, ComputeStatus::Computed);
        released = 0;
        subscription = doc->beforeRelease([this] {
            ++released;
            // What the listeners see is still what the views show.
            seen = {doc->project().n, doc->project().m, doc->results().n};
        });
    }
    std::tuple<int, int, int> flags() const {
        return {doc->state().modified, doc->state().resultsValid, released};
    }
    std::unique_ptr<Document> doc;
    Subscription subscription;
    int released = 0;
    std::tuple<int, int, int> seen;  // n, m and results' n at the last release
};

TEST_F(DocumentTest, EachOperationSetsItsFlagsAndReleasesOnlyWhatItReCreates) {
    using Op = std::function<void(Document&)>;
    const struct Case {
        const char* what;
        Op op;
        int modified, resultsValid, released;
    } cases[] = {
        {"add alternative", [](Document& d) { d.addAlternative("new", {1, 2}); }, 1, 0, 1},
        {"delete alternative", [](Document& d) { d.deleteAlternative(1); }, 1, 0, 1},
        {"delete a missing alternative", [](Document& d) { d.deleteAlternative(3); }, 0, 1, 0},
        {"rename to the same", [](Document& d) { d.renameAlternative(0, "alt0"); }, 0, 1, 0},
        {"rename", [](Document& d) { d.renameAlternative(0, "other"); }, 1, 1, 0},
        {"save keeps the results", [](Document& d) { d.renameAlternative(0, "other"), d.saved(); }, 0, 1, 0},
        {"same value and text", [](Document& d) { d.setEvaluation(1, 0, 10, "10"); }, 0, 0, 0},
        {"new text", [](Document& d) { d.setEvaluation(1, 0, 10, "-"); }, 1, 0, 0},
        {"new value", [](Document& d) { d.setEvaluation(1, 0, 12.5, "12.5"); }, 1, 0, 0},
        {"text alone", [](Document& d) { d.setEvaluationText(1, 0, "10.0"); }, 0, 1, 0},
        {"add criterion", [](Document& d) { d.addCriterion(Criterion{}); }, 1, 0, 1},
        {"modify criterion", [](Document& d) { d.modifyCriterion(0, Criterion{}); }, 1, 0, 0},
        {"delete criterion", [](Document& d) { d.deleteCriterion(0); }, 1, 0, 1},
        {"level", [](Document& d) { d.setLevelOfConcordance(0.62); }, 1, 0, 0},
        {"same level", [](Document& d) { d.setLevelOfConcordance(0.6); }, 0, 0, 0},
        {"same options", [](Document& d) { d.setAdvancedOptions(3, 0.2); }, 0, 1, 0},
        {"new loss", [](Document& d) { d.setAdvancedOptions(3, 0.25); }, 0, 0, 0},
        {"new arcs", [](Document& d) { d.setAdvancedOptions(5, 0.2); }, 0, 0, 0},
        {"choices", [](Document& d) { d.setComparePair(2, 0), d.setSelectionMask(3), d.setOpenViewsMask(4); }, 0, 1,
         0},
        {"new project", [](Document& d) { d.newProject(Parameters{}); }, 0, 0, 1},
        {"open", [](Document& d) { d.open(Project{}, "/o.kvs", 0); }, 0, 0, 1},
        {"import", [](Document& d) { d.import(Project{}, "/i.KVS", Parameters{}); }, 1, 0, 1},
        {"computations with valid results", [](Document& d) { d.compute(); }, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        build();
        c.op(*doc);
        EXPECT_EQ(flags(), std::tuple(c.modified, c.resultsValid, c.released));
        if (c.released) {
            EXPECT_EQ(seen, std::tuple(3, 2, 3));  // before anything changed
        }
    }
}

TEST_F(DocumentTest, ComputationsReleaseTheOldResultsOnlyWhenTheProjectPassesValidation) {
    doc->setLevelOfConcordance(0.9);  // above the bound 2/3
    const ComputeOutcome refused = doc->compute();
    EXPECT_EQ(std::tuple(refused.status, refused.refused), std::tuple(ComputeStatus::Refused, Check::Level));
    EXPECT_EQ(refused.text, "Value of the level of concordance\n    must be between 0.5 and 0.666667");
    EXPECT_EQ(released, 0);
    EXPECT_EQ(doc->results().n, 3);  // the old results stay for the views that show them

    doc->setLevelOfConcordance(0.6);
    doc->deleteAlternative(2);  // the results keep their own size until the next computation
    ASSERT_EQ(released, 1);
    EXPECT_EQ(doc->compute().status, ComputeStatus::Computed);
    EXPECT_EQ(released, 2);
    EXPECT_EQ(seen, std::tuple(2, 2, 3));
    EXPECT_EQ(std::tuple(doc->results().n, doc->state().resultsValid), std::tuple(2, 1));
}

// A runner of the engine (a worker thread in the desktop program) is asked
// only for a computation that goes ahead; meanwhile the document holds no
// results, and they are those a computation without it leaves.
TEST_F(DocumentTest, ComputationsWhoseEngineRunsElsewhere) {
    int runs = 0;
    std::tuple<int, int, int> during{-1, -1, -1};  // results' n, resultsValid, listener runs
    const auto onAThread = [&](const Document::Engine& engine) {
        ++runs;
        during = {doc->results().n, doc->state().resultsValid, released};
        std::thread worker(engine, nullptr);
        worker.join();
    };
    EXPECT_EQ(doc->compute(onAThread).status, ComputeStatus::AlreadyValid);
    doc->setLevelOfConcordance(0.9);
    EXPECT_EQ(doc->compute(onAThread).status, ComputeStatus::Refused);
    EXPECT_EQ(std::tuple(runs, released, doc->results().n), std::tuple(0, 0, 3));

    doc->setLevelOfConcordance(0.6);
    const ResultsSet before = doc->results();
    EXPECT_EQ(doc->compute(onAThread).status, ComputeStatus::Computed);
    EXPECT_EQ(std::tuple(runs, during, doc->state().resultsValid), std::tuple(1, std::tuple(0, 0, 1), 1));
    EXPECT_EQ(std::tuple(doc->results().concordanceTexts, doc->results().modifiedOutranking),
              std::tuple(before.concordanceTexts, before.modifiedOutranking));

    // Cancel after the engine's last check (it has none after Merging yet)
    // still keeps nothing.
    struct StopAtMerging : ComputeProgress {
        bool asked = false;
        void stage(ComputeStage s) override { asked = asked || s == ComputeStage::Merging; }
        bool cancelRequested() override { return asked; }
    } stop;
    doc->setLevelOfConcordance(0.62);
    const ComputeOutcome out = doc->compute([&](const Document::Engine& engine) { engine(&stop); });
    EXPECT_EQ(std::tuple(out.status, out.text, out.caption, doc->results().n, doc->state().resultsValid),
              std::tuple(ComputeStatus::Cancelled, "", "", 0, 0));

    // What the engine's run throws passes through and keeps nothing.
    doc->setLevelOfConcordance(0.61);
    EXPECT_THROW(doc->compute([](const Document::Engine&) { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_EQ(std::tuple(doc->results().n, doc->state().resultsValid), std::tuple(0, 0));
}

TEST_F(DocumentTest, WholeProjectOperationsSetTitlePathAndRecentList) {
    using Recent = std::array<std::string, 4>;
    const DocumentState& s = doc->state();
    const auto files = [&] { return std::tuple(s.projectTitle, s.projectPath, s.untitled, s.recentProjects); };
    EXPECT_EQ(files(), std::tuple("/p.kvs", "/p.kvs", 0, Recent{"/p.kvs", "r1", "r2", ""}));

    doc->setComparePair(2, 1);
    doc->setSelectionMask(0x41);
    doc->newProject(Parameters{0.7, 4, 0.3});
    EXPECT_EQ(files(), std::tuple("[new]", "/p.kvs", 1, Recent{"/p.kvs", "r1", "r2", ""}));
    EXPECT_EQ(std::tuple(doc->project().n, doc->project().m, doc->project().levelOfConcordance,
                         doc->project().maxArcsToCut, doc->results().n, s.comparePair, s.selectionMask),
              std::tuple(0, 0, 0.7, 4, 0, std::array<int, 2>{0, 1}, 0));

    doc->setSelectionMask(0x41);
    Project loaded;
    loaded.n = 1;
    doc->open(loaded, "/o.kvs", 1);
    EXPECT_EQ(files(), std::tuple("/o.kvs", "/o.kvs", 0, Recent{"/o.kvs", "/p.kvs", "r1", "r2"}));
    EXPECT_EQ(std::tuple(doc->project().n, s.testMode, s.selectionMask), std::tuple(1, 1, 0x41));

    doc->import(loaded, "/i.KVS", Parameters{0.55, 5, 0.05});
    EXPECT_EQ(files(), std::tuple("/i.KVS", "/i.KVS", 1, Recent{"/o.kvs", "/p.kvs", "r1", "r2"}));
    EXPECT_EQ(std::tuple(doc->project().levelOfConcordance, doc->project().maxArcsToCut,
                         doc->project().acceptableLoss, s.selectionMask),
              std::tuple(0.55, 5, 0.05, 0));

    doc->start(Parameters{}, {"a", "b", "c", "d"});
    EXPECT_EQ(files(), std::tuple("", "", 0, Recent{"a", "b", "c", "d"}));
}

TEST_F(DocumentTest, ListenersEndWithTheirSubscriptionEvenWhileTheOthersRun) {
    Subscription second;
    int secondRuns = 0;
    // The first listener ends the second before it would run.
    Subscription first = doc->beforeRelease([&] { second.reset(); });
    second = doc->beforeRelease([&] { ++secondRuns; });
    doc->deleteAlternative(0);
    EXPECT_EQ(std::tuple(released, secondRuns), std::tuple(1, 0));
    subscription.reset();
    doc->deleteAlternative(0);
    EXPECT_EQ(released, 1);
    // A subscription may outlive its document.
    doc.reset();
    first.reset();
}

}  // namespace
}  // namespace kvis
