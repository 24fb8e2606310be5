// The menu commands around the editing dialogs: what they do after the dialog.
#include <gtest/gtest.h>

#include "app/kavorin_app.h"
#include "model/project_ops.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "platform/test_hooks.h"

using namespace kvis;

namespace {

class EditCommands : public ::testing::Test {
protected:
    void SetUp() override {
        workspace() = Workspace{};
        Workspace& w = workspace();
        Criterion c;
        c.name = "c1";
        c.weight = 1;
        c.preference = {0, 1};
        addCriterion(w.project, w.doc, c);
        c.name = "c2";
        c.weight = 3;
        addCriterion(w.project, w.doc, c);
        for (const char* name : {"a1", "a2", "a3"}) addAlternative(w.project, w.doc, name);
        setEvaluation(w.project, w.doc, 1, 0, 5, "5");
        w.project.levelOfConcordance = 0.7;
        w.doc.modified = 0;
        w.doc.resultsValid = 1;
        w.doc.openViewsMask = 0x41;
        w.closeAllHook = [this] { ++closed; };
    }
    void script(std::function<void(TDialog&)> f) { hooks.dialogScripts.push_back(std::move(f)); }

    int closed = 0;
    TestHooks hooks;
    TKavorinApp app;
};

TEST_F(EditCommands, AlternativesAndCriteriaCloseTheViewsOnlyWhenResultsBecameInvalid) {
    script([](TDialog& d) { d.press(1); });
    app.cmAlternatives();
    EXPECT_EQ(closed, 0);
    script([](TDialog& d) { d.pressEscape(); });
    app.cmCriteria();
    EXPECT_EQ(closed, 0);

    hooks.answers.push_back(IDYES);
    script([](TDialog& d) {
        d.press(203);
        d.press(1);
    });
    app.cmAlternatives();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(workspace().doc.openViewsMask, 0);
    EXPECT_EQ(workspace().project.n, 2);
}

TEST_F(EditCommands, ComputationsThresholdFailureYesOpensEditCriteria) {
    Workspace& w = workspace();
    w.doc.resultsValid = 0;
    w.project.criteria[1].indifference = {0, 2};  // q above p
    hooks.answers.push_back(IDYES);
    script([](TDialog& d) { d.pressEscape(); });
    app.cmComputations();
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{104});
}

TEST_F(EditCommands, LevelOkAlwaysClosesTheViews) {
    script([](TDialog& d) { d.press(2); });
    app.cmLevel();
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(workspace().doc.resultsValid, 1);

    script([](TDialog& d) { d.press(1); });  // the level it already has
    app.cmLevel();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(workspace().doc.resultsValid, 0);
    EXPECT_EQ(workspace().doc.modified, 0);
}

TEST_F(EditCommands, AdvancedClosesTheViewsOnlyWhenAValueChanged) {
    script([](TDialog& d) {
        d.type(201, "2");
        d.type(202, "0.1");
        d.press(1);
    });
    app.cmAdvanced();
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(workspace().doc.resultsValid, 1);

    script([](TDialog& d) {
        d.type(202, "0.2");
        d.press(1);
    });
    app.cmAdvanced();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(workspace().doc.resultsValid, 0);
    EXPECT_EQ(workspace().doc.modified, 0);
}

TEST_F(EditCommands, CompareOffersThePairAgainAfterEachComparison) {
    script([](TDialog& d) {
        d.select(102, 2);
        d.press(1);
    });
    script([](TDialog& d) { d.press(1); });
    script([](TDialog& d) {
        EXPECT_EQ(d.comboBox(101)->getSelIndex(), 0);
        EXPECT_EQ(d.comboBox(102)->getSelIndex(), 2);
        d.press(1);
    });
    script([](TDialog& d) { d.press(1); });
    script([](TDialog& d) { d.press(2); });
    app.cmCompare();
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{114, 115, 114, 115, 114}));
    EXPECT_EQ(workspace().doc.comparePair, (std::array<int, 2>{0, 2}));
}

TEST_F(EditCommands, SaveResultsEndsWhenSelectIsCancelled) {
    script([](TDialog& d) { d.press(2); });
    app.cmSaveResults();
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{113});
    EXPECT_TRUE(hooks.fileDialogs.empty());
}

}  // namespace
