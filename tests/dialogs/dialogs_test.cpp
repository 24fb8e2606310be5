// The editing and inspection dialogs: what they show and decide, and the
// dialogs themselves driven headless through the test hooks.
#include <gtest/gtest.h>

#include <functional>

#include "app/kavorin_app.h"
#include "app/workspace.h"
#include "dialogs/alternatives_dialogs.h"
#include "dialogs/compare_dialogs.h"
#include "dialogs/criteria_dialogs.h"
#include "dialogs/dialog_logic.h"
#include "dialogs/editing_dialogs.h"
#include "dialogs/kernel_dialogs.h"
#include "dialogs/parameter_dialogs.h"
#include "model/numfmt.h"
#include "model/project_ops.h"
#include "platform/test_hooks.h"

using namespace kvis;

namespace {

using Lines = std::vector<std::string>;

Criterion crit(const char* name, int direction, double q, double p, double v = -1, double weight = 1) {
    Criterion c;
    c.name = name;
    c.direction = direction;
    c.weight = weight;
    c.indifference = {0, q};
    c.preference = {0, p};
    if (v >= 0) {
        c.useVeto = 1;
        c.veto = {0, v};
    }
    return c;
}

std::string text(TDialog& d, int id) {
    if (auto* e = d.edit(id)) return e->text().toStdString();
    if (auto* s = d.staticText(id)) return s->getText();
    return "?";
}

Lines lines(TDialog& d, int id) {
    Lines out;
    TListBox* l = d.listBox(id);
    for (int i = 0; i < l->getCount(); ++i) out.push_back(l->getString(i));
    return out;
}

Lines texts(TDialog& d, std::initializer_list<int> ids) {
    Lines out;
    for (int id : ids) out.push_back(text(d, id));
    return out;
}

bool enabled(TDialog& d, int id) { return d.control(id)->isEnabled(); }
// The ids whose controls are enabled, in the order asked.
std::vector<int> enabledOf(TDialog& d, std::initializer_list<int> ids) {
    std::vector<int> out;
    for (int id : ids)
        if (enabled(d, id)) out.push_back(id);
    return out;
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { workspace() = Workspace{}; }

    Workspace& w() { return workspace(); }
    Project& p() { return workspace().project; }
    DocumentState& doc() { return workspace().doc; }

    // Criteria and rows of evaluations through the model's operations; the flags are then cleared.
    void build(const std::vector<Criterion>& cs, const std::vector<std::vector<double>>& rows) {
        for (const auto& c : cs) addCriterion(p(), doc(), c);
        for (size_t a = 0; a < rows.size(); ++a) {
            addAlternative(p(), doc(), "alt" + std::to_string(a + 1));
            for (size_t c = 0; c < rows[a].size(); ++c)
                setEvaluation(p(), doc(), static_cast<int>(a), static_cast<int>(c), rows[a][c], "");
        }
        rebuildEvaluationTexts(p());
        doc().modified = 0;
        doc().resultsValid = 0;
    }
    void script(std::function<void(TDialog&)> f) { hooks.dialogScripts.push_back(std::move(f)); }
    // The i-th message box, checked whole.
    void said(size_t i, const std::string& text, const std::string& caption, unsigned flags) {
        ASSERT_LT(i, hooks.messages.size());
        EXPECT_EQ(hooks.messages[i].text.toStdString(), text) << "message " << i;
        EXPECT_EQ(hooks.messages[i].caption.toStdString(), caption) << "message " << i;
        EXPECT_EQ(hooks.messages[i].flags, flags) << "message " << i;
    }
    void saidOnly(const std::string& text, const std::string& caption, unsigned flags) {
        ASSERT_EQ(hooks.messages.size(), 1u);
        said(0, text, caption, flags);
    }
    std::array<int, 2> flags() { return {doc().modified, doc().resultsValid}; }

    TestHooks hooks;
};

constexpr unsigned kQuestion = MB_YESNOCANCEL | MB_ICONQUESTION;
constexpr unsigned kStop = MB_OK | MB_ICONSTOP;
const std::string kInvalidThresholds = "          Invalid values of thresholds.\nThresholds must be valid for criterion ";

// ---- What the dialogs show and decide ----------------------------------------------

TEST(DialogLogic, NumbersReadFromEditsTakeOnlyTheirCharacters) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},      {"1e", 1},        {"2.5e+", 2.5},           {"3-", 3},          {"-", 0},
        {".", 0},     {"12.50", 12.5},  {"123456789012", 123456789}, {"1.5e-12", 1.5e-12},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(dlg::readNumber(text, 9), want) << text;
    EXPECT_EQ(dlg::readInteger("34", 8), 34);
    EXPECT_EQ(dlg::firstChars("abcdefghijklmnop", 13), "abcdefghijklm");
}

TEST_F(Dialogs, ValueAndEvaluationLinesTruncateLongNames) {
    build({crit("price", 0, 0, 0), crit("a_very_long_criterion", 1, 0, 0)}, {{12.5, -3}});
    EXPECT_EQ(dlg::alternativeValueLines(p(), 0), (Lines{" price                 12.500 ", " a_very_long_cr        -3.000 "}));
    EXPECT_EQ(dlg::pendingValueLines(p(), {0, 7})[1], " a_very_long_cr         7.000 ");

    Criterion c = crit("c1", 1, 0, 0, 10);
    c.indifference = {0.1, 1};
    c.preference = {0.2, 2};
    c.inverseMode = 1;  // not applied in the preview
    workspace() = Workspace{};
    build({c}, {{10}, {-2.5}});
    p().alternatives[1].name = "a_name_longer_than_16";
    EXPECT_EQ(dlg::evaluationLines(p(), 0), (Lines{"alt1                   10.000        2.000        4.000       10.000",
                                                   "a_name_longer_th       -2.500        0.750        1.500       10.000"}));
    p().criteria[0].useVeto = 0;
    EXPECT_EQ(dlg::evaluationLines(p(), 0)[0], "alt1                   10.000        2.000        4.000      N/A");
}

TEST(DialogLogic, WithoutAlternativesOnlyTheCoefficientsOfGrowthCount) {
    Criterion steep = dlg::proposedCriterion(Project{});
    steep.indifference = {0, 5};
    EXPECT_TRUE(dlg::candidatePasses(Project{}, 0, steep));
    steep.preference.alpha = 1;  // minimized: alpha >= 1 fails
    EXPECT_FALSE(dlg::candidatePasses(Project{}, 0, steep));
}

// ---- Templates ------------------------------------------------------------------

TEST_F(Dialogs, TemplatesCarryTheirFramesCaptionsAndControlTexts) {
    const std::tuple<int, const char*, bool> wants[] = {  // id, caption, black frame
        {101, "Edit alternatives", true},     {102, "Modify alternative", true},
        {103, "Modify value of criterion", true}, {104, "Edit criteria", true},
        {105, "Modify criteria", true},       {106, "Level of concordance", true},
        {107, "Evaluation of alternatives according to criteron", false},
        {110, "Kernel of the graph of outranking", false}, {111, "Structure of kernel", false},
        {112, "Advanced options", true},      {113, "Select ...", false},
        {114, "Select alternatives to compare", true}, {115, "Compare alternative 1 to alternative 2", false},
    };
    TDlgSelect registers(nullptr);  // any dialog registers the templates
    for (const auto& [id, caption, blackFrame] : wants) {
        const DialogTemplate* t = findDialogTemplate(id);
        ASSERT_NE(t, nullptr) << id;
        EXPECT_EQ(t->caption, caption);
        EXPECT_EQ(t->fontFace, id == 107 ? "" : "MS Sans Serif") << id;
        int white = 0, black = 0;
        for (const auto& c : t->controls) {
            white += c.kind == ControlKind::WhiteFrame;
            black += c.kind == ControlKind::BlackFrame;
            EXPECT_TRUE(c.x + c.w <= t->width && c.y + c.h <= t->height) << id << " control " << c.id;
        }
        EXPECT_EQ(white, 1) << id;
        EXPECT_EQ(black, blackFrame ? 1 : 0) << id;
    }
    const std::tuple<int, int, const char*> texts[] = {
        {101, 206, "30"},         {103, 202, "Nazwa wariantu"},        {105, 201, "&Alternatives"},
        {110, 207, "&Details"},   {113, 108, "&Modified Graph "},      {113, 109, "Kernel && &Final Graph"},
        {115, 301, "Action 1:"},
    };
    for (const auto& [tpl, id, want] : texts) {
        const ControlTemplate* c = findDialogTemplate(tpl)->control(id);
        ASSERT_NE(c, nullptr) << tpl << "/" << id;
        EXPECT_EQ(c->text, want) << tpl << "/" << id;
    }
}

// ---- Alternatives ---------------------------------------------------------------

TEST_F(Dialogs, AddAlternativeProposesAlterNAndAppendsItsPendingValues) {
    build({crit("c1", 0, 0, 0), crit("c2", 1, 0, 0)}, {{1, 2}, {3, 4}, {5, 6}});
    p().alternatives[0].name = "zzz";  // the proposal counts, it does not look at names
    dlg::storeTypedValue(p(), doc(), 0, 0, "1.00", 1);  // adding rebuilds the old texts
    script([&](TDialog& d) {
        d.press(201);
        EXPECT_EQ(lines(d, 205).back(), "alter_4");
        EXPECT_EQ(text(d, 206), "4");
        EXPECT_EQ(d.listBox(205)->getSelIndex(), 3);
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Adding new alternative");
        EXPECT_EQ(text(d, 203), "alter_4");
        EXPECT_EQ(lines(d, 202), (Lines{" c1                     0.000 ", " c2                     0.000 "}));
        d.select(202, 1);
        d.press(201);
        EXPECT_EQ(lines(d, 202)[1], " c2                    12.500 ");
        EXPECT_EQ(p().n, 3);  // nothing reaches the Project before OK
        d.press(1);
        d.press(1);  // a second OK does nothing more
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {202, 203, 201}), (Lines{"alter_4", "c2", "0"}));
        d.type(201, "12.50");
        d.press(1);
    });
    EXPECT_EQ(runEditAlternatives(nullptr), IDOK);
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{101, 102, 103}));
    ASSERT_EQ(p().n, 4);
    EXPECT_EQ(p().alternatives[3].name, "alter_4");
    EXPECT_EQ(p().eval(3, 1), 12.5);
    EXPECT_EQ(p().evaluationTexts[0], "1");
    EXPECT_EQ(p().evaluationTexts[3 * 2 + 1], "12.5");
    EXPECT_EQ(flags(), (std::array<int, 2>{1, 0}));
}

TEST_F(Dialogs, AddAlternativeWithoutCriteriaAndTheNameWidth) {
    build({crit("c1", 0, 0, 0)}, {{1}});
    deleteCriterion(p(), doc(), 0);  // no criterion, no alternative left
    ASSERT_EQ(p().m, 0);
    p().alternativeNameWidth = 64;
    script([&](TDialog& d) {
        EXPECT_FALSE(enabled(d, 201));
        EXPECT_EQ(d.listBox(202)->getCount(), 0);
        d.type(203, "twelve_chars");
        d.press(1);
    });
    EXPECT_EQ(TDlgDodajWariant(nullptr).runModal(), IDOK);
    EXPECT_EQ(p().n, 1);
    EXPECT_EQ(p().alternativeNameWidth, 96);

    hooks.answers.push_back(IDYES);
    script([&](TDialog& d) {
        d.press(203);  // removing the last one
        EXPECT_EQ(text(d, 206), "0");
        EXPECT_EQ(enabledOf(d, {202, 203}), std::vector<int>{});
        d.pressEscape();
    });
    EXPECT_EQ(TDlgEdycjaWariantow(nullptr).runModal(), IDCANCEL);
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().alternativeNameWidth, 96);  // never narrows
}

TEST_F(Dialogs, NamesTakeThirteenCharactersOfTheirSetTypedOrPasted) {
    build({crit("c1", 0, 0, 0)}, {{1}});
    script([&](TDialog& d) {
        d.type(203, "abcdefghijklmnopq");
        EXPECT_EQ(text(d, 203), "abcdefghijklm");
        d.type(203, "ab");
        d.edit(203)->insert("c-d e");  // a paste with refused characters is refused whole
        EXPECT_EQ(text(d, 203), "ab");
        d.edit(203)->insert("0123456789xyz_");
        EXPECT_EQ(text(d, 203), "ab0123456789x");
        d.press(1);
    });
    TDlgModyfikacjaWariantu(nullptr).runModal();
    EXPECT_EQ(p().alternatives[0].name, "ab0123456789x");
    EXPECT_EQ(doc().modified, 1);
}

TEST_F(Dialogs, RemoveAsksAndOnlyYesRemoves) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}});
    hooks.answers = {IDNO, IDYES, IDYES};
    script([&](TDialog& d) {
        d.select(205, 1);
        d.press(203);
        EXPECT_EQ(d.listBox(205)->getCount(), 2);
        d.press(203);
        EXPECT_EQ(lines(d, 205), Lines{"alt1"});
        EXPECT_EQ(text(d, 206), "1");
        d.press(203);
        EXPECT_EQ(text(d, 206), "0");
        EXPECT_EQ(enabledOf(d, {202, 203}), std::vector<int>{});
        d.press(203);  // empty list: no question
        d.press(202);  // and no Modify
        d.press(1);
    });
    EXPECT_EQ(runEditAlternatives(nullptr), IDOK);
    ASSERT_EQ(hooks.messages.size(), 3u);
    said(0, "Do you really want to delete\n  alternative 'alt2' ?", "Delete alternative", kQuestion);
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{101});
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().m, 2);  // the criteria stay
    EXPECT_EQ(doc().modified, 1);
}

TEST_F(Dialogs, ModifyAlternativeStoresTheNameAtOnceAndTheTypedValue) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}});
    doc().resultsValid = 1;
    script([&](TDialog& d) {
        d.select(205, 1);
        d.press(202);
        EXPECT_EQ(lines(d, 205)[1], "renamed");
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 203), "alt2");
        EXPECT_EQ(lines(d, 202)[0], " c1                     3.000 ");
        d.type(203, "renamed");
        d.select(202, 0);
        d.press(201);
        EXPECT_EQ(lines(d, 202)[0], " c1                    12.500 ");
        d.press(2);  // Cancel undoes neither the name nor the value
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {202, 203}), (Lines{"renamed", "c1"}));
        d.type(201, "12.50");
        d.press(1);
    });
    runEditAlternatives(nullptr);
    EXPECT_EQ(p().alternatives[1].name, "renamed");
    EXPECT_EQ(p().eval(1, 0), 12.5);
    EXPECT_EQ(p().evaluationTexts[2], "12.50");
    EXPECT_EQ(flags(), (std::array<int, 2>{1, 0}));
}

TEST_F(Dialogs, ValueDialogOkWithoutTypingChangesNothing) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0), crit("c3", 0, 0, 0)}, {{1.23456789, -1.23456e-10, 5}});
    doc().resultsValid = 1;
    for (int c : {0, 1, 2}) {
        w().selectedCriterion = c;
        script([&](TDialog& d) { d.press(1); });
        EXPECT_EQ(TDlgModyfikacjaWartosciKryterium(nullptr).runModal(), IDOK);
    }
    EXPECT_EQ(p().eval(0, 0), 1.23456789);
    EXPECT_EQ(p().eval(0, 1), -1.23456e-10);
    EXPECT_EQ(p().evaluationTexts[1], "-1.23456e-10");  // shown whole, kept whole
    // The renaming to the same name leaves modified alone too.
    script([&](TDialog& d) { d.press(1); });
    TDlgModyfikacjaWariantu(nullptr).runModal();
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));
}

// ---- Criteria ---------------------------------------------------------------------

TEST_F(Dialogs, ModifyCriteriaRefusalLeavesTheProjectUnchanged) {
    build({crit("c1", 1, 1, 3, 6)}, {{10}, {20}});
    doc().resultsValid = 1;
    const Criterion before = p().criteria[0];
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {208, 209, 207}), (Lines{"0", "1", "3"}));
        EXPECT_EQ(d.comboBox(205)->getString(d.comboBox(205)->getSelIndex()), "Maximize");
        d.type(203, "renamed");
        d.type(209, "5");  // q above p
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(text(d, 209), "5");  // what the user typed stays
        d.press(2);
    });
    EXPECT_EQ(TDlgModyfikacjaKryterium(nullptr).runModal(), IDCANCEL);
    saidOnly(kInvalidThresholds + "renamed", "Error modifying criteria", kStop);
    EXPECT_EQ(p().criteria[0].name, before.name);
    EXPECT_EQ(p().criteria[0].indifference.beta, before.indifference.beta);
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));
}

TEST_F(Dialogs, ModifyCriteriaOkStoresAndAlwaysFlags) {
    Criterion c = crit("c1", 0, 0.5, 1.123456789, 4);
    c.weight = 2.5;
    build({c}, {{10}, {20}});
    doc().resultsValid = 1;
    script([&](TDialog& d) {
        EXPECT_TRUE(enabled(d, 213));
        d.checkBox(204)->click();  // veto off: its edits go disabled, its line stays
        EXPECT_FALSE(enabled(d, 213));
        d.checkBox(210)->click();
        d.select(205, 1);
        d.press(1);
    });
    EXPECT_EQ(TDlgModyfikacjaKryterium(nullptr).runModal(), IDOK);
    const Criterion& after = p().criteria[0];
    EXPECT_EQ((std::array<int, 3>{after.useVeto, after.inverseMode, after.direction}), (std::array<int, 3>{0, 1, 1}));
    EXPECT_EQ(after.veto.beta, 4);
    EXPECT_EQ(after.weight, 2.5);
    EXPECT_EQ(after.preference.beta, 1.123456789);  // untouched edits keep the exact value
    EXPECT_EQ(flags(), (std::array<int, 2>{1, 0}));
}

TEST_F(Dialogs, ThresholdsOfACriterionWithoutValuesAreDisabled) {
    build({crit("c1", 0, 0, 0, 1)}, {{0}, {0}});
    script([&](TDialog& d) {
        EXPECT_EQ(enabledOf(d, {206, 207, 208, 209, 213, 214, 201, 202, 203, 204, 205, 210}),
                  (std::vector<int>{202, 203, 204, 205, 210}));
        EXPECT_EQ(text(d, 214), "1");  // shown all the same
        d.press(2);
    });
    TDlgModyfikacjaKryterium(nullptr).runModal();
}

TEST_F(Dialogs, AddCriterionProposalAndSingleAppendAfterARefusedOk) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}});
    script([&](TDialog& d) {
        d.press(201);
        EXPECT_EQ(lines(d, 205).back(), "crit_3");
        EXPECT_EQ(d.listBox(205)->getSelIndex(), 2);
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Adding new criterion");
        EXPECT_EQ(texts(d, {203, 202, 206, 207, 208, 209, 213, 214}),
                  (Lines{"crit_3", "1", "0", "0", "0", "0", "0", "0"}));
        EXPECT_EQ(enabledOf(d, {206, 207, 208, 209, 213, 214, 201}), std::vector<int>{});
        EXPECT_EQ(d.comboBox(205)->getSelIndex(), 0);
        EXPECT_EQ(d.comboBox(205)->getString(0), "Minimize");
        EXPECT_EQ(d.comboBox(205)->getString(1), "Maximize");
        EXPECT_EQ(d.checkBox(204)->getCheck() + d.checkBox(210)->getCheck(), 0);
        d.checkBox(204)->click();
        EXPECT_FALSE(enabled(d, 213));  // still no values
        d.edit(209)->setText(std::string("-1"));  // q below 0 at the evaluations (all 0)
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(p().m, 2);
        d.edit(209)->setText(std::string("0"));
        d.press(1);
        d.press(1);
    });
    EXPECT_EQ(runEditCriteria(nullptr), IDOK);
    saidOnly(kInvalidThresholds + "crit_3", "Error adding criteria", kStop);
    ASSERT_EQ(p().m, 3);
    EXPECT_EQ(p().criteria[2].name, "crit_3");
    EXPECT_EQ(p().criteria[2].useVeto, 1);
    EXPECT_EQ(p().eval(1, 2), 0);
    EXPECT_EQ(p().evaluationTexts[1 * 3 + 2], "0");
    EXPECT_EQ(p().columnFormats.size(), 3u);
    EXPECT_EQ(doc().modified, 1);
}

TEST_F(Dialogs, RemovingTheLastCriterionRemovesEveryAlternativeThenAddStillWorks) {
    build({crit("c1", 0, 0, 0)}, {{1}, {2}});
    hooks.answers.push_back(IDYES);
    script([&](TDialog& d) {
        d.press(203);
        EXPECT_EQ(text(d, 206), "0");
        EXPECT_EQ(enabledOf(d, {202, 203}), std::vector<int>{});
        EXPECT_EQ(p().n, 0);
        d.press(201);
        d.press(1);
    });
    script([&](TDialog& d) {
        d.edit(209)->setText(std::string("5"));  // with no alternative only the coefficients count
        d.press(1);
    });
    EXPECT_EQ(runEditCriteria(nullptr), IDOK);
    said(0, "Do you really want to delete\n    criterion: 'c1'", "Delete criterion", kQuestion);
    EXPECT_EQ(p().m, 1);
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().criteria[0].name, "crit_1");
}

TEST_F(Dialogs, EditCriteriaOkNamesTheFirstFailingCriterion) {
    build({crit("good", 0, 0, 1), crit("bad1", 0, 2, 1), crit("bad2", 0, 3, 1)}, {{1, 1, 1}, {2, 2, 2}});
    script([&](TDialog& d) {
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        d.pressEscape();
    });
    EXPECT_EQ(runEditCriteria(nullptr), IDCANCEL);
    saidOnly(kInvalidThresholds + "bad1", "Error adding criteria", kStop);
}

TEST_F(Dialogs, PreviewNeverChangesTheProject) {
    build({crit("c1", 1, 1, 2, 8)}, {{10}, {-2.5}});
    doc().resultsValid = 1;
    script([&](TDialog& d) {
        d.type(206, "0.2");  // p alpha
        d.checkBox(204)->click();  // without veto
        d.press(201);
        d.type(207, "0.5");  // p below q: refused, no preview
        d.press(201);
        d.press(2);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Evaluation of alternatives according to criteron 'c1'");
        EXPECT_EQ(lines(d, 202), (Lines{"alt1                   10.000        1.000        4.000      N/A",
                                        "alt2                   -2.500        1.000        1.500      N/A"}));
        EXPECT_EQ(p().criteria[0].useVeto, 0);  // borrowed while shown
        d.press(1);
    });
    TDlgModyfikacjaKryterium(nullptr).runModal();
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{105, 107}));
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Invalid values of thresholds");
    const Criterion& after = p().criteria[0];
    EXPECT_EQ((std::array<double, 3>{after.preference.alpha, after.preference.beta, double(after.useVeto)}),
              (std::array<double, 3>{0, 2, 1}));
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));
}

// ---- Parameters -------------------------------------------------------------------

TEST_F(Dialogs, LevelOfConcordanceBounds) {
    struct Case { std::vector<double> weights; const char* typed; bool accepted; const char* bound; } cases[] = {
        {{1, 1, 2}, "0.76", false, "0.75"}, {{1, 1, 2}, "0.75", true, ""},  {{1, 1, 2}, "0.5", true, ""},
        {{1, 1, 2}, "", false, "0.75"},     {{1}, "0.5", false, "0"},       {{}, "1", true, ""},
        {{}, "1.5", false, "1"},            {{}, "0.49", false, "1"},
    };
    for (const auto& c : cases) {
        workspace() = Workspace{};
        hooks.messages.clear();
        std::vector<Criterion> cs;
        for (double wt : c.weights) cs.push_back(crit("c", 0, 0, 0, -1, wt));
        build(cs, {});
        script([&](TDialog& d) {
            d.type(201, c.typed);
            d.press(1);
            if (!d.hasEnded()) d.press(2);
        });
        EXPECT_EQ(runLevelOfConcordance(nullptr), c.accepted ? IDOK : IDCANCEL) << c.typed;
        EXPECT_EQ(hooks.messages.size(), c.accepted ? 0u : 1u) << c.typed;
        EXPECT_EQ(p().levelOfConcordance, c.accepted ? readDouble(c.typed) : 0.66) << c.typed;
        if (!c.accepted)
            said(0, std::string("Value of the level of concordance\n    must be between 0.5 and ") + c.bound,
                 "Validation error", kStop);
    }
    // OK sets modified only when the level changes.
    workspace() = Workspace{};
    build({crit("a", 0, 0, 0, -1, 1), crit("b", 0, 0, 0, -1, 3)}, {});
    p().levelOfConcordance = 0.7;
    for (const char* typed : {"", "0.72"}) {
        script([&](TDialog& d) {
            EXPECT_EQ(text(d, 201), "0.7");
            if (*typed) d.type(201, typed);
            d.press(1);
        });
        EXPECT_EQ(runLevelOfConcordance(nullptr), IDOK);
        EXPECT_EQ(doc().modified, *typed ? 1 : 0);
    }
    EXPECT_EQ(p().levelOfConcordance, 0.72);
}

TEST_F(Dialogs, AdvancedOptionsTakeTwoToNineAndNeverSetModified) {
    build({crit("a", 0, 0, 0)}, {{1}});
    doc().resultsValid = 1;
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {201, 202}), (Lines{"2", "0.1"}));
        for (const char* k : {"1", "0", ""}) {
            d.type(201, k);
            d.press(1);
            EXPECT_FALSE(d.hasEnded()) << k;
        }
        d.type(201, "12");
        EXPECT_EQ(text(d, 201), "1");  // one digit only
        d.type(201, "x");
        EXPECT_EQ(text(d, 201), "");
        d.press(2);
    });
    EXPECT_EQ(runAdvanced(nullptr), IDCANCEL);
    ASSERT_EQ(hooks.messages.size(), 3u);
    said(0, "Max number of arcs checked for cutting a cycle\n       must be between 2 and 9.", "Invalid value", kStop);
    script([&](TDialog& d) { d.press(1); });  // the same values again
    EXPECT_EQ(runAdvanced(nullptr), IDOK);
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));

    script([&](TDialog& d) {
        d.type(201, "9");
        d.type(202, "0.255");
        EXPECT_EQ(text(d, 202), "0.255");
        d.press(1);
    });
    EXPECT_EQ(runAdvanced(nullptr), IDOK);
    EXPECT_EQ(p().maxArcsToCut, 9);
    EXPECT_EQ(p().acceptableLoss, 0.255);
    EXPECT_EQ(doc().modified, 0);
}

TEST_F(Dialogs, SelectConsumesTheMaskAndRebuildsIt) {
    doc().selectionMask = 128 | 4 | 1;
    script([&](TDialog& d) {
        EXPECT_EQ(doc().selectionMask, 0);
        EXPECT_EQ(enabledOf(d, {102, 103, 104, 105, 106, 107, 108, 109}), std::vector<int>{102});
        std::vector<int> checks;
        for (int id = 102; id <= 109; ++id) checks.push_back(d.checkBox(id)->getCheck());
        EXPECT_EQ(checks, (std::vector<int>{1, 0, 0, 0, 0, 1, 0, 1}));  // checked though disabled
        d.checkBox(102)->click();
        d.press(1);
    });
    EXPECT_EQ(runSelect(nullptr), IDOK);
    EXPECT_EQ(doc().selectionMask, 4 | 1);

    doc().resultsValid = 1;
    script([&](TDialog& d) {
        EXPECT_EQ(enabledOf(d, {102, 103, 104, 105, 106, 107, 108, 109}).size(), 8u);
        d.checkBox(103)->click();
        d.checkBox(108)->click();
        d.press(1);
    });
    EXPECT_EQ(runSelect(nullptr), IDOK);
    EXPECT_EQ(doc().selectionMask, 64 | 4 | 2 | 1);

    script([&](TDialog& d) { d.press(2); });
    EXPECT_EQ(runSelect(nullptr), IDCANCEL);
    EXPECT_EQ(doc().selectionMask, 0);  // consumed, and Cancel writes nothing back
}

// ---- Pair comparison --------------------------------------------------------------

TEST_F(Dialogs, SetToCompareRefusesTheSameAlternativeAndOffersItAgain) {
    build({crit("c", 0, 0, 0)}, {{1}, {2}, {3}});
    const auto selected = [](TDialog& d) {
        return std::array<int, 2>{d.comboBox(101)->getSelIndex(), d.comboBox(102)->getSelIndex()};
    };
    script([&](TDialog& d) {
        EXPECT_EQ(selected(d), (std::array<int, 2>{0, 1}));
        EXPECT_EQ(d.comboBox(101)->getCount(), 3);
        EXPECT_EQ(d.comboBox(102)->getString(2), "alt3");
        d.select(101, 2);
        d.select(102, 2);
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        d.press(2);
    });
    EXPECT_EQ(runSetToCompare(nullptr), IDCANCEL);
    saidOnly("An alternative cannot be compared\n        to itself.", "Invalid choice", kStop);
    EXPECT_EQ(doc().comparePair, (std::array<int, 2>{2, 2}));

    script([&](TDialog& d) {
        EXPECT_EQ(selected(d), (std::array<int, 2>{2, 2}));
        d.select(102, 0);
        d.press(1);
    });
    EXPECT_EQ(runSetToCompare(nullptr), IDOK);
    EXPECT_EQ(doc().comparePair, (std::array<int, 2>{2, 0}));

    // A pair left from a larger project is not offered.
    doc().comparePair = {5, 1};
    script([&](TDialog& d) {
        EXPECT_EQ(selected(d), (std::array<int, 2>{0, 1}));
        d.press(1);
    });
    EXPECT_EQ(runSetToCompare(nullptr), IDOK);
    EXPECT_EQ(doc().comparePair, (std::array<int, 2>{0, 1}));
    doc().comparePair = {0, 7};
    script([&](TDialog& d) {
        EXPECT_EQ(d.listBox(206)->getCount(), 0);
        d.press(1);
    });
    EXPECT_EQ(runCompareAlternatives(nullptr), IDOK);
}

TEST_F(Dialogs, CompareShowsTheFiveLists) {
    build(
        {
            crit("q_minus", 1, 1, 3),                  // a 10, b 12: Q- with 0.50
            crit("nowhere", 1, 1, 3),                  // a 10, b 15, no veto: listed nowhere
            crit("vetoed", 1, 1, 3, 4),                // a 10, b 16, veto 4: PV
            crit("equal", 0, 0, 1),                    // equal values: I
            crit("weak", 1, 1, 3),                     // a 12, b 10: Q
            crit("strong", 1, 1, 3),                   // a 20, b 10: P
            crit("a_very_long_name_indeed", 0, 1, 3),  // minimized, a 12, b 10: Q-
        },
        {{10, 10, 10, 5, 12, 20, 12}, {12, 15, 16, 5, 10, 10, 10}});
    p().alternatives[0].name = "first";
    p().alternatives[1].name = "second";
    doc().comparePair = {0, 1};
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {300, 301}), (Lines{"first", "second"}));
        EXPECT_EQ(lines(d, 206), (Lines{"q_minus      0.50", "a_very_long_ 0.50"}));
        EXPECT_EQ(lines(d, 203), Lines{"equal"});
        EXPECT_EQ(lines(d, 204), Lines{"weak"});
        EXPECT_EQ(lines(d, 202), Lines{"strong"});
        EXPECT_EQ(lines(d, 205), Lines{"vetoed"});
        EXPECT_EQ(d.listBox(206)->getSelIndex(), 0);
        d.press(1);
    });
    EXPECT_EQ(runCompareAlternatives(nullptr), IDOK);
}

// ---- Kernel -----------------------------------------------------------------------

TEST_F(Dialogs, KernelLinesArtificialNumbersAndDetails) {
    build({crit("c", 0, 0, 0)}, {{1}, {2}, {3}, {4}, {5}, {6}, {7}});
    ResultsSet& r = w().results;
    const int n = 7;
    r.allocate(n);
    // {0} -> {3} -> {4,5,6}; {1,2} alone; the kernel is {0}, {1,2}, {4,5,6}.
    const std::vector<std::vector<int>> members = {{0}, {1, 2}, {3}, {4, 5, 6}};
    std::fill(r.vertexMembers.begin(), r.vertexMembers.end(), -1);
    for (size_t v = 0; v < members.size(); ++v)
        for (size_t k = 0; k < members[v].size(); ++k) r.vertexMembers[v * n + k] = members[v][k];
    std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
    r.vertexGraph[0 * n + 2] = 1;
    r.vertexGraph[2 * n + 3] = 1;
    std::fill(r.listCounts.begin(), r.listCounts.end(), 0);
    r.listCounts[2] = 1;
    r.vertexCount = 4;
    doc().resultsValid = 1;

    script([&](TDialog& d) {
        EXPECT_EQ(lines(d, 205), (Lines{"alt1                 Initial", "  8-Artificial      Isolated",
                                        "  9-Artificial         Final"}));
        EXPECT_EQ(text(d, 206), "3");
        d.select(205, 2);
        d.press(207);
        TListBox* list = d.listBox(205);
        list->setSelIndex(0);
        emit list->itemDoubleClicked(list->item(0));
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Structure of kernel");
        EXPECT_EQ(texts(d, {500, 501}), (Lines{"  9", "Artificial"}));
        EXPECT_EQ(lines(d, 202), (Lines{" alt5          ", " alt6          ", " alt7          "}));
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {500, 501}), (Lines{"  1", "Natural"}));
        EXPECT_EQ(lines(d, 202), Lines{" alt1          "});
        d.press(1);
    });
    EXPECT_EQ(runKernel(nullptr), IDOK);
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{110, 111, 111}));
    EXPECT_EQ(w().selectedKernelVertex, 0);
}

// ---- The menu commands around the dialogs: what they do after the dialog ---------

class EditCommands : public Dialogs {
protected:
    void SetUp() override {
        Dialogs::SetUp();
        Criterion c1 = crit("c1", 0, 0, 1), c2 = crit("c2", 0, 0, 1, -1, 3);
        build({c1, c2}, {{0, 0}, {5, 0}, {0, 0}});
        p().levelOfConcordance = 0.7;
        doc().resultsValid = 1;
        doc().openViewsMask = 0x41;
        w().closeAllHook = [this] { ++closed; };
    }
    int closed = 0;
    TKavorinApp app;
};

TEST_F(EditCommands, ViewsCloseOnlyWhenResultsBecameInvalid) {
    using Act = std::function<void(TDialog&)>;
    const Act ok = [](TDialog& d) { d.press(1); };
    struct Case { void (TKavorinApp::*command)(); Act act; bool closes; } cases[] = {
        {&TKavorinApp::cmAlternatives, ok, false},
        {&TKavorinApp::cmCriteria, [](TDialog& d) { d.pressEscape(); }, false},
        {&TKavorinApp::cmLevel, [](TDialog& d) { d.press(2); }, false},
        {&TKavorinApp::cmLevel, ok, true},  // OK always closes, even on the level it already has
        {&TKavorinApp::cmAdvanced, [](TDialog& d) { d.type(201, "2"), d.type(202, "0.1"), d.press(1); }, false},
        {&TKavorinApp::cmAdvanced, [](TDialog& d) { d.type(202, "0.2"), d.press(1); }, true},
        {&TKavorinApp::cmAlternatives, [](TDialog& d) { d.press(203), d.press(1); }, true},  // a removal
    };
    for (const Case& c : cases) {
        closed = 0;
        doc().resultsValid = 1;
        doc().openViewsMask = 0x41;
        hooks.answers = {IDYES};
        script(c.act);
        (app.*c.command)();
        EXPECT_EQ(closed, c.closes ? 1 : 0) << hooks.dialogsRun.back();
        EXPECT_EQ(doc().resultsValid, c.closes ? 0 : 1) << hooks.dialogsRun.back();
        EXPECT_EQ(doc().openViewsMask, c.closes ? 0 : 0x41) << hooks.dialogsRun.back();
        EXPECT_EQ(doc().modified, p().n == 2 ? 1 : 0) << hooks.dialogsRun.back();  // only the removal sets it
    }
    EXPECT_EQ(p().n, 2);
    EXPECT_EQ(p().acceptableLoss, 0.2);
}

TEST_F(EditCommands, ComputationsThresholdFailureYesOpensEditCriteria) {
    doc().resultsValid = 0;
    p().criteria[1].indifference = {0, 2};  // q above p
    hooks.answers.push_back(IDYES);
    script([](TDialog& d) { d.pressEscape(); });
    app.cmComputations();
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{104});
}

TEST_F(EditCommands, CompareOffersThePairAgainAfterEachComparison) {
    script([](TDialog& d) { d.select(102, 2), d.press(1); });
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
    EXPECT_EQ(doc().comparePair, (std::array<int, 2>{0, 2}));
}

}  // namespace
