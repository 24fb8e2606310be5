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

// Constant thresholds q, p and, when v >= 0, a veto v.
Criterion crit(const char* name, int direction, double q, double p, double v = -1, double weight = 1) {
    return {.name = name, .direction = direction, .useVeto = v >= 0, .weight = weight, .preference = {0, p},
            .indifference = {0, q}, .veto = {0, v >= 0 ? v : 0}};
}

std::string text(TDialog& d, int id) {
    if (auto* e = d.edit(id)) return e->text().toStdString();
    if (auto* s = d.staticText(id)) return s->getText();
    return "?";
}

template <class List> Lines items(List* l) {
    Lines out;
    for (int i = 0; i < l->getCount(); ++i) out.push_back(l->getString(i));
    return out;
}
Lines lines(TDialog& d, int id) { return items(d.listBox(id)); }

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

    // A fresh project of these criteria and rows of evaluations, built through the model's
    // operations; modified is then 0 and resultsValid as asked.
    void build(const std::vector<Criterion>& cs, const std::vector<std::vector<double>>& rows, int valid = 0) {
        workspace() = Workspace{};
        for (const auto& c : cs) addCriterion(p(), doc(), c);
        for (size_t a = 0; a < rows.size(); ++a) {
            addAlternative(p(), doc(), "alt" + std::to_string(a + 1));
            for (size_t c = 0; c < rows[a].size(); ++c)
                setEvaluation(p(), doc(), static_cast<int>(a), static_cast<int>(c), rows[a][c], "");
        }
        rebuildEvaluationTexts(p());
        doc().modified = 0;
        doc().resultsValid = valid;
    }
    void script(std::function<void(TDialog&)> f) { hooks.dialogScripts.push_back(std::move(f)); }
    // The number of message boxes shown, and the first of them checked whole.
    void said(const std::string& text, const std::string& caption, unsigned flags, size_t count = 1) {
        ASSERT_EQ(hooks.messages.size(), count);
        const MessageBoxCall& m = hooks.messages[0];
        EXPECT_EQ(std::tuple(m.text.toStdString(), m.caption.toStdString(), m.flags), std::tuple(text, caption, flags));
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
}

// ---- Templates ------------------------------------------------------------------

TEST_F(Dialogs, TemplatesCarryTheirCaptionsAndControlTextsAndHoldTheirControls) {
    const std::pair<int, const char*> captions[] = {
        {101, "Edit alternatives"},  {102, "Modify alternative"},   {103, "Modify value of criterion"},
        {104, "Edit criteria"},      {105, "Modify criteria"},      {106, "Level of concordance"},
        {107, "Evaluation of alternatives according to criteron"}, {110, "Kernel of the graph of outranking"},
        {111, "Structure of kernel"}, {112, "Advanced options"},    {113, "Select ..."},
        {114, "Select alternatives to compare"},                   {115, "Compare alternative 1 to alternative 2"},
    };
    TDlgSelect registers(nullptr);  // any dialog registers the templates
    for (const auto& [id, caption] : captions) {
        const DialogTemplate* t = findDialogTemplate(id);
        ASSERT_NE(t, nullptr) << id;
        EXPECT_EQ(t->caption, caption);
        EXPECT_EQ(t->fontFace, id == 107 ? "" : "MS Sans Serif") << id;
        for (const auto& c : t->controls)
            EXPECT_TRUE(c.x + c.w <= t->width && c.y + c.h <= t->height) << id << " control " << c.id;
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
    build({crit("c1", 0, 0, 0), crit("a_very_long_criterion", 1, 0, 0)}, {{1, 2}, {3, 4}, {5, 6}});
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
        EXPECT_EQ(lines(d, 202), (Lines{" c1                     0.000 ", " a_very_long_cr         0.000 "}));
        d.select(202, 1);
        d.press(201);
        EXPECT_EQ(lines(d, 202)[1], " a_very_long_cr        12.500 ");
        EXPECT_EQ(p().n, 3);  // nothing reaches the Project before OK
        d.press(1);
        d.press(1);  // a second OK does nothing more
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {202, 203, 201}), (Lines{"alter_4", "a_very_long_criterion", "0"}));
        d.type(201, "12.50");
        d.press(1);
    });
    EXPECT_EQ(runEditAlternatives(nullptr), IDOK);
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{101, 102, 103}));
    ASSERT_EQ(p().n, 4);
    EXPECT_EQ(p().alternatives[3].name, "alter_4");
    EXPECT_EQ(p().evaluations, (std::vector<double>{1, 2, 3, 4, 5, 6, 0, 12.5}));
    EXPECT_EQ(p().evaluationTexts, (Lines{"1", "2", "3", "4", "5", "6", "0", "12.5"}));  // "1.00" rebuilt
    EXPECT_EQ(flags(), (std::array<int, 2>{1, 0}));
}

TEST_F(Dialogs, AddAlternativeWithoutCriteriaNamesOfThirteenCharactersAndTheNameWidth) {
    build({crit("c1", 0, 0, 0)}, {{1}});
    deleteCriterion(p(), doc(), 0);  // no criterion, no alternative left
    ASSERT_EQ(p().m, 0);
    p().alternativeNameWidth = 64;
    script([&](TDialog& d) {
        EXPECT_FALSE(enabled(d, 201));
        EXPECT_EQ(d.listBox(202)->getCount(), 0);
        d.type(203, "abcdefghijklmnopq");
        EXPECT_EQ(text(d, 203), "abcdefghijklm");
        d.type(203, "ab");
        d.edit(203)->insert("c-d e");  // a paste with refused characters is refused whole
        EXPECT_EQ(text(d, 203), "ab");
        d.edit(203)->insert("0123456789xyz_");
        EXPECT_EQ(text(d, 203), "ab0123456789x");
        d.press(1);
    });
    EXPECT_EQ(TDlgDodajWariant(nullptr).runModal(), IDOK);
    ASSERT_EQ(p().n, 1);
    EXPECT_EQ(p().alternatives[0].name, "ab0123456789x");
    EXPECT_EQ(p().alternativeNameWidth, 104);

    hooks.answers.push_back(IDYES);
    script([&](TDialog& d) { d.press(203), d.pressEscape(); });  // removing the last one
    EXPECT_EQ(TDlgEdycjaWariantow(nullptr).runModal(), IDCANCEL);
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().alternativeNameWidth, 104);  // never narrows
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
    said("Do you really want to delete\n  alternative 'alt2' ?", "Delete alternative", kQuestion, 3);
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{101});
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().m, 2);  // the criteria stay
    EXPECT_EQ(doc().modified, 1);
}

TEST_F(Dialogs, ModifyAlternativeStoresTheNameAtOnceAndTheTypedValue) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {-3, 4}}, 1);
    script([&](TDialog& d) {
        d.select(205, 1);
        d.press(202);
        EXPECT_EQ(lines(d, 205)[1], "renamed");
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 203), "alt2");
        EXPECT_EQ(lines(d, 202)[0], " c1                    -3.000 ");
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
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0), crit("c3", 0, 0, 0)}, {{1.23456789, -1.23456e-10, 5}}, 1);
    for (int c : {0, 1, 2}) {
        w().selectedCriterion = c;
        script([&](TDialog& d) { d.press(1); });
        EXPECT_EQ(TDlgModyfikacjaWartosciKryterium(nullptr).runModal(), IDOK);
    }
    EXPECT_EQ(p().evaluations, (std::vector<double>{1.23456789, -1.23456e-10, 5}));
    EXPECT_EQ(p().evaluationTexts[1], "-1.23456e-10");  // shown whole, kept whole
    // The renaming to the same name leaves modified alone too.
    script([&](TDialog& d) { d.press(1); });
    TDlgModyfikacjaWariantu(nullptr).runModal();
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));
}

// ---- Criteria ---------------------------------------------------------------------

TEST_F(Dialogs, ModifyCriteriaRefusesLeavingTheProjectUnchangedAndOkStoresAndFlags) {
    build({crit("c1", 1, 1, 3.123456789, 6, 2.5), crit("zeros", 0, 0, 0, 1)}, {{10, 0}, {20, 0}}, 1);
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {208, 209, 207}), (Lines{"0", "1", "3.12346"}));
        EXPECT_EQ(d.comboBox(205)->getString(d.comboBox(205)->getSelIndex()), "Maximize");
        d.type(203, "renamed");
        d.type(209, "5");  // q above p
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(text(d, 209), "5");  // what the user typed stays
        d.press(2);
    });
    EXPECT_EQ(TDlgModyfikacjaKryterium(nullptr).runModal(), IDCANCEL);
    said(kInvalidThresholds + "renamed", "Error modifying criteria", kStop);
    EXPECT_EQ(p().criteria[0].name, "c1");
    EXPECT_EQ(p().criteria[0].indifference.beta, 1);
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));

    script([&](TDialog& d) {
        EXPECT_TRUE(enabled(d, 213));
        d.checkBox(204)->click();  // veto off: its edits go disabled, its line stays
        EXPECT_FALSE(enabled(d, 213));
        d.checkBox(210)->click();
        d.select(205, 0);
        d.press(1);
    });
    EXPECT_EQ(TDlgModyfikacjaKryterium(nullptr).runModal(), IDOK);
    const Criterion& after = p().criteria[0];
    EXPECT_EQ((std::array<int, 3>{after.useVeto, after.inverseMode, after.direction}), (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(after.veto.beta, 6);
    EXPECT_EQ(after.weight, 2.5);
    EXPECT_EQ(after.preference.beta, 3.123456789);  // untouched edits keep the exact value
    EXPECT_EQ(flags(), (std::array<int, 2>{1, 0}));

    // A criterion without values: its thresholds are disabled, but shown all the same.
    w().selectedCriterion = 1;
    script([&](TDialog& d) {
        EXPECT_EQ(enabledOf(d, {206, 207, 208, 209, 213, 214, 201, 202, 203, 204, 205, 210}),
                  (std::vector<int>{202, 203, 204, 205, 210}));
        EXPECT_EQ(text(d, 214), "1");
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
        EXPECT_EQ(items(d.comboBox(205)), (Lines{"Minimize", "Maximize"}));
        EXPECT_EQ(d.comboBox(205)->getSelIndex() + d.checkBox(204)->getCheck() + d.checkBox(210)->getCheck(), 0);
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
    said(kInvalidThresholds + "crit_3", "Error adding criteria", kStop);
    ASSERT_EQ(p().m, 3);
    EXPECT_EQ(p().criteria[2].name, "crit_3");
    EXPECT_EQ(p().criteria[2].useVeto, 1);
    EXPECT_EQ(p().evaluations, (std::vector<double>{1, 2, 0, 3, 4, 0}));
    EXPECT_EQ(p().evaluationTexts, (Lines{"1", "2", "0", "3", "4", "0"}));
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
    said("Do you really want to delete\n    criterion: 'c1'", "Delete criterion", kQuestion);
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
    said(kInvalidThresholds + "bad1", "Error adding criteria", kStop);
}

TEST_F(Dialogs, PreviewShowsTheTypedThresholdsAndNeverChangesTheProject) {
    Criterion c = crit("c1", 1, 1, 2, 10);
    c.inverseMode = 1;  // not applied in the preview
    build({c}, {{10}, {-2.5}}, 1);
    p().alternatives[1].name = "a_name_longer_than_16";
    script([&](TDialog& d) {
        d.type(208, "0.1");  // q alpha
        d.type(206, "0.2");  // p alpha
        d.press(201);
        d.checkBox(204)->click();  // without veto
        d.press(201);
        d.type(207, "0.5");  // p below q: refused, no preview
        d.press(201);
        d.press(2);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Evaluation of alternatives according to criteron 'c1'");
        EXPECT_EQ(lines(d, 202), (Lines{"alt1                   10.000        2.000        4.000       10.000",
                                        "a_name_longer_th       -2.500        0.750        1.500       10.000"}));
        EXPECT_EQ(p().criteria[0].preference.alpha, 0.2);  // borrowed while shown
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(lines(d, 202)[0], "alt1                   10.000        2.000        4.000      N/A");
        EXPECT_EQ(p().criteria[0].useVeto, 0);
        d.press(1);
    });
    TDlgModyfikacjaKryterium(nullptr).runModal();
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{105, 107, 107}));
    said(kInvalidThresholds + "c1", "Invalid values of thresholds", kStop);
    const Criterion& after = p().criteria[0];
    EXPECT_EQ((std::array<double, 4>{after.indifference.alpha, after.preference.alpha, after.preference.beta,
                                     double(after.useVeto)}),
              (std::array<double, 4>{0, 0, 2, 1}));
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));
}

// ---- Parameters -------------------------------------------------------------------

TEST_F(Dialogs, LevelOfConcordanceBoundsAndModifiedOnlyOnAChange) {
    // bound: that of the refusal's message, nullptr when accepted; typed: nullptr for OK without typing.
    struct Case { std::vector<double> weights; const char* typed; const char* bound; } cases[] = {
        {{1, 1, 2}, "0.76", "0.75"}, {{1, 1, 2}, "0.75", nullptr}, {{1, 1, 2}, "0.5", nullptr},
        {{1, 1, 2}, "", "0.75"},     {{1}, "0.5", "0"},           {{}, "1", nullptr},
        {{}, "1.5", "1"},            {{}, "0.49", "1"},           {{1, 3}, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.weights.size() << " criteria, typed " << (c.typed ? c.typed : "nothing"));
        hooks.messages.clear();
        std::vector<Criterion> cs;
        for (double wt : c.weights) cs.push_back(crit("c", 0, 0, 0, -1, wt));
        build(cs, {});
        script([&](TDialog& d) {
            EXPECT_EQ(text(d, 201), "0.66");
            if (c.typed) d.type(201, c.typed);
            d.press(1);
            if (!d.hasEnded()) d.press(2);
        });
        const double level = c.typed && !c.bound ? readDouble(c.typed) : 0.66;
        EXPECT_EQ(runLevelOfConcordance(nullptr), c.bound ? IDCANCEL : IDOK);
        EXPECT_EQ(p().levelOfConcordance, level);
        EXPECT_EQ(doc().modified, level != 0.66 ? 1 : 0);
        if (c.bound)
            said(std::string("Value of the level of concordance\n    must be between 0.5 and ") + c.bound,
                     "Validation error", kStop);
        else
            EXPECT_TRUE(hooks.messages.empty());
    }
}

TEST_F(Dialogs, AdvancedOptionsTakeTwoToNineAndNeverSetModified) {
    build({crit("a", 0, 0, 0)}, {{1}}, 1);
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
        d.type(201, "9");
        d.type(202, "0.255");
        EXPECT_EQ(text(d, 202), "0.255");
        d.press(1);
    });
    EXPECT_EQ(runAdvanced(nullptr), IDOK);
    said("Max number of arcs checked for cutting a cycle\n       must be between 2 and 9.", "Invalid value", kStop, 3);
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
    using Pair = std::array<int, 2>;
    build({crit("c", 0, 0, 0)}, {{1}, {2}, {3}});
    const auto selected = [](TDialog& d) {
        return Pair{d.comboBox(101)->getSelIndex(), d.comboBox(102)->getSelIndex()};
    };
    script([&](TDialog& d) {
        EXPECT_EQ(selected(d), (Pair{0, 1}));
        EXPECT_EQ(items(d.comboBox(102)), (Lines{"alt1", "alt2", "alt3"}));
        d.select(101, 2);
        d.select(102, 2);
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        d.press(2);
    });
    EXPECT_EQ(runSetToCompare(nullptr), IDCANCEL);
    said("An alternative cannot be compared\n        to itself.", "Invalid choice", kStop);
    EXPECT_EQ(doc().comparePair, (Pair{2, 2}));
    // The pair is offered again; one left from a larger project is not.
    for (const auto& row :
         {std::tuple{Pair{2, 2}, Pair{2, 2}, 0, Pair{2, 0}}, {Pair{5, 1}, Pair{0, 1}, 1, Pair{0, 1}}}) {
        // Named copies: Clang 14 cannot capture structured bindings in a lambda.
        const Pair stored = std::get<0>(row), offered = std::get<1>(row), after = std::get<3>(row);
        const int second = std::get<2>(row);
        doc().comparePair = stored;
        script([&](TDialog& d) {
            EXPECT_EQ(selected(d), offered);
            d.select(102, second), d.press(1);
        });
        EXPECT_EQ(runSetToCompare(nullptr), IDOK);
        EXPECT_EQ(doc().comparePair, after);
    }
    doc().comparePair = {0, 7};
    script([&](TDialog& d) {
        EXPECT_EQ(d.listBox(206)->getCount(), 0);
        d.press(1);
    });
    EXPECT_EQ(runCompareAlternatives(nullptr), IDOK);
}

TEST_F(Dialogs, CompareShowsTheFiveLists) {
    build({crit("q_minus", 1, 1, 3),                    // a 10, b 12: Q- with 0.50
           crit("nowhere", 1, 1, 3),                    // a 10, b 15, no veto: listed nowhere
           crit("vetoed", 1, 1, 3, 4),                  // a 10, b 16, veto 4: PV
           crit("equal", 0, 0, 1),                      // equal values: I
           crit("weak", 1, 1, 3),                       // a 12, b 10: Q
           crit("strong", 1, 1, 3),                     // a 20, b 10: P
           crit("a_very_long_name_indeed", 0, 1, 3)},   // minimized, a 12, b 10: Q-
          {{10, 10, 10, 5, 12, 20, 12}, {12, 15, 16, 5, 10, 10, 10}});
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {300, 301}), (Lines{"alt1", "alt2"}));
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
    r.allocate(7);
    // {0} -> {3} -> {4,5,6}; {1,2} alone; the kernel is {0}, {1,2}, {4,5,6}.
    const std::vector<std::vector<int>> members = {{0}, {1, 2}, {3}, {4, 5, 6}};
    for (size_t v = 0; v < members.size(); ++v)
        std::copy(members[v].begin(), members[v].end(), &r.vertexMembers[v * 7]);
    r.vertexGraph[0 * 7 + 2] = r.vertexGraph[2 * 7 + 3] = 1;
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
        build({crit("c1", 0, 0, 1), crit("c2", 0, 0, 1, -1, 3)}, {{0, 0}, {5, 0}, {0, 0}}, 1);
        p().levelOfConcordance = 0.7;
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
    for (int i = 0; i < 3; ++i) script([](TDialog& d) { d.press(1); });  // the second OK takes the pair offered
    script([](TDialog& d) { d.press(2); });
    app.cmCompare();
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{114, 115, 114, 115, 114}));
    EXPECT_EQ(doc().comparePair, (std::array<int, 2>{0, 2}));
}

}  // namespace
